// The journal's text: fields and tests read from the file, its encodings,
// the lines written back, dates in the short-date patterns and the calendar's
// month and year lengths.

#include <gtest/gtest.h>

#include <memory>
#include <string_view>

#include "journal/calendar.h"
#include "journal/datetext.h"
#include "journal/journal.h"
#include "journal/journal_codec.h"

namespace dx {
namespace {

using Fields = std::vector<std::string>;

Fields readAll(std::string_view text) {
    FieldReader r(text);
    Fields out;
    std::string f;
    while (r.next(f) == FieldReader::Status::Field) out.push_back(f);
    return out;
}

TEST(JournalFieldReader, QuotedUnquotedBlanksLineEndsAndAnOpenQuote) {
    EXPECT_EQ(readAll("\"a, b\",  c,\"\"\r\nd\ne\rf"), (Fields{"a, b", "c", "", "d", "e", "f"}));
    // A comma just before the end still gives one empty field.
    EXPECT_EQ(readAll("x,"), (Fields{"x", ""}));
    // What follows a closing quote up to the separator is dropped.
    EXPECT_EQ(readAll("\"ab\"cd,e"), (Fields{"ab", "e"}));
    // A blank line is one empty field.
    EXPECT_EQ(readAll("a\r\n\r\nb"), (Fields{"a", "", "b"}));
    // A quote not closed on its line stops the reading.
    FieldReader r("\"abc\r\n\"def\"");
    std::string f;
    EXPECT_EQ(r.next(f), FieldReader::Status::OpenQuote);
}

TEST(JournalParse, ReadsFourFieldsPerTestNotPerLine) {
    const auto p = parseJournal(
        "\"1999-12-31\",\"07:45\",\"05.6\",\"\"\r\n1999-12-30,07:00\r\n6,note\r\n", kMaxTests);
    ASSERT_EQ(p.tests.size(), 2u);
    EXPECT_EQ(p.stop, ParsedJournal::Stop::None);
    EXPECT_EQ(p.tests[1].date, "1999-12-30");
    EXPECT_EQ(p.tests[1].level, "6");
    EXPECT_EQ(p.tests[1].note, "note");
}

TEST(JournalParse, StopsAtAShortLineAnOpenQuoteOrTheLineBeyondTheLimit) {
    const std::string good = "\"1999-12-31\",\"07:45\",\"05.6\",\"\"\r\n";
    std::string fourTests;
    for (int i = 0; i < 4; ++i) fourTests += "\"d\",\"t\",\"1\",\"\"\r\n";
    struct Case {
        std::string bytes;
        size_t limit, tests;
        ParsedJournal::Stop stop;
        int line;  // where reading stopped, when it did
    };
    const Case cases[] = {
        {good + good + "\"1999-12-29\",\"07:00\"\r\n", kMaxTests, 2,
         ParsedJournal::Stop::ShortRecord, 3},
        // A last line without its CR LF is whole.
        {good + "\"1999-12-29\",\"07:00\",\"4\",\"n\"", kMaxTests, 2, ParsedJournal::Stop::None, 0},
        // Blank lines between tests and at the end are no tests.
        {good + "\r\n  \r\n" + good + "\r\n", kMaxTests, 2, ParsedJournal::Stop::None, 0},
        {good + "\"1999-12-29\",\"07:00\",\"4\",\"open\r\n" + good, kMaxTests, 1,
         ParsedJournal::Stop::OpenQuote, 2},
        {fourTests, 3, 3, ParsedJournal::Stop::TooManyTests, 4},
        {"", kMaxTests, 0, ParsedJournal::Stop::None, 0},
    };
    for (const Case& c : cases) {
        const auto p = parseJournal(c.bytes, c.limit);
        EXPECT_EQ(p.tests.size(), c.tests) << c.bytes;
        EXPECT_EQ(p.stop, c.stop) << c.bytes;
        if (c.stop != ParsedJournal::Stop::None) {
            EXPECT_EQ(p.stopLine, c.line) << c.bytes;
        }
    }
}

TEST(JournalEncoding, Windows1252BothWaysAndUtf8WhereItMustBe) {
    // é, €, œ and an undefined byte read back as the same bytes.
    const std::string bytes = "caf\xE9 \x80 \x9C \x81";
    EXPECT_EQ(cp1252ToUtf8(bytes), "café € œ \xC2\x81");
    EXPECT_EQ(utf8ToCp1252(cp1252ToUtf8(bytes)), bytes);
    EXPECT_EQ(utf8ToCp1252("日"), std::nullopt);

    EXPECT_EQ(decodeJournalBytes("caf\xC3\xA9"), "café");  // valid UTF-8
    EXPECT_EQ(decodeJournalBytes("caf\xE9"), "café");      // Windows-1252
    EXPECT_EQ(decodeJournalBytes("\xEF\xBB\xBF"
                                 "abc"),
              "abc");  // byte-order mark
    EXPECT_EQ(decodeJournalBytes("plain"), "plain");
    // Text with a character outside the code page is written as UTF-8,
    // which reads back unchanged.
    EXPECT_EQ(encodeJournalText("é"), "\xE9");
    EXPECT_EQ(decodeJournalBytes(encodeJournalText("é 日")), "é 日");
    // Windows-1252 letters whose bytes read as UTF-8 are written in UTF-8,
    // so that they read back unchanged (found by the fuzzer).
    for (const char* text : {"ï»¿9-1-321", "cafÃ©", "Ã©tÃ© Ã"})
        EXPECT_EQ(decodeJournalBytes(encodeJournalText(text)), text) << text;
}

TEST(JournalLine, StorableTextExactBytesAndNoBrokenLines) {
    EXPECT_EQ(checkStorable("Après le repas, 2 € ; œuf").problem, Unstorable::None);
    EXPECT_EQ(checkStorable("say \"hi\"").problem, Unstorable::Quote);
    EXPECT_EQ(checkStorable("a\nb").problem, Unstorable::LineBreak);
    EXPECT_EQ(checkStorable("a\rb").problem, Unstorable::LineBreak);
    const StorableCheck c = checkStorable("ok 日 no");
    EXPECT_EQ(c.problem, Unstorable::OutsideCodePage);
    EXPECT_EQ(c.character, "日");

    const auto lineOf = [](std::string_view date, std::string_view time, std::string_view level,
                           std::string_view note) {
        const auto journal = std::make_unique<Journal>();
        journal->Nb_Tests = 1;
        journal->Date_Test.set(1, date);
        journal->Heure_Test.set(1, time);
        journal->setLevel(1, level);
        journal->Note_Test.set(1, note);
        return journalFileBytes(*journal);
    };
    EXPECT_EQ(lineOf("1999-12-31", "07:45", "05.6", ""),
              "\"1999-12-31\",\"07:45\",\"05.6\",\"\"\r\n");
    // Whatever slipped past the entry checks still reads back as one test.
    EXPECT_EQ(lineOf("d", "t", "1", "a \"b\"\nc"), "\"d\",\"t\",\"1\",\"a 'b' c\"\r\n");
}

DateTime d(int y, int m, int day) { return DateTime::fromParts(y, m, day); }

TEST(DateText, RoundTripsThroughShortDatePatterns) {
    for (auto [date, pattern, text] : {std::tuple{d(1999, 12, 31), "yyyy-MM-dd", "1999-12-31"},
                                       {d(1999, 12, 31), "M/d/yyyy", "12/31/1999"},
                                       {d(1999, 12, 31), "dd/MM/yyyy", "31/12/1999"},
                                       {d(2000, 1, 8), "dd/MM/yyyy", "08/01/2000"}}) {
        EXPECT_EQ(formatShortDate(date, pattern), text) << pattern;
        EXPECT_EQ(parseDate(text, pattern), date) << pattern;
    }
    EXPECT_FALSE(parseDate("1999-02-30", "yyyy-MM-dd"));
    EXPECT_FALSE(parseDate("hello", "yyyy-MM-dd"));
    EXPECT_EQ(parseDate("00:00:00", "yyyy-MM-dd"), DateTime());
    EXPECT_EQ(d(2000, 1, 8).weekday(), 7);  // a Saturday
    EXPECT_EQ(DateTime().iso(), "1899-12-30");
}

// Day numbers and calendar dates convert both ways without a gap or a
// double, near today and across the edges where the conversion changes its
// method, some 27,000 years out.
TEST(CalendarLengths, EveryDayRoundTripsThroughItsCalendarDate) {
    const auto check = [](int64_t day) {
        int year = 0, month = 0, dayOfMonth = 0;
        civilFromDays(day, year, month, dayOfMonth);
        ASSERT_TRUE(month >= 1 && month <= 12 && dayOfMonth >= 1 &&
                    dayOfMonth <= daysInMonth(year, month))
            << day;
        ASSERT_EQ(daysFromCivil(year, month, dayOfMonth), day) << day;
    };
    const int64_t unixEpoch = d(1970, 1, 1).day();
    for (int64_t day = -200'000; day <= 200'000; ++day) check(day);
    for (int64_t day = -10'100'000; day <= 10'100'000; day += 97) check(unixEpoch + day);
    for (const int64_t edge : {-10'000'000, 10'000'000})
        for (int64_t day = edge - 2000; day <= edge + 2000; ++day) check(unixEpoch + day);
}

TEST(CalendarLengths, DaysOfTheDatesMonthAndOfThePreviousOne) {
    for (int day = 1; day <= 29; ++day) EXPECT_EQ(Qte_Jrs_Dans_Mois(d(2000, 2, day)), 29) << day;
    for (auto [date, days] : {std::pair{d(1999, 2, 1), 28},
                              {d(1999, 2, 28), 28},
                              {d(1999, 12, 1), 31},
                              {d(1999, 12, 31), 31},
                              {d(2000, 4, 30), 30}})
        EXPECT_EQ(Qte_Jrs_Dans_Mois(date), days) << date.iso();
    for (auto [date, days] :
         {std::pair{d(2000, 3, 15), 29}, {d(2000, 1, 1), 31}, {d(1999, 5, 31), 30}})
        EXPECT_EQ(Qte_Jours_Dans_Mois_Prec(date), days) << date.iso();
    // Against the lengths counted by stepping over the days themselves, across
    // the century rules and before year 1.
    for (const int from : {-401, 1599, 1899, 2099, 2399}) {
        const int64_t first = d(from, 1, 1).day(), last = d(from + 2, 12, 31).day();
        for (int64_t day = first; day <= last; ++day) {
            const DateTime date = DateTime::fromDays(day);
            const DateTime lastOfPrevious = date.addDays(-date.dayOfMonth());
            const DateTime lastOfOwn =
                lastOfPrevious.addDays(32).addDays(-lastOfPrevious.addDays(32).dayOfMonth());
            ASSERT_EQ(Qte_Jrs_Dans_Mois(date), lastOfOwn.dayOfMonth()) << date.iso();
            ASSERT_EQ(Qte_Jours_Dans_Mois_Prec(date), lastOfPrevious.dayOfMonth()) << date.iso();
        }
    }
}

// From a month's last day the next month runs to its last day; from an
// earlier day, the date's own month does.
TEST(CalendarLengths, NextMonthMovesTheDateToTheLastDayOfTheMonthItCounts) {
    for (auto [from, days, to] : {std::tuple{d(1999, 1, 31), 28, d(1999, 2, 28)},
                                  {d(1999, 2, 28), 31, d(1999, 3, 31)},
                                  {d(2000, 1, 1), 31, d(2000, 1, 31)},
                                  {d(2000, 2, 24), 29, d(2000, 2, 29)}}) {
        DateTime date = from;
        EXPECT_EQ(Qte_Jours_Dans_Mois_Suiv(date), days) << from.iso();
        EXPECT_EQ(date, to) << from.iso();
    }
}

TEST(CalendarLengths, YearNextToTheDateFollowsTheMoveAndTheOldestTest) {
    struct Case {
        DateTime date;
        int move;
        std::optional<DateTime> oldest;
        int days;
    };
    const Case cases[] = {
        // Forward (or no move): the year after. 1999 + 1 = 2000 is divisible by 4.
        {d(1999, 6, 1), 2, d(1998, 2, 28), 366},
        {d(1999, 6, 1), 0, d(1998, 2, 28), 366},
        {d(1998, 6, 1), 2, d(1998, 2, 28), 365},
        // Back: the year before. 2001 - 1 = 2000.
        {d(2001, 6, 1), 1, d(1998, 2, 28), 366},
        {d(2000, 6, 1), 1, d(1998, 2, 28), 365},
        // The oldest test's three parts are compared one by one.
        {d(1999, 6, 1), 2, d(2000, 2, 28), 366},
        {d(1999, 6, 1), 2, d(2000, 2, 29), 365},
        {d(1999, 6, 1), 2, d(2000, 3, 1), 365},
        {d(1999, 6, 1), 2, d(1990, 1, 29), 365},
        {d(1999, 6, 1), 2, d(2001, 1, 1), 365},
        // No oldest test: 365.
        {d(1999, 6, 1), 2, std::nullopt, 365},
        // Centuries count as leap years.
        {d(1899, 6, 1), 2, d(1800, 1, 1), 366},
        {d(2099, 6, 1), 2, d(1800, 1, 1), 366},
    };
    for (const Case& c : cases)
        EXPECT_EQ(yearLengthNextTo(c.date, c.move, c.oldest), c.days)
            << c.date.iso() << " move " << c.move << " oldest "
            << (c.oldest ? c.oldest->iso() : "none");
}

}  // namespace
}  // namespace dx
