#include "journal_fixture.h"

namespace dx::journal_test {
namespace {

// Windows-1252: è is E8, é is E9.
const std::string kThreeTests =
    "\"2000-01-07\",\"08:00\",\"5\",\"Apr\xE8s repas, fatigu\xE9\"\r\n"
    "\"2000-01-06\",\"07:30\",\"5.56\",\"\"\r\n"
    "\"2000-01-05\",\"07:00\",\"high\",\"a, b, c\"\r\n";

using JournalFileTest = JournalWindowTest;

TEST_F(JournalFileTest, UtfEightJournalIsReadAndWrittenBackInWindows1252) {
    writeJournal("\"2000-01-07\",\"08:00\",\"05.0\",\"caf\xC3\xA9 \xE2\x82\xAC\"\r\n");
    start();
    EXPECT_EQ(w->journal.Note_Test[1], "café €");
    w->Sauvegarder();
    EXPECT_EQ(journalBytes(), "\"2000-01-07\",\"08:00\",\"05.0\",\"caf\xE9 \x80\"\r\n");
}

TEST_F(JournalFileTest, MissingFileIsCreatedEmptyAndAnEmptyJournalSavesEmpty) {
    start();
    EXPECT_TRUE(files.exists(progPath("Diabete.glc")));
    EXPECT_EQ(journalBytes(), "");
    EXPECT_EQ(w->journal.Nb_Tests, 0);
    w->Sauvegarder();
    EXPECT_EQ(journalBytes(), "");
    EXPECT_TRUE(eventsOf("msgbox").empty());
}

TEST_F(JournalFileTest, TemporariesOfAnInterruptedWriteAreRemovedAtStart) {
    writeJournal(kThreeTests);
    writeBytes(progPath("Diabete.glc.tmp-Ab12Cd"), "\"2000-01-08\",\"09");
    writeBytes(settingsPath() + ".tmp-Xy34Zw", "[Setup]\r\nUn");
    start();
    EXPECT_FALSE(files.exists(progPath("Diabete.glc.tmp-Ab12Cd")));
    EXPECT_FALSE(files.exists(settingsPath() + ".tmp-Xy34Zw"));
    EXPECT_EQ(w->journal.Nb_Tests, 3);
    EXPECT_TRUE(eventsOf("msgbox").empty());
}

TEST_F(JournalFileTest, ShortLastLineKeepsTheCompleteTestsAndSaysWhere) {
    sp.locale.language = "French";
    writeJournal("\"2000-01-07\",\"08:00\",\"05.0\",\"\"\r\n"
                 "\"2000-01-06\",\"07:30\"\r\n");
    start();
    EXPECT_EQ(w->journal.Nb_Tests, 1);
    const auto boxes = eventsOf("msgbox");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_TRUE(has(boxes[0], "\"title\":\"Le Dextrel\""));
    EXPECT_TRUE(has(boxes[0], "arrêtée à la ligne 2"));
    // A second start on the same damaged file keeps one copy only.
    w.reset();
    start();
    EXPECT_TRUE(files.exists(progPath("Diabete.glc.orig")));
    EXPECT_FALSE(files.exists(progPath("Diabete.glc.orig2")));
}

TEST_F(JournalFileTest, FailedSaveKeepsOldFileMemoryAndTheSaveCommand) {
    writeJournal(kThreeTests);
    start();
    addTest("2000-01-08", "09:00", "6.1", "new");
    files.failWrites = true;
    files.failOnlySuffix = "Diabete.glc";
    EXPECT_TRUE(w->click("Menu_Sauve"));
    EXPECT_EQ(journalBytes(), kThreeTests);
    EXPECT_TRUE(w->Menu_Sauve.enabled);
    EXPECT_EQ(w->journal.Nb_Tests, 4);
    EXPECT_EQ(w->journal.Note_Test[1], "new");
    const auto boxes = eventsOf("msgbox");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_TRUE(has(boxes[0], "\"title\":\"The Dextrel\""));
    EXPECT_TRUE(has(boxes[0], "No space left on device"));
    EXPECT_TRUE(has(boxes[0], "still in memory"));

    // A failing safety copy fails the save too, before the journal is touched.
    files.failOnlySuffix = ".bak";
    EXPECT_TRUE(w->click("Menu_Sauve"));
    EXPECT_EQ(journalBytes(), kThreeTests);
    EXPECT_TRUE(w->Menu_Sauve.enabled);

    // Once the disk has room again, the same command saves everything.
    files.failWrites = false;
    EXPECT_TRUE(w->click("Menu_Sauve"));
    EXPECT_FALSE(w->Menu_Sauve.enabled);
    EXPECT_EQ(w->journal.Nb_Tests, 4);
    EXPECT_EQ(journalBytes(), "\"2000-01-08\",\"09:00\",\"06.1\",\"new\"\r\n"
                              "\"2000-01-07\",\"08:00\",\"05.0\",\"Apr\xE8s repas, fatigu\xE9\"\r\n"
                              "\"2000-01-06\",\"07:30\",\"05.6\",\"\"\r\n"
                              "\"2000-01-05\",\"07:00\",\"00.0\",\"a, b, c\"\r\n");
    EXPECT_EQ(readBytes(progPath("Diabete.glc.bak")), kThreeTests);
}

TEST_F(JournalFileTest, FailedSettingsWriteAlsoKeepsTheSaveCommand) {
    writeJournal(kThreeTests);
    start();
    addTest("2000-01-08", "09:00", "6.1");
    files.failWrites = true;
    files.failOnlySuffix = "dextrel.ini";
    EXPECT_TRUE(w->click("Menu_Sauve"));
    EXPECT_TRUE(w->Menu_Sauve.enabled);
    EXPECT_EQ(w->journal.Nb_Tests, 4);
    const auto boxes = eventsOf("msgbox");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_TRUE(has(boxes[0], "The setup could not be saved"));
}

TEST_F(JournalFileTest, TestsAddedGoInNewestFirstWithTheirDayNumbers) {
    start();
    addTest("2000-01-01", "08:00", "5");
    addTest("2000-01-02", "08:00", "6");
    addTest("not a date", "08:00", "7");
    const Journal& j = w->journal;
    EXPECT_EQ(j.Nb_Tests, 3);
    EXPECT_EQ(j.Taux_Test[1], "7");
    EXPECT_EQ(j.Taux_Test[2], "6");
    EXPECT_EQ(j.Taux_Test[3], "5");
    EXPECT_EQ(j.Taux_Test[0], "7");  // slot 0 keeps a copy
    EXPECT_EQ(j.dayNumber[1], Journal::kNoDay);
    EXPECT_EQ(j.dayNumber[2], DateTime::fromParts(2000, 1, 2).day());
    EXPECT_EQ(j.dayNumber[3], DateTime::fromParts(2000, 1, 1).day());
}

TEST_F(JournalFileTest, FullJournalRefusesInTheCurrentLanguage) {
    start();
    w->journal.Nb_Tests = kMaxTests - 1;
    EXPECT_FALSE(w->refuseFullJournal());
    w->journal.Nb_Tests = kMaxTests;
    EXPECT_TRUE(w->refuseFullJournal());
    const auto boxes = eventsOf("msgbox");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_TRUE(has(boxes[0], "already holds 5000 tests"));
}

TEST_F(JournalFileTest, UnstorableTextIsRefusedNamingTheField) {
    start();
    EXPECT_FALSE(w->refuseUnstorableText("Après, 2 €", "Note"));
    EXPECT_TRUE(w->refuseUnstorableText("a \"b\"", "Note"));
    EXPECT_TRUE(w->refuseUnstorableText("日", "Rate"));
    const auto boxes = eventsOf("msgbox");
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_TRUE(has(boxes[0], "The field Note cannot hold a double quote"));
    EXPECT_TRUE(has(boxes[1], "The field Rate holds a character"));
    EXPECT_TRUE(has(boxes[1], "日"));
}

TEST_F(JournalFileTest, UnsavedDataGuardTurnsTheMenuOff) {
    writeJournal(kThreeTests);
    start();
    w->Donnees_Presentes();
    EXPECT_TRUE(eventsOf("msgbox").empty());
    addTest("2000-01-08", "09:00", "5");
    EXPECT_TRUE(w->openMenu("Menu_Hystorique"));
    EXPECT_FALSE(w->Menu_Hystorique.enabled);
    const auto boxes = eventsOf("msgbox");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_TRUE(has(boxes[0], "You must save your actual data"));
    w->click("Menu_Sauve");
    EXPECT_TRUE(w->Menu_Hystorique.enabled);
}

} // namespace
} // namespace dx::journal_test
