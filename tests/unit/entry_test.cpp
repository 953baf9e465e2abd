// The entry panel: its live typing rules on their own, then the panel, the
// hints and the clock through the window.

#include "settings/numbers.h"
#include "window/entry_rules.h"
#include "window_fixture.h"

namespace dx::testing {
namespace {

using Rule = std::optional<std::string> (*)(std::string_view);

TEST(EntryRules, TimeFieldRules) {
    struct Case {
        Rule rule;
        const char* name;
        const char* typed;
        std::optional<std::string> corrected;
    };
    // What typing 3, 14, 2430, 1275, 25:00 or a letter gives is shown by
    // the entry_time_typing scenario; here, the other edges.
    const Case cases[] = {
        {timeResetRule, "reset", "9:00", "00:00"},
        {timeResetRule, "reset", "23:59", {}},
        {timeResetRule, "reset", "212:00", {}},
        {timeResetRule, "reset", "", {}},
        // A digit typed in front of 12:30 pushes the first one out.
        {timePushRule, "push", "112:30", "12:30"},
        {timePushRule, "push", "12:30", {}},
        {timePushRule, "push", "12:305", {}},
        {timeCutRule, "cut", "12:305", "12:30"},
        {timeCutRule, "cut", "12:30", {}},
        {timeColonRule, "colon", "1:", {}},
        {timeColonRule, "colon", "1", {}},
        {timeColonRule, "colon", "14:", {}},
        {timeHoursRule, "hours", "25:17", "00:17"},
        {timeHoursRule, "hours", "-1:05", "00:05"},
        {timeMinutesRule, "minutes", "12:59", {}},
        // A time of one or two characters reads its "minutes" from them too.
        {timeMinutesRule, "minutes", "7", {}},
    };
    for (const Case& c : cases) EXPECT_EQ(c.rule(c.typed), c.corrected) << c.name << " " << c.typed;
}

TEST(EntryRules, KeyFiltersLetThroughOnlyTheirFieldsCharacters) {
    for (char c : std::string("-./0123456789")) EXPECT_FALSE(keyResetsDate(c)) << c;
    for (int c : {8, 32, 44, 58, 97, 34}) EXPECT_TRUE(keyResetsDate(c)) << c;
    for (char c : std::string("0123456789:")) EXPECT_FALSE(keyResetsTime(c)) << c;
    for (int c : {8, 45, 47, 59, 97}) EXPECT_TRUE(keyResetsTime(c)) << c;
}

TEST(EntryRules, OkNeedsDateTimeAndALevelInRange) {
    for (auto [date, time, level, unite, ok] :
         {std::tuple{"2000-01-08", "09:15", "5.6", 0, true},
          {"", "09:15", "5.6", 0, false},
          {"2000-01-08", "", "5.6", 0, false},
          {"2000-01-08", "00:00", "5.6", 0, false},
          {"2000-01-08", "09:15", "0", 0, false},
          {"2000-01-08", "09:15", "abc", 0, false},
          {"2000-01-08", "09:15", "25", 0, true},
          {"2000-01-08", "09:15", "25.1", 0, false},
          {"2000-01-08", "09:15", "450", 1, true},
          {"2000-01-08", "09:15", "451", 1, false},
          // Only 0 and the maximum are tested live; OK refuses a negative level.
          {"2000-01-08", "09:15", "-5", 0, true}})
        EXPECT_EQ(entryAcceptable(date, time, level, static_cast<int16_t>(unite)), ok)
            << date << " " << time << " " << level << " " << unite;
}

TEST(EntryRules, LevelRulesOfBothUnits) {
    EXPECT_EQ(levelCutRule(1, "4507", "4507"), "450");
    EXPECT_EQ(levelCutRule(1, "450", "450"), std::nullopt);
    EXPECT_EQ(levelCutRule(0, "4507", "4507"), std::nullopt);
    EXPECT_EQ(levelCapRule(1, "450"), std::nullopt);
    EXPECT_EQ(levelCapRule(0, "30"), "25.0");
    EXPECT_EQ(levelCapRule(0, "25"), std::nullopt);
    EXPECT_EQ(takenLevel("05.60"), "5.6");
    EXPECT_EQ(takenLevel("abc"), "0");
    EXPECT_EQ(shownLevel("500", 1), "450");
    EXPECT_EQ(shownLevel("30", 0), "25");
    EXPECT_EQ(formatIfNumber("0120", "##0"), "120");
    EXPECT_EQ(formatIfNumber("12a", "00.0"), "12a");
    EXPECT_EQ(entryLevelText("12a", 0), "12.0");
    EXPECT_EQ(entryLevelText("abc", 1), "0");
    EXPECT_TRUE(levelRefused("451", 1));
    EXPECT_FALSE(levelRefused("450", 1));
    EXPECT_TRUE(hourBefore("09:00", "14:20"));
    EXPECT_FALSE(hourBefore("14:05", "14:20"));  // only the hours are compared
}

class EntryPanel : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        sp.clock.set(DateTime::fromParts(2000, 1, 8, 9, 15, 0));
    }
    void type(const std::string& field, const std::string& text) {
        for (char c : text) w->keyPress(field, static_cast<unsigned char>(c));
    }
    // Selects the whole field, as a user does before typing over it.
    void retype(TextField& f, const std::string& name, const std::string& text) {
        f.select(0, f.length());
        type(name, text);
    }
    void openWithLevel(const std::string& level) {
        w->click("Menu_Ajouter");
        type("Dialog_Taux", level);
    }
};

