// The replay script: how a line is read, which lines are script errors and
// on which line they are reported, and what the runner itself computes
// (scroll steps, the clock across an advance).

#include <fstream>
#include <sstream>

#include "runner_fixture.h"
#include "scripted_line.h"
#include "scripted_runner.h"

namespace dx {
namespace {

TEST(ScriptLine, WordsThenTheRestOfTheLineLiterally) {
    ScriptLine line("type \t Dialog_Note  two  blanks, a comma\\nand a line\r");
    EXPECT_EQ(line.word("command"), "type");
    EXPECT_EQ(line.word("name"), "Dialog_Note");
    // One blank separates the name from the text; the rest is the text.
    EXPECT_EQ(line.text(), " two  blanks, a comma\nand a line");

    ScriptLine words("select  Dialog_Taux 0\t4  ");
    EXPECT_EQ(words.word("command"), "select");
    EXPECT_EQ(words.word("name"), "Dialog_Taux");
    EXPECT_EQ(words.word("start"), "0");
    EXPECT_EQ(words.word("length"), "4");
    EXPECT_NO_THROW(words.end());
    EXPECT_THROW(words.word("more"), ScriptError);

    EXPECT_TRUE(ScriptLine("").empty());
    EXPECT_TRUE(ScriptLine("   \t\r").empty());
    EXPECT_TRUE(ScriptLine("  # a comment").empty());
    EXPECT_FALSE(ScriptLine("escape # not a comment").empty());
}

TEST(ScriptLine, NumbersAndTimestampsAreStrict) {
    EXPECT_EQ(parseInteger("65535", 0, 65535, "x"), 65535);
    EXPECT_EQ(parseInteger("-3", -5, 5, "x"), -3);
    for (const char* bad : {"", "12a", "65536", "-1", "1.5", " 1"})
        EXPECT_THROW(parseInteger(bad, 0, 65535, "x"), ScriptError) << bad;

    EXPECT_EQ(parseTimestamp("2000-02-29", "23:59:59"),
              DateTime::fromParts(2000, 2, 29, 23, 59, 59));
    for (auto [d, t] : {std::pair{"1999-02-29", "10:00:00"}, {"2000-1-08", "10:00:00"},
                        {"2000-01-08", "24:00:00"}, {"2000-01-08", "10:00"},
                        {"2000/01/08", "10:00:00"}})
        EXPECT_THROW(parseTimestamp(d, t), ScriptError) << d << " " << t;
}

class Runner : public runner_test::ScriptedWindowTest {
protected:
    // Runs the script; returns the line of the script error, 0 when none.
    int run(const std::string& script) {
        ScriptedRunner runner(sp, dir.string());
        std::istringstream in(script);
        error.clear();
        const int line = runner.run(in, error);
        if (runner.window() != nullptr) note = runner.window()->Dialog_Note.text();
        return line;
    }
    std::string error;
    std::string note;  // Dialog_Note's text at the end of the script
};

TEST_F(Runner, ScriptErrorsNameTheirLine) {
    struct Case {
        const char* script;
        int line;
        const char* reason;
    };
    const Case cases[] = {
        {"start\n# comment\n\nclik Menu_Sauve\n", 4, "unknown command"},
        {"click Menu_Sauve\n", 1, "before start"},
        {"now 2000-01-08 09:15:00\ndump\n", 2, "before start"},
        {"start\nclick Menu_Nope\n", 2, "unknown control"},
        {"start\ndump Nb_Tests Nope\n", 2, "unknown control, array or variable"},
        {"start\ntype Bout_Ok 5\n", 2, "not a text field"},
        {"start\nmenu Menu_Sauve\n", 2, "not a top-level menu"},
        {"advance -5\n", 1, "bad milliseconds"},
        {"advance\n", 1, "missing milliseconds"},
        {"now 2000-01-08\n", 1, "missing time"},
        {"start\nescape now\n", 2, "unexpected"},
        {"probe 70000 1\n", 1, "bad probe X"},
        {"probe error\n", 1, "missing error code"},
        {"online maybe\n", 1, "bad online"},
        {"answer perhaps\n", 1, "bad answer"},
        {"start\nlanguage French\n", 2, "after start"},
        {"start\nstart\n", 2, "twice"},
        {"start\nscroll up\n", 2, "bad scroll value"},
        {"start\nselect Dialog_Taux 0 -1\n", 2, "bad length"},
        {"serve /dx/url_a.txt no_such_file.txt\n", 1, "cannot read"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(run(c.script), c.line) << c.script;
        EXPECT_NE(error.find(c.reason), std::string::npos) << c.script << " -> " << error;
    }
}

TEST_F(Runner, TypedTextKeepsBlanksAndCommasAndRefusalsQuoteTheLine) {
    ASSERT_EQ(run("start\nclick Menu_Ajouter\ntype Dialog_Note a, b  c\nclick  Menu_Sauve \n"), 0)
        << error;
    EXPECT_EQ(note, "a, b  c");
    ASSERT_FALSE(events.empty());
    EXPECT_EQ(events.back(), R"({"event":"refused","command":"click  Menu_Sauve"})");
}

TEST_F(Runner, ServedFilesAreReadBesideTheScript) {
    std::ofstream(dir / "answer.txt") << "x,y\r\n";
    ASSERT_EQ(run("serve /dx/url_a.txt answer.txt\n"), 0) << error;
    EXPECT_EQ(sp.http.served.at("/dx/url_a.txt"), "x,y\r\n");
}

TEST_F(Runner, ScrollStepsAreClampedAndADisabledScrollbarRefuses) {
    ScriptedRunner runner(sp, dir.string());
    runner.runLine("start");
    Fenetre& win = *runner.window();
    // The scrollbar alone: its change handler belongs to the chart.
    win.Curseur.onChange = nullptr;
    win.Curseur.enabled = true;
    win.Curseur.max = 100;
    win.Curseur.largeChange = 30;
    win.Curseur.setValue(100);
    events.clear();

    runner.runLine("scroll +small");  // already at the end: nothing
    EXPECT_EQ(win.Curseur.value(), 100);
    runner.runLine("scroll -large");
    EXPECT_EQ(win.Curseur.value(), 70);
    runner.runLine("scroll -small");
    EXPECT_EQ(win.Curseur.value(), 69);
    runner.runLine("scroll -500");
    EXPECT_EQ(win.Curseur.value(), 0);
    runner.runLine("scroll 101");
    EXPECT_EQ(win.Curseur.value(), 100);
    EXPECT_TRUE(events.empty());

    win.Curseur.enabled = false;
    runner.runLine("scroll 50");
    EXPECT_EQ(win.Curseur.value(), 100);
    EXPECT_EQ(events, (std::vector<std::string>{R"({"event":"refused","command":"scroll 50"})"}));
}

TEST_F(Runner, AdvanceLeavesTheClockAtTheTarget) {
    ScriptedRunner runner(sp, dir.string());
    runner.runLine("now 2000-01-08 09:15:00");
    runner.runLine("advance 400");  // before start: only the clock moves
    runner.runLine("start");
    runner.runLine("advance 2100");
    EXPECT_EQ(sp.clock.monotonicMs(), 2500);
    EXPECT_EQ(sp.clock.now(), DateTime::fromParts(2000, 1, 8, 9, 15, 2));
    // Timer_Ping, on since the window was made at 400, ticked at 1400 and 2400.
    EXPECT_EQ(runner.window()->Timer_Ping.dueAt(), 3400);
}

} // namespace
} // namespace dx
