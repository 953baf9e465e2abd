#include <gtest/gtest.h>

#include "journal/journal.h"
#include "journal/journal_codec.h"

namespace dx {
namespace {

std::vector<std::string> readAll(std::string_view text) {
    FieldReader r(text);
    std::vector<std::string> out;
    std::string f;
    while (r.next(f) == FieldReader::Status::Field) out.push_back(f);
    return out;
}

TEST(JournalFieldReader, QuotedUnquotedBlanksAndLineEnds) {
    EXPECT_EQ(readAll("\"a, b\",  c,\"\"\r\nd\ne\rf"),
              (std::vector<std::string>{"a, b", "c", "", "d", "e", "f"}));
    // A comma just before the end still gives one empty field.
    EXPECT_EQ(readAll("x,"), (std::vector<std::string>{"x", ""}));
    // What follows a closing quote up to the separator is dropped.
    EXPECT_EQ(readAll("\"ab\"cd,e"), (std::vector<std::string>{"ab", "e"}));
    // A blank line is one empty field.
    EXPECT_EQ(readAll("a\r\n\r\nb"), (std::vector<std::string>{"a", "", "b"}));
}

TEST(JournalFieldReader, QuoteNotClosedOnItsLine) {
    FieldReader r("\"abc\r\n\"def\"");
    std::string f;
    EXPECT_EQ(r.next(f), FieldReader::Status::OpenQuote);
}

TEST(JournalParse, ReadsFourFieldsPerTestNotPerLine) {
    const auto p = parseJournal("\"1999-12-31\",\"07:45\",\"05.6\",\"\"\r\n"
                                "1999-12-30,07:00\r\n6,note\r\n",
                                kMaxTests);
    ASSERT_EQ(p.tests.size(), 2u);
    EXPECT_EQ(p.stop, ParsedJournal::Stop::None);
    EXPECT_EQ(p.tests[1].date, "1999-12-30");
    EXPECT_EQ(p.tests[1].level, "6");
    EXPECT_EQ(p.tests[1].note, "note");
}

TEST(JournalParse, ShortLastLineStopsThereAndKeepsWhatCameBefore) {
    const std::string good = "\"1999-12-31\",\"07:45\",\"05.6\",\"\"\r\n";
    auto p = parseJournal(good + good + "\"1999-12-29\",\"07:00\"\r\n", kMaxTests);
    EXPECT_EQ(p.tests.size(), 2u);
    EXPECT_EQ(p.stop, ParsedJournal::Stop::ShortRecord);
    EXPECT_EQ(p.stopLine, 3);
    // A last line without its CR LF is whole.
    p = parseJournal(good + "\"1999-12-29\",\"07:00\",\"4\",\"n\"", kMaxTests);
    EXPECT_EQ(p.tests.size(), 2u);
    EXPECT_EQ(p.stop, ParsedJournal::Stop::None);
    // Blank lines between tests and at the end are no tests.
    p = parseJournal(good + "\r\n  \r\n" + good + "\r\n", kMaxTests);
    EXPECT_EQ(p.tests.size(), 2u);
    EXPECT_EQ(p.stop, ParsedJournal::Stop::None);
    p = parseJournal(good + "\"1999-12-29\",\"07:00\",\"4\",\"open\r\n" + good, kMaxTests);
    EXPECT_EQ(p.tests.size(), 1u);
    EXPECT_EQ(p.stop, ParsedJournal::Stop::OpenQuote);
    EXPECT_EQ(p.stopLine, 2);
}

TEST(JournalParse, StopsAtTheLineBeyondTheLimit) {
    std::string bytes;
    for (int i = 0; i < 4; ++i) bytes += "\"d\",\"t\",\"1\",\"\"\r\n";
    const auto p = parseJournal(bytes, 3);
    EXPECT_EQ(p.tests.size(), 3u);
    EXPECT_EQ(p.stop, ParsedJournal::Stop::TooManyTests);
    EXPECT_EQ(p.stopLine, 4);
    EXPECT_EQ(parseJournal("", kMaxTests).tests.size(), 0u);
}

TEST(JournalEncoding, Windows1252BothWays) {
    // é, €, œ and an undefined byte read back as the same bytes.
    const std::string bytes = "caf\xE9 \x80 \x9C \x81";
    const std::string text = cp1252ToUtf8(bytes);
    EXPECT_EQ(text, "café € œ \xC2\x81");
    EXPECT_EQ(utf8ToCp1252(text), bytes);
    EXPECT_EQ(utf8ToCp1252("日"), std::nullopt);
}

TEST(JournalEncoding, DecodesByValidity) {
    EXPECT_EQ(decodeJournalBytes("caf\xC3\xA9"), "café");       // valid UTF-8
    EXPECT_EQ(decodeJournalBytes("caf\xE9"), "café");           // Windows-1252
    EXPECT_EQ(decodeJournalBytes("\xEF\xBB\xBF" "abc"), "abc");  // byte-order mark
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

TEST(JournalStorable, QuoteLineBreakAndCodePage) {
    EXPECT_EQ(checkStorable("Après le repas, 2 € ; œuf").problem, Unstorable::None);
    EXPECT_EQ(checkStorable("say \"hi\"").problem, Unstorable::Quote);
    EXPECT_EQ(checkStorable("a\nb").problem, Unstorable::LineBreak);
    EXPECT_EQ(checkStorable("a\rb").problem, Unstorable::LineBreak);
    const StorableCheck c = checkStorable("ok 日 no");
    EXPECT_EQ(c.problem, Unstorable::OutsideCodePage);
    EXPECT_EQ(c.character, "日");
}

TEST(JournalLine, ExactBytesAndNoBrokenLines) {
    EXPECT_EQ(journalLine("1999-12-31", "07:45", "05.6", ""),
              "\"1999-12-31\",\"07:45\",\"05.6\",\"\"\r\n");
    // Whatever slipped past the entry checks still reads back as one test.
    EXPECT_EQ(journalLine("d", "t", "1", "a \"b\"\nc"), "\"d\",\"t\",\"1\",\"a 'b' c\"\r\n");
}

} // namespace
} // namespace dx
