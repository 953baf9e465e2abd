#pragma once

// Reading a CSV file as the exports of meters, CGM clouds and spreadsheets
// write it: the encoding (UTF-8 with or without its byte-order mark,
// UTF-16 with its mark, else Windows-1252) and the separator (",", ";" or
// tab) found from the bytes; RFC 4180 quoting (doubled quotes, line breaks
// inside quotes, CR LF or LF). Never throws; bad bytes give an error.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dx::report {

enum class TextEncoding { Utf8, Utf8WithMark, Utf16Le, Utf16Be, Windows1252 };

// The rows of a CSV file, their fields laid end to end in one buffer: an
// export of tens of thousands of rows costs one allocation per column of
// offsets, not one per field.
class CsvTable {
public:
    size_t rowCount() const { return lines_.size(); }
    size_t fieldCount(size_t row) const { return rowEnd(row) - rowBegin(row); }
    // "" for a column the row does not reach.
    std::string_view field(size_t row, size_t column) const;
    // The line of the file the row starts on (1 = the first).
    int line(size_t row) const { return lines_[row]; }
    // A row's fields as texts, for showing.
    std::vector<std::string> row(size_t r) const;

    // Building, field by field: text is appended to the open field.
    void append(std::string_view text) { text_.append(text); }
    void endField() { fieldEnds_.push_back(static_cast<uint32_t>(text_.size())); }
    // Closes the row of the fields ended since the last row, read from line;
    // a row of one empty field (a blank line) is dropped.
    void endRow(int line);

private:
    size_t rowBegin(size_t row) const { return row == 0 ? 0 : rowEnds_[row - 1]; }
    size_t rowEnd(size_t row) const { return rowEnds_[row]; }

    std::string text_;
    std::vector<uint32_t> fieldEnds_;  // where each field ends in text_
    std::vector<uint32_t> rowEnds_;    // one past each row's last field in fieldEnds_
    std::vector<int> lines_;
};

struct CsvParse {
    std::optional<CsvTable> table;
    std::string error;  // when table is empty: why (language-neutral detail)
    char separator = ',';
    TextEncoding encoding = TextEncoding::Utf8;
};
CsvParse parseCsv(std::string_view bytes);

// The bytes as UTF-8 text, and how they were written.
struct DecodedText {
    std::string text;
    TextEncoding encoding = TextEncoding::Utf8;
};
DecodedText decodeText(std::string_view bytes);

// The separator that splits the first lines most evenly: the one most of
// them hold the same number of times (quoted text aside), the larger number
// on a tie, "," when no line holds any.
char detectSeparator(std::string_view text);

// The name of the separator for showing: ",", ";" or "tab".
const char* separatorName(char separator);
const char* encodingName(TextEncoding encoding);

}  // namespace dx::report
