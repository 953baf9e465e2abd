#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace dx {

// A line of four quoted fields (a journal's test), as views into the text.
struct QuotedRecord {
    std::string_view date, time, level, note;
};

// Reads comma-separated fields as the journal and the settings file hold
// them: a field is a quoted text (quotes removed) or an unquoted text ending
// at the next comma or line end; leading blanks are skipped; a line end (CR
// LF, CR or LF) separates fields like a comma does.
class FieldReader {
public:
    enum class Status { Field, End, OpenQuote };

    explicit FieldReader(std::string_view text) : text_(text) {}

    // The next field into out. End when the text is over (a comma just read
    // still gives one empty field); OpenQuote when a quoted field meets a
    // line end or the end of the text before its closing quote.
    Status next(std::string& out);
    // A line of four quoted fields and nothing else, as the save writes
    // them: the test (its texts are views into the text) and true, the
    // reader past the line. Anything else, false with the reader where it stood, for next()
    // to read field by field.
    bool nextPlainRecord(QuotedRecord& record);
    // Skips lines that hold nothing but blanks; true when the text is over.
    bool skipBlankLines();
    bool atEnd() const { return pos_ >= text_.size(); }
    // The line (from 1) the reader stands on.
    int line() const { return line_; }

private:
    void skipBlanks();
    bool atLineEnd() const;
    void consumeLineEnd();
    void consumeSeparator();

    std::string_view text_;
    size_t pos_ = 0;
    int line_ = 1;
    bool fieldPending_ = false;              // a comma was read: one more field follows
    size_t plainLengths_[4] = {0, 0, 0, 0};  // the fields of the last plain line
};

}  // namespace dx
