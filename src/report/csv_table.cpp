#include "report/csv_table.h"

#include <algorithm>
#include <array>
#include <map>

#include "journal/journal_codec.h"
#include "platform/text.h"

namespace dx::report {

std::string_view CsvTable::field(size_t row, size_t column) const {
    const size_t at = rowBegin(row) + column;
    if (at >= rowEnd(row)) return {};
    const size_t begin = at == 0 ? 0 : fieldEnds_[at - 1];
    return std::string_view(text_).substr(begin, fieldEnds_[at] - begin);
}

std::vector<std::string> CsvTable::row(size_t r) const {
    std::vector<std::string> fields;
    for (size_t c = 0; c < fieldCount(r); ++c) fields.emplace_back(field(r, c));
    return fields;
}

void CsvTable::endRow(int line) {
    const size_t begin = rowEnds_.empty() ? 0 : rowEnds_.back();
    const size_t fields = fieldEnds_.size() - begin;
    const size_t textBegin = begin == 0 ? 0 : fieldEnds_[begin - 1];
    if (fields == 1 && fieldEnds_.back() == textBegin) {
        fieldEnds_.pop_back();
        return;
    }
    rowEnds_.push_back(static_cast<uint32_t>(fieldEnds_.size()));
    lines_.push_back(line);
}

// ---- Encodings.

namespace {

constexpr char32_t kReplacement = 0xFFFD;

std::string utf16ToUtf8(std::string_view bytes, bool littleEndian) {
    auto unit = [&](size_t i) -> char32_t {
        const auto lo = static_cast<unsigned char>(bytes[littleEndian ? i : i + 1]);
        const auto hi = static_cast<unsigned char>(bytes[littleEndian ? i + 1 : i]);
        return static_cast<char32_t>(hi << 8 | lo);
    };
    std::string out;
    out.reserve(bytes.size() / 2);
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
        char32_t cp = unit(i);
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 3 < bytes.size()) {
            const char32_t low = unit(i + 2);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
                i += 2;
            }
        }
        if (cp >= 0xD800 && cp <= 0xDFFF) cp = kReplacement;  // a lone half of a pair
        if (cp < 0x80)
            out += static_cast<char>(cp);
        else
            out += utf8Encode(cp);
    }
    if (bytes.size() % 2 != 0) out += utf8Encode(kReplacement);
    return out;
}

}  // namespace

DecodedText decodeText(std::string_view bytes) {
    if (bytes.starts_with("\xEF\xBB\xBF"))
        return {std::string(bytes.substr(3)), TextEncoding::Utf8WithMark};
    if (bytes.starts_with("\xFF\xFE"))
        return {utf16ToUtf8(bytes.substr(2), true), TextEncoding::Utf16Le};
    if (bytes.starts_with("\xFE\xFF"))
        return {utf16ToUtf8(bytes.substr(2), false), TextEncoding::Utf16Be};
    if (isValidUtf8(bytes)) return {std::string(bytes), TextEncoding::Utf8};
    return {cp1252ToUtf8(bytes), TextEncoding::Windows1252};
}

const char* encodingName(TextEncoding encoding) {
    switch (encoding) {
        case TextEncoding::Utf8:
            return "UTF-8";
        case TextEncoding::Utf8WithMark:
            return "UTF-8 (BOM)";
        case TextEncoding::Utf16Le:
            return "UTF-16 LE";
        case TextEncoding::Utf16Be:
            return "UTF-16 BE";
        case TextEncoding::Windows1252:
            return "Windows-1252";
    }
    return "";
}

// ---- The separator.

namespace {

constexpr std::array<char, 3> kSeparators = {',', ';', '\t'};
constexpr int kLinesLookedAt = 60;

}  // namespace

