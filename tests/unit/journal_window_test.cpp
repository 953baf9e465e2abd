// The journal and settings files through the window: damaged files, saves,
// erases and quits that cannot write, notes, the unit and language settings,
// and the file store beneath them.

#include "window_fixture.h"

namespace dx::testing {
namespace {

// Windows-1252: è is E8, é is E9.
const std::string kThreeTests =
    "\"2000-01-07\",\"08:00\",\"5\",\"Apr\xE8s repas, fatigu\xE9\"\r\n"
    "\"2000-01-06\",\"07:30\",\"5.56\",\"\"\r\n"
    "\"2000-01-05\",\"07:00\",\"high\",\"a, b, c\"\r\n";

using JournalFileTest = WindowTest;

TEST_F(JournalFileTest, TemporariesOfAnInterruptedWriteAreRemovedAtStart) {
    writeJournal(kThreeTests);
    writeBytes(progPath("Diabete.glc.tmp-Ab12Cd"), "\"2000-01-08\",\"09");
    writeBytes(settingsPath() + ".tmp-Xy34Zw", "[Setup]\r\nUn");
    launch();
    EXPECT_FALSE(files.exists(progPath("Diabete.glc.tmp-Ab12Cd")));
    EXPECT_FALSE(files.exists(settingsPath() + ".tmp-Xy34Zw"));
    EXPECT_EQ(w->journal.Nb_Tests, 3);
    EXPECT_TRUE(eventsOf("msgbox").empty());
}

TEST_F(JournalFileTest, ADamagedFileIsCopiedOnceOnly) {
    writeJournal("\"2000-01-07\",\"08:00\",\"05.0\",\"\"\r\n\"2000-01-06\",\"07:30\"\r\n");
    launch();
    ASSERT_EQ(w->journal.Nb_Tests, 1);
    w.reset();
    launch();
    EXPECT_TRUE(files.exists(progPath("Diabete.glc.orig")));
    EXPECT_FALSE(files.exists(progPath("Diabete.glc.orig2")));
}

TEST_F(JournalFileTest, FailedSaveKeepsOldFileMemoryAndTheSaveCommand) {
    writeJournal(kThreeTests);
    launch();
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

    // A settings file that cannot be written fails the save too.
    files.failOnlySuffix = "dextrel.ini";
    events.clear();
    EXPECT_TRUE(w->click("Menu_Sauve"));
    EXPECT_TRUE(w->Menu_Sauve.enabled);
    ASSERT_EQ(eventsOf("msgbox").size(), 1u);
    EXPECT_TRUE(has(eventsOf("msgbox")[0], "The setup could not be saved"));

    // Once the disk has room again, the same command saves everything.
    files.failWrites = false;
    EXPECT_TRUE(w->click("Menu_Sauve"));
    EXPECT_FALSE(w->Menu_Sauve.enabled);
    EXPECT_EQ(journalBytes().rfind("\"2000-01-08\",\"09:00\",\"06.1\",\"new\"\r\n", 0), 0u);
}

TEST_F(JournalFileTest, TestsAddedGoInNewestFirstWithTheirDayNumbers) {
    launch();
    addTest("2000-01-01", "08:00", "5");
    addTest("2000-01-02", "08:00", "6");
    addTest("not a date", "08:00", "7");
    const Journal& j = w->journal;
    EXPECT_EQ(j.Nb_Tests, 3);
    EXPECT_EQ(
        std::string(j.Taux_Test[1]) + std::string(j.Taux_Test[2]) + std::string(j.Taux_Test[3]),
        "765");
    EXPECT_EQ(j.Taux_Test[0], "7");  // slot 0 keeps a copy
    EXPECT_EQ(j.dayNumber[1], Journal::kNoDay);
    EXPECT_EQ(j.dayNumber[2], day(2000, 1, 2).day());
    EXPECT_EQ(j.dayNumber[3], day(2000, 1, 1).day());
}

// The table keeps a load's texts in one buffer: a second load, shorter
// than the first, must leave the slots it does not reach (and the staged
// test of slot 0) as they were, and a note set afterwards must not move
// any other text.
TEST_F(JournalFileTest, AReloadLeavesTheSlotsItDoesNotReachAsTheyWere) {
    launch();
    addTest("2000-01-01", "08:00", "5", "first");
    addTest("2000-01-02", "09:00", "6");
    addTest("2000-01-03", "10:00", "7", "third");
    writeJournal("\"2000-01-08\",\"07:00\",\"08.0\",\"\"\r\n");
    w->Recuperer();
    const Journal& j = w->journal;
    ASSERT_EQ(j.Nb_Tests, 1);
    EXPECT_EQ(j.Date_Test[1], "2000-01-08");
    EXPECT_EQ(j.Taux_Test[1], "08.0");
    EXPECT_EQ(j.Date_Test[0], "2000-01-03");
    EXPECT_EQ(j.Note_Test[0], "third");
    EXPECT_EQ(j.Heure_Test[2], "09:00");
    EXPECT_EQ(j.Date_Test[3], "2000-01-01");
    EXPECT_EQ(j.Note_Test[3], "first");
    w->journal.Note_Test.set(1, "after a walk");
    EXPECT_EQ(j.Note_Test[1], "after a walk");
    EXPECT_EQ(j.Date_Test[1], "2000-01-08");
    EXPECT_EQ(j.Note_Test[3], "first");
}

TEST_F(JournalFileTest, UnsavedDataGuardTurnsTheMenuOff) {
    writeJournal(kThreeTests);
    launch();
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

// Newest 1999-12-20, oldest 1999-01-05; levels not in the stored format, so
// that a reformatting would show.
const std::string kYear =
    "\"1999-12-20\",\"08:00\",\"5\",\"\"\r\n"
    "\"1999-09-15\",\"08:00\",\"6\",\"\"\r\n"
    "\"1999-06-01\",\"08:00\",\"7\",\"x, y\"\r\n"
    "\"1999-05-31\",\"08:00\",\"8\",\"\"\r\n"
    "\"1999-01-05\",\"08:00\",\"9\",\"\"\r\n";

class JournalEraseTest : public WindowTest {
protected:
    void startAndErase(const std::string& typed, bool addOne) {
        writeJournal(kYear);
        launch();
        if (addOne) addTest("2000-01-02", "10:00", "4.4");
        events.clear();
        answerText(typed);
        answer(ScriptedAnswer::Yes);
        EXPECT_TRUE(w->click("Menu_Eff"));
    }
};

TEST_F(JournalEraseTest, UnsavedTestsAreCountedAndWrittenWithTheKeptOnes) {
    startAndErase("1999-06-01", true);
    EXPECT_TRUE(has(eventsOf("inputbox")[0], "you have 6 TEST"));
    EXPECT_EQ(w->journal.Nb_Tests, 4);
    EXPECT_EQ(journalBytes(), "\"2000-01-02\",\"10:00\",\"4.4\",\"\"\r\n" +
                                  kYear.substr(0, kYear.find("\"1999-05-31\"")));
    EXPECT_TRUE(w->Menu_Sauve.enabled);
}

TEST_F(JournalEraseTest, FailedRewriteErasesNothingAndSaysSo) {
    sp.locale.language = "French";
    files.failWrites = true;
    startAndErase("1999-06-01", false);
    EXPECT_EQ(w->journal.Nb_Tests, 5);
    EXPECT_EQ(journalBytes(), kYear);
    const auto boxes = eventsOf("msgbox");
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_TRUE(has(boxes[0], "EFFACER toutes les données avant le 1999-06-01"));
    EXPECT_TRUE(has(boxes[1], "\"title\":\"Le Dextrel\""));
    EXPECT_TRUE(has(boxes[1], "No space left on device"));
    EXPECT_TRUE(has(boxes[1], "Rien n'a été effacé"));
}

using StartupTest = WindowTest;

TEST_F(StartupTest, NoToBothQuestionsWritesNothing) {
    launch();
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
    launch();
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
    for (auto kind :
         {ScriptedAnswer::Yes, ScriptedAnswer::Ok, ScriptedAnswer::Ok, ScriptedAnswer::No})
        answer(kind);
    w->click("Menu_Quitter");
    EXPECT_TRUE(w->ended());
}

TEST_F(StartupTest, NoteCancelledEmptyOrUnstorableChangesNothing) {
    writeJournal(
        "\"2000-01-07\",\"18:30\",\"6.2\",\"\"\r\n"
        "\"2000-01-06\",\"07:00\",\"5\",\"old, note\"\r\n");
    launch();
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

using SettingsWindowTest = WindowTest;

TEST_F(SettingsWindowTest, ExtraCharactersBeforeTheDigitAnyNonZeroUnitAndTheLock) {
    writeBytes(settingsPath(), "[Setup]\r\nUnite=01\r\nLock=0\r\nAnimation=5\r\n");
    launch();
    EXPECT_EQ(w->settings.Unite, 1);
    EXPECT_TRUE(w->Menu_OptMG.checked);
    EXPECT_EQ(w->Aff_Anim.caption, "5");

    // A unit of 7 acts as mg/dl and is written back; a lock hides the choice.
    writeSettings(7, 1);
    launch();
    EXPECT_EQ(w->settings.Facteur_Unite, 18);
    EXPECT_EQ(w->Aff_Niveau[1]->caption, "90");
    EXPECT_EQ(w->Aff_Niveau[5]->caption, "450");
    EXPECT_FALSE(w->Menu_Ligne2b.visible || w->Menu_OptMM.visible || w->Menu_OptMG.visible);
    w->Sauver_Init();
    EXPECT_EQ(readBytes(settingsPath()), "[Setup]\r\nUnite=7\r\nLock=1\r\nAnimation=0\r\n");
}

TEST_F(SettingsWindowTest, SwitchReformatsTheLevelOnShowButNotTheJournal) {
    start({{"2000-01-07", "08:00", "05.6", ""}});
    EXPECT_EQ(w->Aff_Resultat.caption, "05.6");
    answer(ScriptedAnswer::No);
    w->click("Menu_OptMG");
    EXPECT_EQ(w->Aff_Resultat.caption, "6");
    EXPECT_EQ(w->Menu_Res1.caption, "Optimal: >= 72 and <126");
    // The unit already checked asks nothing.
    events.clear();
    EXPECT_TRUE(w->click("Menu_OptMG"));
    EXPECT_TRUE(events.empty());
    answer(ScriptedAnswer::No);
    w->click("Menu_OptMM");
    EXPECT_EQ(w->Aff_Resultat.caption, "06.0");
    EXPECT_EQ(w->journal.Taux_Test[1], "05.6");
}

// The French captions are shown by the French scenarios.
TEST_F(SettingsWindowTest, OnlyFrenchItselfGivesTheFrenchCaptions) {
    for (const char* language : {"German", "french"}) {
        sp.locale.language = language;
        launch();
        EXPECT_EQ(w->Aff_Langue.caption, "0") << language;
        EXPECT_EQ(w->form.caption, "Glucose monotor") << language;
        EXPECT_EQ(w->Menu_Res1.caption, "Optimal: >= 4 and <7") << language;
    }
}

// The file store under the journal and the settings: whole files or nothing.
class FileStoreTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        dir = root + "/prog";
    }
    std::string dir;
    PosixFileStore store;
};

namespace fs = std::filesystem;

TEST_F(FileStoreTest, WritesWholeFilesAndReadsThemBack) {
    std::string error;
    const std::string path = dir + "/Diabete.glc";
    EXPECT_FALSE(store.read(path));
    for (const std::string& bytes : {std::string("a\0b\r\n", 5), std::string()}) {
        ASSERT_TRUE(store.writeAtomic(path, bytes, error)) << error;
        EXPECT_EQ(*store.read(path), bytes);
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
    EXPECT_TRUE(store.remove(path));
    EXPECT_FALSE(store.exists(path));
}

// The copy is a second name for the file: it must keep the old bytes when
// the original is written again, and replace an older copy whole.
TEST_F(FileStoreTest, ACopyKeepsTheBytesItWasMadeOf) {
    std::string error;
    const std::string path = dir + "/Diabete.glc";
    const std::string copy = path + ".bak";
    EXPECT_FALSE(store.copyAtomic(path, copy, error));
    EXPECT_EQ(error, "");
    EXPECT_FALSE(store.exists(copy));
    ASSERT_TRUE(store.writeAtomic(copy, "older", error));
    ASSERT_TRUE(store.writeAtomic(path, "old", error));
    ASSERT_TRUE(store.copyAtomic(path, copy, error)) << error;
    ASSERT_TRUE(store.writeAtomic(path, "new", error));
    EXPECT_EQ(*store.read(copy), "old");
    EXPECT_EQ(*store.read(path), "new");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 2);
}

TEST_F(FileStoreTest, AFailedWriteSaysWhyAndLeavesNothingBehind) {
    std::string error;
    EXPECT_FALSE(store.writeAtomic(dir + "/missing/Diabete.glc", "x", error));
    EXPECT_FALSE(error.empty());
    // A folder standing where the file should go cannot be replaced.
    fs::create_directory(dir + "/Diabete.glc");
    error.clear();
    EXPECT_FALSE(store.writeAtomic(dir + "/Diabete.glc", "x", error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
}

TEST_F(FileStoreTest, LeftoversOfAnInterruptedWriteAreRemovedAndNothingElse) {
    const std::string path = dir + "/Diabete.glc";
    for (const char* name :
         {"/Diabete.glc.tmp-Ab12Cd", "/Diabete.glc.bak.tmp-Xy34Zw", "/Diabete.glc.tmp-keepme-not",
          "/Diabete.glc.bak", "/Other.glc.tmp-Ab12Cd"})
        std::ofstream(dir + name) << "x";
    store.removeLeftovers({path, path + ".bak"});
    EXPECT_FALSE(fs::exists(dir + "/Diabete.glc.tmp-Ab12Cd"));
    EXPECT_FALSE(fs::exists(dir + "/Diabete.glc.bak.tmp-Xy34Zw"));
    EXPECT_TRUE(fs::exists(dir + "/Diabete.glc.tmp-keepme-not"));
    EXPECT_TRUE(fs::exists(dir + "/Diabete.glc.bak"));
    EXPECT_TRUE(fs::exists(dir + "/Other.glc.tmp-Ab12Cd"));
}

}  // namespace
}  // namespace dx::testing
