// The journal's entry points for the logbook and the import: the 5000-test
// limit and the slots each checks, nothing changed when refused, and the
// place a new test takes among the held ones.

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "journal/datetext.h"
#include "journal/journal_codec.h"
#include "journal/journal_edits.h"
#include "journal/journal_io.h"

namespace dx {
namespace {

const int64_t kNewest = DateTime::fromParts(2000, 1, 8).day();

// count tests at noon, one a day, the newest on 2000-01-08.
std::unique_ptr<Journal> journalOf(int count) {
    std::string bytes;
    for (int i = 0; i < count; ++i)
        bytes += "\"" + DateTime::fromDays(kNewest - i).iso() + "\",\"12:00\",\"05.0\",\"\"\r\n";
    auto j = std::make_unique<Journal>();
    loadJournal(*j, bytes, DateTextReader("yyyy-MM-dd"));
    return j;
}

NewTest on(int64_t day, const char* time) {
    return {DateTime::fromDays(day).iso(), time, "07.0", "new", day};
}

TEST(JournalEdits, EachChangeChecksItsSlotAndTheLimitAndRefusesWhole) {
    struct Case {
        const char* what;
        int held;
        std::function<JournalEdit(Journal&)> change;
        JournalEdit expected;
        int countAfter;
    };
    const std::vector<NewTest> two = {on(kNewest + 2, "09:00"), on(kNewest + 1, "09:00")};
    const std::vector<NewTest> three = {on(kNewest + 3, "09:00"), on(kNewest + 2, "09:00"),
                                        on(kNewest + 1, "09:00")};
    const Case cases[] = {
        {"two fill the journal", kMaxTests - 2, [&](Journal& j) { return addTests(j, two); },
         JournalEdit::Done, kMaxTests},
        {"three do not fit", kMaxTests - 2, [&](Journal& j) { return addTests(j, three); },
         JournalEdit::JournalFull, kMaxTests - 2},
        {"insert into a full journal", kMaxTests,
         [](Journal& j) { return insertTest(j, 1, on(kNewest, "13:00")); },
         JournalEdit::JournalFull, kMaxTests},
        {"insert after the oldest", 3,
         [](Journal& j) { return insertTest(j, 4, on(kNewest - 5, "13:00")); }, JournalEdit::Done,
         4},
        {"insert beyond it", 3, [](Journal& j) { return insertTest(j, 5, on(kNewest, "13:00")); },
         JournalEdit::NoSuchTest, 3},
        {"replace slot 0", 3, [](Journal& j) { return replaceTest(j, 0, "10:00", "06.0", ""); },
         JournalEdit::NoSuchTest, 3},
        {"replace past the oldest", 3,
         [](Journal& j) { return replaceTest(j, 4, "10:00", "06.0", ""); }, JournalEdit::NoSuchTest,
         3},
        {"remove the oldest", 3, [](Journal& j) { return removeTest(j, 3); }, JournalEdit::Done, 2},
        {"remove from an empty journal", 0, [](Journal& j) { return removeTest(j, 1); },
         JournalEdit::NoSuchTest, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto j = journalOf(c.held);
        const std::string before = journalFileBytes(*j);
        EXPECT_EQ(c.change(*j), c.expected);
        EXPECT_EQ(j->Nb_Tests, c.countAfter);
        if (c.expected != JournalEdit::Done) {
            EXPECT_EQ(journalFileBytes(*j), before);
        }
    }
}

TEST(JournalEdits, NewTestsTakeTheirPlaceByDateThenTime) {
    auto j = journalOf(3);  // the 8th, 7th and 6th at noon
    const std::vector<NewTest> added = {on(kNewest + 1, "07:00"), on(kNewest - 1, "12:30"),
                                        on(kNewest - 2, "11:59"), on(kNewest - 9, "23:00")};
    ASSERT_EQ(addTests(*j, added), JournalEdit::Done);
    const std::vector<std::string> expected = {
        "2000-01-09 07:00 new", "2000-01-08 12:00 ",    "2000-01-07 12:30 new", "2000-01-07 12:00 ",
        "2000-01-06 12:00 ",    "2000-01-06 11:59 new", "1999-12-30 23:00 new"};
    ASSERT_EQ(j->Nb_Tests, 7);
    for (int i = 1; i <= 7; ++i) {
        const auto at = static_cast<size_t>(i);
        EXPECT_EQ(std::string(j->Date_Test[at]) + " " + std::string(j->Heure_Test[at]) + " " +
                      std::string(j->Note_Test[at]),
                  expected[at - 1]);
        EXPECT_EQ(j->dayNumber[at], parseDate(j->Date_Test[at], "yyyy-MM-dd")->day());
    }
    EXPECT_DOUBLE_EQ(j->levelNumber[3], 7.0);
}

}  // namespace
}  // namespace dx