char detectSeparator(std::string_view text) {
    // counts[s][n]: how many lines hold separator s exactly n times.
    std::array<std::map<int, int>, kSeparators.size()> counts;
    std::array<int, kSeparators.size()> inLine{};
    bool quoted = false;
    int lines = 0;
    auto endLine = [&] {
        for (size_t s = 0; s < kSeparators.size(); ++s) {
            if (inLine[s] > 0) ++counts[s][inLine[s]];
            inLine[s] = 0;
        }
        ++lines;
    };
    for (size_t i = 0; i < text.size() && lines < kLinesLookedAt; ++i) {
        const char c = text[i];
        if (c == '"') quoted = !quoted;
        if (quoted) continue;
        if (c == '\n') endLine();
        for (size_t s = 0; s < kSeparators.size(); ++s) inLine[s] += c == kSeparators[s];
    }
    if (lines < kLinesLookedAt) endLine();

    char best = ',';
    std::pair<int, int> bestScore{0, 0};  // lines at the most common count, that count
    for (size_t s = 0; s < kSeparators.size(); ++s)
        for (const auto& [times, lineCount] : counts[s])
            if (std::pair(lineCount, times) > bestScore) {
                bestScore = {lineCount, times};
                best = kSeparators[s];
            }
    return best;
}

const char* separatorName(char separator) {
    return separator == '\t' ? "tab" : separator == ';' ? ";" : ",";
}

// ---- Reading.

namespace {

class CsvReader {
public:
    CsvReader(std::string_view text, char separator) : text_(text), separator_(separator) {}

    // The whole table, or the error that stopped it.
    std::optional<CsvTable> read() {
        CsvTable table;
        while (pos_ < text_.size()) {
            const int startLine = line_;
            if (!readRow(table)) return std::nullopt;
            table.endRow(startLine);
        }
        return table;
    }
    const std::string& error() const { return error_; }

private:
    bool atLineEnd() const { return text_[pos_] == '\r' || text_[pos_] == '\n'; }
    void consumeLineEnd() {
        if (text_[pos_] == '\r' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '\n') ++pos_;
        ++pos_;
        ++line_;
    }

    // Fields up to the end of a line (consumed) or of the text.
    bool readRow(CsvTable& table) {
        for (;;) {
            if (!readField(table)) return false;
            table.endField();
            if (pos_ >= text_.size()) return true;
            if (atLineEnd()) {
                consumeLineEnd();
                return true;
            }
            ++pos_;  // the separator
        }
    }

    bool readField(CsvTable& table) {
        if (pos_ < text_.size() && text_[pos_] == '"') return readQuoted(table);
        readPlain(table);
        return true;
    }

    void readPlain(CsvTable& table) {
        const size_t begin = pos_;
        while (pos_ < text_.size() && text_[pos_] != separator_ && !atLineEnd()) ++pos_;
        table.append(text_.substr(begin, pos_ - begin));
    }

    // A quoted field; whatever follows its closing quote up to the next
    // separator is kept, as spreadsheets do.
    bool readQuoted(CsvTable& table) {
        const int openedOn = line_;
        ++pos_;
        for (;;) {
            const size_t quote = text_.find('"', pos_);
            if (quote == std::string_view::npos) {
                error_ = "quote opened on line " + std::to_string(openedOn) + " is not closed";
                return false;
            }
            countLineBreaks(pos_, quote);
            table.append(text_.substr(pos_, quote - pos_));
            pos_ = quote + 1;
            if (pos_ < text_.size() && text_[pos_] == '"') {
                table.append("\"");
                ++pos_;
                continue;
            }
            break;
        }
        readPlain(table);
        return true;
    }

    void countLineBreaks(size_t from, size_t to) {
        for (size_t i = from; i < to; ++i)
            if (text_[i] == '\n' ||
                (text_[i] == '\r' && !(i + 1 < text_.size() && text_[i + 1] == '\n')))
                ++line_;
    }

    std::string_view text_;
    char separator_;
    size_t pos_ = 0;
    int line_ = 1;
    std::string error_;
};

constexpr std::string_view kOwnHeader = "date,time,mmol_l,mg_dl,note\r\n";

// Offsets into the table's buffer are 32-bit.
constexpr size_t kLargestText = size_t{1} << 31;

}  // namespace

CsvParse parseCsv(std::string_view bytes) {
    CsvParse parse;
    if (bytes.size() >= kLargestText / 2) {
        parse.error = "the file is too large";
        return parse;
    }
    const DecodedText decoded = decodeText(bytes);
    parse.encoding = decoded.encoding;
    // Our own export is always read with commas, whatever its notes hold.
    parse.separator = decoded.text.starts_with(kOwnHeader) ? ',' : detectSeparator(decoded.text);
    CsvReader reader(decoded.text, parse.separator);
    parse.table = reader.read();
    if (!parse.table) parse.error = reader.error();
    return parse;
}

}  // namespace dx::report