TEST_F(EntryPanel, OpensOnTodayWithTheDefaultLevelSelectedAndKeepsItsDateNoEarlier) {
    for (const int unite : {0, 1}) {
        start({{"2000-01-07", "08:00", "05.6", ""}, {"1999-03-01", "08:00", "06.0", ""}}, unite);
        ASSERT_TRUE(w->click("Menu_Annee"));
        ASSERT_TRUE(w->click("Menu_Ajouter"));
        EXPECT_TRUE(w->Menu_Sem.checked);
        EXPECT_EQ(w->Aff_Date.caption, "2000-01-08");
        EXPECT_EQ(w->Dialog_Date.text(), "2000-01-08");
        EXPECT_EQ(w->Dialog_Heure.text(), "09:15");
        EXPECT_EQ(w->Dialog_Taux.text(), unite == 0 ? "00.0" : "0") << unite;
        EXPECT_EQ(w->Dialog_Taux.selLength(), unite == 0 ? 4 : 1) << unite;
        EXPECT_EQ(w->focused(), "Dialog_Taux");
        EXPECT_FALSE(w->Bout_Ok.enabled);
        EXPECT_FALSE(w->Curseur.enabled || w->Menu_Impr_Graph.enabled || w->Menu_Sang.enabled);
        EXPECT_FALSE(w->click("Menu_Ajouter"));     // its own command is out of reach
        w->pasteText("Dialog_Date", "1999-12-31");  // an earlier date becomes today
        EXPECT_EQ(w->Dialog_Date.text(), "2000-01-08");
    }
}

TEST_F(EntryPanel, EveryRefusalOfOnePressIsShownInTurn) {
    start({}, 1);
    openWithLevel("-5");
    w->Dialog_Date.select(10, 0);
    type("Dialog_Date", "1");  // later than today
    w->pasteText("Dialog_Heure", "9:");
    ASSERT_TRUE(w->click("Bout_Ok"));
    const auto boxes = eventsOf("msgbox");
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_TRUE(has(boxes[0], R"("title":"Message","text":"Rate =\n\nminimum  >0\nmaximum  <450")"
                              R"(,"buttons":"ok","icon":"none")"));
    EXPECT_TRUE(has(boxes[1], R"("text":"Date =\n\nThe date of a test cannot be later than )"
                              R"(today (2000-01-08).")"));
    EXPECT_TRUE(has(boxes[2], R"("text":"Time = hh:mm")"));
    EXPECT_EQ(w->journal.Nb_Tests, 0);
}

TEST_F(EntryPanel, AcceptedTestBecomesRecordOne) {
    start({{"2000-01-07", "08:00", "06.0", ""}});
    openWithLevel("5.6");
    w->focus("Dialog_Note");
    EXPECT_EQ(w->Dialog_Taux.text(), "05.6");  // reformatted on leaving the field
    w->Dialog_Note.setText("after lunch");
    ASSERT_TRUE(w->click("Bout_Ok"));
    EXPECT_TRUE(eventsOf("msgbox").empty());
    ASSERT_EQ(w->journal.Nb_Tests, 2);
    EXPECT_EQ(w->journal.Heure_Test[1], "09:15");
    EXPECT_EQ(w->journal.Taux_Test[1], "05.6");
    EXPECT_EQ(w->journal.Note_Test[1], "after lunch");
    EXPECT_EQ(w->Graphique.back, colour::kBlack);
    // The line is emptied, then the redrawn chart shows the new test's note.
    EXPECT_EQ(w->Information.caption, "[ after lunch ]");
    EXPECT_TRUE(w->Menu_Sauve.enabled && w->Menu_Fichier.enabled && w->Curseur.enabled);
    EXPECT_FALSE(w->Menu_Option.enabled || w->Menu_Prev.enabled);
}

