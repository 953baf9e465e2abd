#pragma once

// The journal file's bytes: the line reader and writer, Windows-1252 <->
// UTF-8, and the check of what a field can hold. Pure functions; the window's procedures do the
// file work.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "settings/field_reader.h"

namespace dx {

struct Journal;

// ---- Encoding. Text is UTF-8 in memory; the file is Windows-1252.

std::string cp1252ToUtf8(std::string_view bytes);
// Nothing when a character has no Windows-1252 byte (or the text is not UTF-8).
std::optional<std::string> utf8ToCp1252(std::string_view text);
bool isValidUtf8(std::string_view bytes);
// No byte of 0x80 or more.
bool isAscii(std::string_view bytes);
// A file's bytes as text: UTF-8 when they are valid UTF-8 holding some
// non-ASCII byte (a leading byte-order mark is dropped), else Windows-1252.
std::string decodeJournalBytes(std::string_view bytes);
// Text as file bytes: Windows-1252 when every character has a byte there;
// otherwise the UTF-8 text itself, which the reader accepts, so that no
// character is ever lost.
std::string encodeJournalText(std::string_view text);

// ---- What a field can hold.

enum class Unstorable { None, Quote, LineBreak, OutsideCodePage };
struct StorableCheck {
    Unstorable problem = Unstorable::None;
    std::string character;  // the offending character, as UTF-8
};
// The file has no escape: a double quote or a line break would break the
// line, and a character outside Windows-1252 has no byte in it.
StorableCheck checkStorable(std::string_view text);
// Why a field cannot be stored, for the user: "The field Note cannot hold a
// double quote ..."; "" when it can.
std::string unstorableMessage(const StorableCheck& check, std::string_view fieldName,
                              int16_t langue);

// ---- Lines.

// Tests 1..Nb_Tests, newest first, as the file's bytes: a line a test, four
// quoted fields and CR LF. A double quote still found in a field becomes an
// apostrophe and a line break a blank, so that every line reads back as
// four fields.
std::string journalFileBytes(const Journal& journal);

struct JournalRecord {
    std::string date, time, level, note;
};

// A test as read, its texts still in the bytes being read (or in the
// reader's own copy): valid only during the call that receives it.
// A journal line's four fields, as views into the file's text.
using JournalRecordView = QuotedRecord;

struct ParsedJournal {
    enum class Stop { None, ShortRecord, OpenQuote, TooManyTests };
    std::vector<JournalRecord> tests;
    Stop stop = Stop::None;
    int stopLine = 0;  // the line of the test that could not be read
};

// Reads tests field by field, four per test, until the end of the bytes.
// Blank lines between tests are skipped. A test read in part is not kept.
ParsedJournal parseJournal(std::string_view bytes, int maxTests);

// The same, one test at a time, so that the journal's load fills the table
// as it reads, without a second copy of the whole journal. Reads from the
// bytes given (which must outlive it) or, when they are not plain ASCII,
// from its own decoded copy.
class JournalReader {
public:
    JournalReader(std::string_view bytes, int maxTests);
    JournalReader(const JournalReader&) = delete;
    JournalReader& operator=(const JournalReader&) = delete;

    // The next complete test, its texts valid until the next call; false at
    // the end of the bytes or where reading stopped.
    bool next(JournalRecordView& record);
    // The text the tests are read from: the bytes, or the decoded copy.
    std::string_view text() const { return text_; }
    ParsedJournal::Stop stop() const { return stop_; }
    int stopLine() const { return stopLine_; }

private:
    bool stopAt(ParsedJournal::Stop stop, int line);

    const std::string decoded_;  // empty when the bytes are read where they lie
    const std::string_view text_;
    FieldReader reader_;
    JournalRecord fieldByField_;  // a test that is not a plain line
    int maxTests_;
    int count_ = 0;
    ParsedJournal::Stop stop_ = ParsedJournal::Stop::None;
    int stopLine_ = 0;
};

}  // namespace dx
