// The logbook's changes and the import through the window: the entry
// panel's checks, nothing changed when refused, the journal then unsaved.

#include "report/logbook.h"

#include "journal/journal_codec.h"
#include "journal/journal_edits.h"
#include "window/entry_rules.h"
#include "window/report_commands.h"
#include "window_fixture.h"

namespace dx::testing {
namespace {

using report::Logbook;
using report::Outcome;
using report::TestEdit;

class LogbookTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        start({{"2000-01-07", "12:00", "07.0", "lunch"},
               {"2000-01-07", "10:00", "06.0", "Coffee"},
               {"2000-01-06", "08:00", "05.0", ""}});
    }
    std::string held() const { return journalFileBytes(w->journal); }
    void expectUnsaved() const {
        EXPECT_TRUE(w->Menu_Sauve.enabled);
        EXPECT_TRUE(w->Menu_Fichier.enabled);
        EXPECT_TRUE(w->Curseur.enabled);
        EXPECT_FALSE(w->Menu_Prev.enabled);
        EXPECT_FALSE(w->Menu_Option.enabled);
    }
};

TEST_F(LogbookTest, EditsLevelTimeAndNote) {
    Logbook book(report::logbookContext(*w));
    ASSERT_FALSE(w->Menu_Sauve.enabled);
    EXPECT_TRUE(book.edit(2, {"6.25", "11:59", "decaf"}).done);
    EXPECT_EQ(w->journal.Taux_Test[2], entryLevelText("6.25", 0));
    EXPECT_DOUBLE_EQ(w->journal.levelNumber[2], 6.3);
    EXPECT_EQ(w->journal.Heure_Test[2], "11:59");
    EXPECT_EQ(w->journal.Note_Test[2], "decaf");
    expectUnsaved();
    EXPECT_TRUE(book.canUndo());
    EXPECT_TRUE(book.undo().done);
    EXPECT_EQ(w->journal.Taux_Test[2], "06.0");
    EXPECT_EQ(w->journal.Note_Test[2], "Coffee");
    EXPECT_FALSE(book.undo().done);
}

TEST_F(LogbookTest, RefusalsLeaveTheJournalAsItWas) {
    Logbook book(report::logbookContext(*w));
    const std::string before = held();
    const struct {
        int slot;
        TestEdit edit;
    } cases[] = {
        {2, {"0", {}, {}}},     {2, {"25.1", {}, {}}},
        {2, {{}, "8:00", {}}},  {2, {{}, "24:00", {}}},
        {2, {{}, "10:60", {}}}, {2, {{}, "12:01", {}}},
        {1, {{}, "09:59", {}}}, {2, {"5", "09:00", "say \"x\""}},
        {2, {{}, {}, "a\nb"}},  {4, {"5", {}, {}}},
        {0, {"5", {}, {}}},
    };
    for (const auto& c : cases) {
        const Outcome o = book.edit(c.slot, c.edit);
        EXPECT_FALSE(o.done);
        EXPECT_FALSE(o.message.empty());
        EXPECT_EQ(held(), before);
    }
    EXPECT_EQ(book.edit(2, {"0", {}, {}}).message, levelRefusalText(w->Aff_Dial_Taux.caption, 0));
    EXPECT_FALSE(w->Menu_Sauve.enabled);
    EXPECT_FALSE(book.canUndo());
    EXPECT_FALSE(book.remove(4).done);
}

TEST_F(LogbookTest, TimeMayMeetItsNeighbours) {
    Logbook book(report::logbookContext(*w));
    EXPECT_TRUE(book.edit(2, {{}, "12:00", {}}).done);
    EXPECT_TRUE(book.edit(2, {{}, "00:00", {}}).done);  // the older test is the day before
    EXPECT_TRUE(book.edit(1, {{}, "23:59", {}}).done);
    EXPECT_TRUE(book.edit(3, {{}, "23:59", {}}).done);
}

TEST_F(LogbookTest, DeleteAndUndo) {
    Logbook book(report::logbookContext(*w));
    const std::string before = held();
    EXPECT_TRUE(book.remove(2).done);
    EXPECT_EQ(w->journal.Nb_Tests, 2);
    EXPECT_EQ(w->journal.Heure_Test[2], "08:00");
    expectUnsaved();
    EXPECT_TRUE(book.undo().done);
    EXPECT_EQ(held(), before);
    EXPECT_EQ(w->journal.dayNumber[2], day(2000, 1, 7).day());
}

TEST_F(LogbookTest, RowsFilteredByWordAndDays) {
    const Logbook book(report::logbookContext(*w));
    EXPECT_EQ(book.rows({}).size(), 3u);
    const auto coffee = book.rows({"coFFee", {}, {}});
    ASSERT_EQ(coffee.size(), 1u);
    EXPECT_EQ(coffee[0].slot, 2);
    const int64_t d7 = day(2000, 1, 7).day();
    EXPECT_EQ(book.rows({"", d7, d7}).size(), 2u);
    EXPECT_EQ(book.rows({"", {}, d7 - 1}).size(), 1u);
}

report::ImportPlan planOf(Fenetre& w, const std::string& csv) {
    const report::CsvParse p = report::parseCsv(csv);
    EXPECT_TRUE(p.table);
    return report::planImport(*p.table, report::guessMapping(*p.table), report::journalTests(w),
                              w.win.Format_Date_Courte, 0, 0, day(2000, 1, 8).day());
}

TEST_F(LogbookTest, ImportKeepsNewestFirst) {
    const report::ImportPlan plan = planOf(*w,
                                           "date,time,level\n2000-01-08,09:00,6\n"
                                           "2000-01-05,23:00,5\n2000-01-07,11:00,8\n"
                                           "2000-01-07,12:00,9\n");
    ASSERT_TRUE(plan.acceptable());
    EXPECT_EQ(plan.duplicates, 1);
    EXPECT_TRUE(report::applyImport(*w, plan).done);
    const std::vector<std::string> expected = {"2000-01-08 09:00", "2000-01-07 12:00",
                                               "2000-01-07 11:00", "2000-01-07 10:00",
                                               "2000-01-06 08:00", "2000-01-05 23:00"};
    ASSERT_EQ(w->journal.Nb_Tests, 6);
    for (size_t i = 1; i <= expected.size(); ++i) {
        EXPECT_EQ(
            std::string(w->journal.Date_Test[i]) + " " + std::string(w->journal.Heure_Test[i]),
            expected[i - 1]);
        EXPECT_EQ(w->journal.dayNumber[i], w->textDate(w->journal.Date_Test[i])->day());
    }
    EXPECT_EQ(w->journal.Taux_Test[3], "08.0");
    expectUnsaved();
}

// Confirming a plan with a bad row takes its good rows only; a plan with
// nothing new changes nothing.
TEST_F(LogbookTest, ImportTakesTheGoodRowsOfAConfirmedPlan) {
    const std::string before = held();
    EXPECT_FALSE(report::applyImport(*w, planOf(*w, "date,time,level\n2000-01-06,08:00,6\n")).done);
    EXPECT_EQ(held(), before);
    EXPECT_FALSE(w->Menu_Sauve.enabled);

    const report::ImportPlan plan = planOf(*w, "date,time,level\n2000-01-05,09:00,6\nx,y,z\n");
    ASSERT_EQ(plan.bad.size(), 1u);
    EXPECT_TRUE(report::applyImport(*w, plan).done);
    EXPECT_EQ(w->journal.Nb_Tests, 4);
    EXPECT_EQ(w->journal.Heure_Test[4], "09:00");
    expectUnsaved();
}

}  // namespace
}  // namespace dx::testing
