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

// The rows of a CSV file. The table keeps the file's text once, each field
// a span of it (a quoted field unquoted where it lies): an export of tens
// of thousands of rows costs a copy of its text and two offsets a field.
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

private:
    friend class CsvReader;
    size_t rowBegin(size_t row) const { return row == 0 ? 0 : rowEnds_[row - 1]; }
    size_t rowEnd(size_t row) const { return rowEnds_[row]; }
    void addField(size_t begin, size_t end);
    // Closes the row of the fields added since the last row, read from line;
    // a row of one empty field (a blank line) is dropped.
    void endRow(int line);

    std::string text_;
    std::vector<std::pair<uint32_t, uint32_t>> fields_;  // begin and end in text_
    std::vector<uint32_t> rowEnds_;  // one past each row's last field in fields_
    std::vector<int> lines_;
};

struct CsvParse {
    std::optional<CsvTable> table;
    std::string error;  // when table is empty: why (language-neutral detail)
    char separator = ',';
    TextEncoding encoding = TextEncoding::Utf8;
};
// The bytes are taken whole: a UTF-8 file is read where it lies.
CsvParse parseCsv(std::string bytes);

// The bytes as UTF-8 text, and how they were written. UTF-8 bytes are read
// where they lie; other encodings are converted.
struct DecodedText {
    TextEncoding encoding = TextEncoding::Utf8;
    std::string converted;
    std::string_view unchanged;  // the bytes after a byte-order mark, when not converted
    std::string_view text() const { return converted.empty() ? unchanged : converted; }
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
