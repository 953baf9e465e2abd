#include "journal_fixture.h"

namespace dx::journal_test {
namespace {

// Newest 1999-12-20, oldest 1999-01-05; levels not in the stored format, so
// that a reformatting would show.
const std::string kYear =
    "\"1999-12-20\",\"08:00\",\"5\",\"\"\r\n"
    "\"1999-09-15\",\"08:00\",\"6\",\"\"\r\n"
    "\"1999-06-01\",\"08:00\",\"7\",\"x, y\"\r\n"
    "\"1999-05-31\",\"08:00\",\"8\",\"\"\r\n"
    "\"1999-01-05\",\"08:00\",\"9\",\"\"\r\n";

class JournalEraseTest : public JournalWindowTest {
protected:
    void SetUp() override {
        JournalWindowTest::SetUp();
        writeJournal(kYear);
        start();
        events.clear();
    }
    // Erases with the typed answer (and Yes or No to the question).
    void erase(const std::string& typed, ScriptedAnswer::Kind toQuestion = ScriptedAnswer::Yes) {
        answerText(typed);
        answer(toQuestion);
        EXPECT_TRUE(w->click("Menu_Eff"));
        sp.dialogs.answers.clear();
    }
};

TEST_F(JournalEraseTest, UnsavedTestsAreCountedAndWrittenWithTheKeptOnes) {
    addTest("2000-01-02", "10:00", "4.4");
    const Journal& j = w->journal;
    erase("1999-06-01");
    EXPECT_TRUE(has(eventsOf("inputbox")[0], "you have 6 TEST"));
    EXPECT_EQ(j.Nb_Tests, 4);
    EXPECT_EQ(journalBytes(), "\"2000-01-02\",\"10:00\",\"4.4\",\"\"\r\n" +
                                  kYear.substr(0, kYear.find("\"1999-05-31\"")));
    EXPECT_TRUE(w->Menu_Sauve.enabled);
}

TEST_F(JournalEraseTest, FailedRewriteErasesNothingAndSaysSo) {
    sp.locale.language = "French";
    w.reset();
    start();
    events.clear();
    files.failWrites = true;
    erase("1999-06-01");
    EXPECT_EQ(w->journal.Nb_Tests, 5);
    EXPECT_EQ(journalBytes(), kYear);
    const auto boxes = eventsOf("msgbox");
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_TRUE(has(boxes[0], "EFFACER toutes les données avant le 1999-06-01"));
    EXPECT_TRUE(has(boxes[1], "\"title\":\"Le Dextrel\""));
    EXPECT_TRUE(has(boxes[1], "No space left on device"));
    EXPECT_TRUE(has(boxes[1], "Rien n'a été effacé"));
    EXPECT_TRUE(has(eventsOf("inputbox")[0], "Vous avez présentement 5 analyses en mémoire."));
}

} // namespace
} // namespace dx::journal_test
