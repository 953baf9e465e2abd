// The control model: nested change events, the caret, timers, which clicks a
// control takes, and what is shown on screen.

#include "window/controls.h"
#include "window_fixture.h"

namespace dx::testing {
namespace {

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

} // namespace
} // namespace dx::testing