TEST_F(EntryPanel, TextTheFileCannotHoldAndAFullJournalAreRefused) {
    start();
    openWithLevel("5.6");
    w->Dialog_Note.setText("a \"quoted\" word");
    ASSERT_TRUE(w->click("Bout_Ok"));
    ASSERT_EQ(eventsOf("msgbox").size(), 1u);
    EXPECT_TRUE(has(eventsOf("msgbox")[0], "The field Note cannot hold a double quote"));
    EXPECT_EQ(w->entry.Entree_Refusee, 1);
    EXPECT_EQ(w->journal.Nb_Tests, 0);
    EXPECT_TRUE(w->Cadre_Ajouter.visible);
    EXPECT_FALSE(w->Menu_Sauve.enabled);
    w->Dialog_Note.setText("ok 日 no");
    ASSERT_TRUE(w->click("Bout_Ok"));
    ASSERT_EQ(eventsOf("msgbox").size(), 2u);
    EXPECT_TRUE(has(eventsOf("msgbox")[1], "The field Note holds a character"));
    EXPECT_TRUE(has(eventsOf("msgbox")[1], "日"));

    w->Dialog_Note.setText("fine");
    w->journal.Nb_Tests = kMaxTests;
    ASSERT_TRUE(w->click("Bout_Ok"));
    ASSERT_EQ(eventsOf("msgbox").size(), 3u);
    EXPECT_TRUE(has(eventsOf("msgbox")[2], "already holds 5000 tests"));
    EXPECT_EQ(w->journal.Nb_Tests, kMaxTests);
    EXPECT_TRUE(w->Cadre_Ajouter.visible);
}

TEST_F(EntryPanel, AnEntryEarlierThanTheNewestTestMovesToNow) {
    // Only the hours are compared with the newest test, at 14:20 today.
    for (auto [typed, stored] : {std::pair{"1405", "14:05"}, {"0900", "15:40"}}) {
        sp.clock.set(DateTime::fromParts(2000, 1, 8, 15, 40, 0));
        start({{"2000-01-08", "14:20", "06.0", ""}});
        openWithLevel("5.6");
        retype(w->Dialog_Heure, "Dialog_Heure", typed);
        ASSERT_TRUE(w->click("Bout_Ok"));
        EXPECT_TRUE(eventsOf("msgbox").empty());
        EXPECT_EQ(w->journal.Heure_Test[1], stored) << typed;
    }
}

TEST_F(EntryPanel, ADatePatternShorterThanItsDatesLeavesTheFieldsAlone) {
    sp.locale.pattern = "M/d/yy";
    sp.clock.set(DateTime::fromParts(2000, 12, 31, 9, 15, 0));
    start();
    w->click("Menu_Ajouter");
    EXPECT_EQ(w->Dialog_Date.text(), "12/31/00");
    type("Dialog_Taux", "5.6");
    EXPECT_FALSE(w->Bout_Ok.enabled);
    retype(w->Dialog_Heure, "Dialog_Heure", "3");
    EXPECT_EQ(w->Dialog_Heure.text(), "3");
}

// The hints in mg/dl on an English system are shown by the
// window_hints_about scenario.
TEST_F(EntryPanel, HintsFollowTheLanguageAndTheUnitAtTheNextMouseMove) {
    const auto tooltip = [this](const char* control) {
        w->hover(control);
        const std::string json = snapshotJson(*w, {control});
        const size_t at = json.find("\"tooltip\":\"") + 11;
        return json.substr(at, json.find('"', at) - at);
    };
    sp.locale.language = "French";
    start();
    EXPECT_EQ(tooltip("Bout_Ok"), "Accepter les changements");
    EXPECT_EQ(tooltip("Dialog_Date"), "La date de l'analyse (verrouillée)");
    EXPECT_EQ(tooltip("Aff_Resultat"), "Normal, si entre 4 et 7");
    EXPECT_EQ(tooltip("Dialog_Taux"), "Votre taux de glucose (max. 25)");
    w->settings.Unite = 1;
    EXPECT_EQ(w->Dialog_Taux.tooltip, "Votre taux de glucose (max. 25)");  // not before a move
    EXPECT_EQ(tooltip("Dialog_Taux"), "Votre taux de glucose (max. 450)");
    EXPECT_EQ(tooltip("Aff_Resultat"), "Normal, si entre 72 et 126");
}

TEST_F(EntryPanel, TheClockTicksButLeavesTheAnchorDateAtMidnight) {
    start();
    sp.clock.set(DateTime::fromParts(2000, 1, 8, 23, 59, 59));
    w->Afficher_Heure();
    EXPECT_EQ(w->Aff_Heure.caption, "23:59:59");
    sp.clock.set(DateTime::fromParts(2000, 1, 9, 0, 0, 30));
    w->Timer_Heure_Timer();
    EXPECT_EQ(w->Aff_Heure.caption, "00:00:30");
    EXPECT_EQ(w->Aff_Date.caption, "2000-01-08");
}

}  // namespace
}  // namespace dx::testing
