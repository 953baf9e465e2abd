// The replay runner: how a script line is read, which lines are script
// errors and on which line they are reported, what the runner itself
// computes (scroll steps, the clock across an advance), the window's JSON
// snapshot, and the control model beneath: nested change events, the caret,
// timers, which clicks a control takes and what is shown on screen.

#include <sstream>

#include "platform/controls.h"
#include "scripted_line.h"
#include "scripted_runner.h"
#include "window/snapshot.h"
#include "window_fixture.h"

namespace dx::testing {
namespace {

TEST(ScriptLine, WordsThenTheRestOfTheLineLiterally) {
    ScriptLine line("type \t Dialog_Note  two  blanks, a comma\\nand a line\r");
    EXPECT_EQ(line.word("command"), "type");
    EXPECT_EQ(line.word("name"), "Dialog_Note");
    // One blank separates the name from the text; the rest is the text.
    EXPECT_EQ(line.text(), " two  blanks, a comma\nand a line");

    ScriptLine words("select  Dialog_Taux 0\t4  ");
    for (const char* word : {"select", "Dialog_Taux", "0", "4"}) EXPECT_EQ(words.word("w"), word);
    EXPECT_NO_THROW(words.end());
    EXPECT_THROW(words.word("more"), ScriptError);

    for (const char* blank : {"", "   \t\r", "  # a comment"})
        EXPECT_TRUE(ScriptLine(blank).empty()) << blank;
    EXPECT_FALSE(ScriptLine("escape # not a comment").empty());
}

TEST(ScriptLine, NumbersAndTimestampsAreStrict) {
    EXPECT_EQ(parseInteger("65535", 0, 65535, "x"), 65535);
    EXPECT_EQ(parseInteger("-3", -5, 5, "x"), -3);
    for (const char* bad : {"", "12a", "65536", "-1", "1.5", " 1"})
        EXPECT_THROW(parseInteger(bad, 0, 65535, "x"), ScriptError) << bad;

    EXPECT_EQ(parseTimestamp("2000-02-29", "23:59:59"),
              DateTime::fromParts(2000, 2, 29, 23, 59, 59));
    for (auto [d, t] : {std::pair{"1999-02-29", "10:00:00"},
                        {"2000-1-08", "10:00:00"},
                        {"2000-01-08", "24:00:00"},
                        {"2000-01-08", "10:00"},
                        {"2000/01/08", "10:00:00"}})
        EXPECT_THROW(parseTimestamp(d, t), ScriptError) << d << " " << t;
}

class Runner : public WindowTest {
protected:
    // Runs the script; returns the line of the script error, 0 when none.
    int run(const std::string& script) {
        ScriptedRunner runner(sp, root);
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
    const std::tuple<const char*, int, const char*> cases[] = {
        {"now 2000-01-08 09:15:00\ndump\n", 2, "before start"},
        {"start\nclick Menu_Nope\n", 2, "unknown control"},
        {"start\ndump Nb_Tests Nope\n", 2, "unknown control, array or variable"},
        {"start\ndump Ligne(1)\n", 2, "unknown control, array or variable"},
        {"start\ndump nb_tests\n", 2, "unknown control, array or variable"},
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
    for (const auto& [script, line, reason] : cases) {
        EXPECT_EQ(run(script), line) << script;
        EXPECT_TRUE(has(error, reason)) << script << " -> " << error;
    }
}

TEST_F(Runner, TypedTextKeepsBlanksAndCommasAndRefusalsQuoteTheLine) {
    ASSERT_EQ(run("start\nclick Menu_Ajouter\ntype Dialog_Note a, b  c\nclick  Menu_Sauve \n"), 0)
        << error;
    EXPECT_EQ(note, "a, b  c");
    ASSERT_FALSE(events.empty());
    EXPECT_EQ(events.back(), R"({"event":"refused","command":"click  Menu_Sauve"})");
}

TEST_F(Runner, ScrollStepsAreClampedAndADisabledScrollbarRefuses) {
    ScriptedRunner runner(sp, root);
    runner.runLine("start");
    Scrollbar& bar = runner.window()->Curseur;
    // The scrollbar alone: its change handler belongs to the chart.
    bar.onChange = nullptr;
    bar.enabled = true;
    bar.max = 100;
    bar.largeChange = 30;
    bar.setValue(100);
    events.clear();
    for (auto [line, value] : {std::pair{"scroll +small", 100},  // already at the end: nothing
                               {"scroll -large", 70},
                               {"scroll -small", 69},
                               {"scroll -500", 0},
                               {"scroll 101", 100}}) {
        runner.runLine(line);
        EXPECT_EQ(bar.value(), value) << line;
    }
    EXPECT_TRUE(events.empty());
    bar.enabled = false;
    runner.runLine("scroll 50");
    EXPECT_EQ(bar.value(), 100);
    EXPECT_EQ(events, (std::vector<std::string>{R"({"event":"refused","command":"scroll 50"})"}));
}

TEST_F(Runner, AdvanceLeavesTheClockAtTheTarget) {
    ScriptedRunner runner(sp, root);
    runner.runLine("now 2000-01-08 09:15:00");
    runner.runLine("advance 400");  // before start: only the clock moves
    runner.runLine("start");
    runner.runLine("advance 2100");
    EXPECT_EQ(sp.clock.monotonicMs(), 2500);
    EXPECT_EQ(sp.clock.now(), DateTime::fromParts(2000, 1, 8, 9, 15, 2));
    // Timer_Ping, on since the window was made at 400, ticked at 1400 and 2400.
    EXPECT_EQ(runner.window()->Timer_Ping.dueAt(), 3400);
}

// Braces and brackets balance outside strings, every string closes, and
// there are no blanks between the parts.
bool wellNested(const std::string& json) {
    std::string open;
    bool inString = false;
    for (size_t i = 0; i < json.size(); ++i) {
        const char c = json[i];
        if (inString) {
            if (c == '\\')
                ++i;
            else if (c == '"')
                inString = false;
            else if (static_cast<unsigned char>(c) < 0x20)
                return false;
        } else if (c == '"') {
            inString = true;
        } else if (c == '{' || c == '[') {
            open += c;
        } else if (c == '}' || c == ']') {
            if (open.empty() || open.back() != (c == '}' ? '{' : '[')) return false;
            open.pop_back();
        } else if (c == ' ' || c == '\n') {
            return false;
        }
    }
    return open.empty() && !inString;
}

using Snapshot = WindowTest;

TEST_F(Snapshot, AFullDumpHoldsEveryControlArrayAndVariable) {
    launch();
    const std::string json = snapshotJson(*w);
    EXPECT_TRUE(wellNested(json));
    EXPECT_EQ(json.rfind(R"({"dump":{"controls":{"Fenetre":{"caption":"Glucose monotor",)", 0), 0u);
    for (const ControlEntry& e : w->controls())
        EXPECT_TRUE(has(json, "\"" + e.name + "\":{")) << e.name;
    for (const char* a : {"Ligne", "Aff_Jour", "Aff_Mois", "Aff_Niveau"})
        EXPECT_TRUE(has(json, std::string("\"") + a + "\":[")) << a;
    int vars = 0;
    w->forEachVar([&](const char* name, const auto&) {
        ++vars;
        EXPECT_TRUE(has(json, std::string("\"") + name + "\":")) << name;
    });
    EXPECT_GE(vars, 50);
    EXPECT_TRUE(has(json, R"("journal":[])"));
}

TEST_F(Snapshot, NumbersAndDatesAreWrittenInTheirShortestForm) {
    // Line coordinates in their shortest form are shown by the chart
    // scenarios; a negative zero is written 0.
    launch();
    w->Ligne = dx::LineArray(*w->Ligne[0]);
    w->chart.loadLigne(1).x2 = -0.0f;
    EXPECT_TRUE(has(snapshotJson(*w, {"Ligne"}), R"(,"x2":0,"y2":1315,)"));
    w->entry.Date_Saisie = DateTime::fromParts(1999, 6, 1);
    w->view.Date_Affichee = DateTime::fromParts(2000, 1, 8, 9, 15, 0);
    const std::string json = snapshotJson(*w, {"Date_Saisie", "Date_Affichee"});
    EXPECT_TRUE(has(json, R"("Date_Affichee":"2000-01-08 09:15:00")")) << json;
    EXPECT_TRUE(has(json, R"("Date_Saisie":"1999-06-01")")) << json;
    EXPECT_EQ(jsonQuote("a\"b\\c\nd\te\x01 é"), R"("a\"b\\c\nd\te\u0001 é")");
}

TEST(ControlNames, ArrayElementsAreANameAndDigitsInParentheses) {
    struct Case {
        const char* name;
        const char* array;  // nullptr: not an element name
        size_t index;
    };
    const Case cases[] = {
        {"Aff_Jour(3)", "Aff_Jour", 3}, {"Ligne(0)", "Ligne", 0},
        {"Ligne(00012)", "Ligne", 12},  {"Ligne(123456)", "Ligne", SIZE_MAX},
        {"Ligne()", nullptr, 0},        {"Ligne(1", nullptr, 0},
        {"Ligne(1a)", nullptr, 0},      {"Ligne(-1)", nullptr, 0},
        {"Bout_Ok", nullptr, 0},        {"(4)", "", 4},
    };
    for (const Case& c : cases) {
        const auto element = parseArrayElement(c.name);
        ASSERT_EQ(element.has_value(), c.array != nullptr) << c.name;
        if (!element) continue;
        EXPECT_EQ(element->array, c.array) << c.name;
        EXPECT_EQ(element->index, c.index) << c.name;
    }
}

TEST(Scrollbar, NestedChangesUnchangedValuesAndClamping) {
    Scrollbar bar;
    bar.max = 100;
    std::vector<int> seen;
    bar.onChange = [&] {
        seen.push_back(bar.value());
        if (bar.value() == 50) bar.setValue(40);  // runs before this handler returns
        seen.push_back(-bar.value());
    };
    bar.setValue(50);
    // The outer handler sees 50, the nested one 40 and returns, then the
    // outer one finds the value already moved.
    EXPECT_EQ(seen, (std::vector<int>{50, 40, -40, -40}));

    seen.clear();
    bar.setValue(40);  // unchanged: nothing raised
    bar.setValue(250);
    EXPECT_EQ(bar.value(), 100);
    bar.setValue(101);  // clamps to the value it already has
    bar.setValue(-3);
    EXPECT_EQ(bar.value(), 0);
    EXPECT_EQ(seen, (std::vector<int>{100, -100, 0, 0}));
}

// A field changed from its own change handler (the entry panel's live
// rules) is shown by the entry_time_typing scenario.
TEST(TextField, CaretSelectionTypingAndBackspaceCountCharacters) {
    TextField f;
    int changes = 0;
    f.onChange = [&] { ++changes; };
    f.setText("été");
    EXPECT_EQ(f.selStart(), 3);  // characters, not bytes
    f.select(0, 3);
    f.setText("été");  // no real change: nothing raised, the caret at the end
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(f.selStart(), 3);
    EXPECT_EQ(f.selLength(), 0);
    f.select(1, 99);  // a selection is kept inside the text
    EXPECT_EQ(f.selLength(), 2);

    f.select(0, 3);
    f.replaceSelection("7");
    f.replaceSelection("é");
    EXPECT_EQ(f.text(), "7é");
    EXPECT_EQ(f.selStart(), 2);
    f.select(1, 0);
    f.backspace();  // the character before the caret
    EXPECT_EQ(f.text(), "é");
    EXPECT_EQ(f.selStart(), 0);
    f.backspace();  // nothing before the caret: no change
    f.select(0, 1);
    f.backspace();  // the selection
    EXPECT_EQ(f.text(), "");
    EXPECT_EQ(changes, 5);
}

TEST(Timer, CountsFromItsSwitchOnAndRestartsOnlyWhenSwitchedOnAgainOrGivenANewInterval) {
    ScriptedClock clock;
    Timer timer{clock, 1000, false};
    EXPECT_FALSE(timer.armed());
    clock.advanceMs(300);
    timer.setEnabled(true);
    EXPECT_EQ(timer.dueAt(), 1300);
    timer.ticked(1300);
    EXPECT_EQ(timer.dueAt(), 2300);
    clock.advanceMs(700);
    timer.setEnabled(true);  // already running: not restarted
    EXPECT_EQ(timer.dueAt(), 2300);
    timer.setEnabled(false);
    timer.setEnabled(true);
    EXPECT_EQ(timer.dueAt(), 2000);
    clock.advanceMs(400);
    timer.setInterval(250);  // a running timer starts counting again
    EXPECT_EQ(timer.dueAt(), 1650);
    timer.setEnabled(false);
    clock.advanceMs(100);
    timer.setInterval(2000);  // a stopped one stays stopped
    EXPECT_FALSE(timer.armed());
    timer.setEnabled(true);
    EXPECT_EQ(timer.dueAt(), 3500);
    timer.setInterval(0);  // an interval of 0 never fires
    EXPECT_FALSE(timer.armed());
}

using WindowModel = WindowTest;

TEST_F(WindowModel, HiddenOrDisabledParentsTakeTheClickAndTheFocusAway) {
    launch();
    w->Menu_Res.enabled = false;
    EXPECT_FALSE(w->openMenu("Menu_Res"));
    w->Menu_Res.enabled = true;
    w->Menu_Res.visible = false;
    EXPECT_FALSE(w->click("Menu_Res2"));
    EXPECT_FALSE(w->click("No_Such_Control"));

    w->Cadre_Ajouter.visible = true;
    EXPECT_TRUE(w->shownOnScreen("Bout_Cancel"));
    w->Bout_Cancel.visible = false;
    EXPECT_FALSE(w->shownOnScreen("Bout_Cancel"));
    // Two levels: a line inside the thermometer.
    EXPECT_TRUE(w->shownOnScreen("Ligne_Therm1"));
    w->Thermometre.visible = false;
    EXPECT_FALSE(w->shownOnScreen("Ligne_Therm1"));
    EXPECT_TRUE(w->shownOnScreen("Timer_Ping"));

    w->focus("Dialog_Note");
    EXPECT_EQ(w->focused(), "Dialog_Note");
    w->Cadre_Ajouter.visible = false;
    w->hover("Bout_Auj");  // any event ends with the focus check
    EXPECT_EQ(w->focused(), "");
}

TEST_F(WindowModel, TimersDueTogetherFireInTableOrder) {
    // Timer_Ping runs from the start; switch on Timer_Camera half a second
    // later with a 500 ms interval and Timer_Heure at once: all fall due at 1000.
    w = std::make_unique<Fenetre>(platform);
    w->Timer_Heure.setEnabled(true);
    sp.clock.advanceMs(500);
    w->Timer_Camera.setEnabled(true);
    std::vector<int> order;
    for (int i = 0; i < 3; ++i) {
        const auto next = w->nextDueTimer();
        ASSERT_TRUE(next);
        EXPECT_EQ(w->timerAt(*next).dueAt(), 1000);
        order.push_back(*next);
        w->timerAt(*next).ticked(1000);
    }
    EXPECT_EQ(order, (std::vector<int>{0, 1, 7}));
}

}  // namespace
}  // namespace dx::testing

namespace dx::testing {
namespace {

// A live banner whose link opens on a click: each opening is one browser event.
struct MouseOnBanner : WindowModel {
    void SetUp() override {
        WindowModel::SetUp();
        w = std::make_unique<Fenetre>(platform);
        w->Image_FTP.pointer = MousePointer::Custom;
        w->banner.URL_Site = "http://127.0.0.1:8080/page";
        w->doubleClickMs = 400;
    }
    size_t openings() const { return eventsOf("browser").size(); }
};

TEST_F(MouseOnBanner, AClickWaitsForADoubleClickThenRunsOnce) {
    EXPECT_TRUE(w->mouseClick("Image_FTP"));
    EXPECT_EQ(openings(), 0u);  // held back
    advance(399);
    EXPECT_EQ(openings(), 0u);
    advance(1);
    EXPECT_EQ(openings(), 1u);
    advance(1000);
    EXPECT_EQ(openings(), 1u);
}

TEST_F(MouseOnBanner, ADoubleClickIsOneClickAndOneDoubleClickNeverTwoClicks) {
    w->mouseClick("Image_FTP");
    w->mouseDoubleClick("Image_FTP");
    w->mouseClick("Image_FTP");  // the release that ends the double click
    advance(1000);
    // The click handler, then the double-click handler (which opens again).
    EXPECT_EQ(openings(), 2u);
}

TEST_F(WindowModel, ALateTickCountsFromNowAndMissedTicksAreNotMadeUp) {
    w = std::make_unique<Fenetre>(platform);
    Timer& heure = w->Timer_Heure;
    heure.setEnabled(true);
    const int64_t firstDue = heure.dueAt();
    // Late by less than an interval: the tick keeps its own time.
    sp.clock.advanceMs(firstDue + heure.interval() / 2 - sp.clock.monotonicMs());
    w->runDueTimers(sp.clock.monotonicMs());
    EXPECT_EQ(heure.dueAt(), firstDue + heure.interval());
    // Late by three intervals: one tick, counted from now.
    sp.clock.advanceMs(4 * heure.interval());
    const int64_t now = sp.clock.monotonicMs();
    w->runDueTimers(now);
    EXPECT_EQ(heure.dueAt(), now + heure.interval());
}

}  // namespace
}  // namespace dx::testing
