#include "journal_fixture.h"

namespace dx::journal_test {
namespace {

using StartupTest = JournalWindowTest;

TEST_F(StartupTest, HistoryBeyondTheWeekEnablesTheCursor) {
    writeJournal("\"2000-01-07\",\"18:30\",\"6.2\",\"\"\r\n"
                 "\"2000-01-01\",\"07:00\",\"5\",\"\"\r\n");
    start();
    EXPECT_EQ(w->view.Qte_Jrs_Historique, 7);
    EXPECT_TRUE(w->Curseur.enabled);
}

TEST_F(StartupTest, QuitWithNothingToSaveAsksNothing) {
    start();
    EXPECT_TRUE(w->click("Menu_Quitter"));
    EXPECT_TRUE(w->ended());
    EXPECT_TRUE(eventsOf("msgbox").empty());
}

TEST_F(StartupTest, NoToBothQuestionsWritesNothing) {
    start();
    answer(ScriptedAnswer::No);
    w->click("Menu_OptMG");
    addTest("2000-01-08", "11:00", "5.5");
    answer(ScriptedAnswer::No);
    answer(ScriptedAnswer::No);
    w->click("Menu_Quitter");
    EXPECT_TRUE(w->ended());
    EXPECT_EQ(readBytes(settingsPath()), "[Setup]\r\nUnite=0\r\nLock=0\r\nAnimation=0\r\n");
    EXPECT_EQ(journalBytes(), "");
}

TEST_F(StartupTest, FailedSaveAtQuitOffersToStay) {
    start();
    addTest("2000-01-08", "11:00", "5.5");
    files.failWrites = true;
    events.clear();
    w->click("Menu_Quitter");  // Yes to saving, then Yes to staying
    EXPECT_FALSE(w->ended());
    EXPECT_TRUE(w->Menu_Sauve.enabled);
    EXPECT_EQ(w->journal.Nb_Tests, 1);
    const auto boxes = eventsOf("msgbox");
    ASSERT_EQ(boxes.size(), 4u);  // the question, two write failures, the offer
    EXPECT_TRUE(has(boxes[3], "Your data could not be saved."));
    EXPECT_TRUE(has(boxes[3], "\"buttons\":\"yesno\""));

    // Choosing to quit anyway does quit.
    answer(ScriptedAnswer::Yes);
    answer(ScriptedAnswer::Ok);
    answer(ScriptedAnswer::Ok);
    answer(ScriptedAnswer::No);
    w->click("Menu_Quitter");
    EXPECT_TRUE(w->ended());
}

TEST_F(StartupTest, ReExecuterPutsTheChartBackOnToday) {
    writeJournal("\"2000-01-07\",\"18:30\",\"6.2\",\"\"\r\n"
                 "\"1999-10-01\",\"07:00\",\"5\",\"\"\r\n");
    start();
    w->userScroll(32767 - 14);
    ASSERT_NE(w->Aff_Date.caption, "2000-01-08");
    w->Re_Executer();
    EXPECT_EQ(w->Aff_Date.caption, "2000-01-08");
    EXPECT_EQ(w->Curseur.value(), 32767);
    EXPECT_EQ(w->view.Curseur_Actif, 1);
}

TEST_F(StartupTest, NoteGoesToTheNewestTestWhenNoneWasShown) {
    writeJournal("\"2000-01-07\",\"18:30\",\"6.2\",\"\"\r\n"
                 "\"2000-01-06\",\"07:00\",\"5\",\"old, note\"\r\n");
    start();
    w->entry.Index_Note = 0;
    w->view.Index_Test = 2;  // where a drawing leaves it
    answerText("after cake, walk");
    w->Ajouter_Note();
    const auto input = eventsOf("inputbox");
    ASSERT_EQ(input.size(), 1u);
    EXPECT_TRUE(has(input[0], "\"title\":\"If the TEST is over of an average range,\",\"prompt\":"
                              "\"Enter a note for this particular day\",\"default\":\"\""));
    EXPECT_EQ(w->journal.Note_Test[1], "after cake, walk");
    EXPECT_EQ(w->entry.Index_Note, 1);
    EXPECT_TRUE(w->Menu_Sauve.enabled);
    EXPECT_FALSE(w->Menu_Prev.enabled);
    EXPECT_EQ(w->Information.caption, "after cake, walk");
}

TEST_F(StartupTest, NoteCancelledEmptyOrUnstorableChangesNothing) {
    writeJournal("\"2000-01-07\",\"18:30\",\"6.2\",\"\"\r\n"
                 "\"2000-01-06\",\"07:00\",\"5\",\"old, note\"\r\n");
    start();
    w->entry.Index_Note = 2;
    w->Ajouter_Note();  // cancelled
    answerText("");
    w->Ajouter_Note();
    answerText("say \"no\"");
    w->Ajouter_Note();
    EXPECT_TRUE(has(eventsOf("inputbox")[0], "\"default\":\"old, note\""));
    EXPECT_EQ(w->journal.Note_Test[2], "old, note");
    EXPECT_FALSE(w->Menu_Sauve.enabled);
    ASSERT_EQ(eventsOf("msgbox").size(), 1u);
    EXPECT_TRUE(has(eventsOf("msgbox")[0], "double quote"));
}

} // namespace
} // namespace dx::journal_test
