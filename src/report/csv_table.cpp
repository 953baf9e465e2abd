#include "report/csv_table.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <map>

#include "journal/journal_codec.h"
#include "platform/text.h"
#include "report/exchange.h"

namespace dx::report {

std::string_view CsvTable::field(size_t row, size_t column) const {
    const size_t at = rowBegin(row) + column;
    if (at >= rowEnd(row)) return {};
    const auto [begin, end] = fields_[at];
    return std::string_view(text_).substr(begin, end - begin);
}

std::vector<std::string> CsvTable::row(size_t r) const {
    std::vector<std::string> fields;
    for (size_t c = 0; c < fieldCount(r); ++c) fields.emplace_back(field(r, c));
    return fields;
}

void CsvTable::addField(size_t begin, size_t end) {
    fields_.emplace_back(static_cast<uint32_t>(begin), static_cast<uint32_t>(end));
}

void CsvTable::endRow(int line) {
    const size_t begin = rowEnds_.empty() ? 0 : rowEnds_.back();
    if (fields_.size() - begin == 1 && fields_.back().first == fields_.back().second) {
        fields_.pop_back();
        return;
    }
    rowEnds_.push_back(static_cast<uint32_t>(fields_.size()));
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
    DecodedText d;
    if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF")) {
        const bool little = bytes[0] == '\xFF';
        d.encoding = little ? TextEncoding::Utf16Le : TextEncoding::Utf16Be;
        d.converted = utf16ToUtf8(bytes.substr(2), little);
        return d;
    }
    const bool marked = bytes.starts_with("\xEF\xBB\xBF");
    if (marked) bytes.remove_prefix(3);
    if (isAscii(bytes) || isValidUtf8(bytes)) {
        d.encoding = marked ? TextEncoding::Utf8WithMark : TextEncoding::Utf8;
        d.unchanged = bytes;
    } else {
        d.encoding = TextEncoding::Windows1252;
        d.converted = cp1252ToUtf8(bytes);
    }
    return d;
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

// Reads the table's own copy of the text, unquoting quoted fields in place:
// a field's unquoted text is never longer than its quoted one.
class CsvReader {
public:
    // Reads text from `start` (past a byte-order mark).
    CsvReader(std::string text, size_t start, char separator) : separator_(separator), pos_(start) {
        ends_[static_cast<unsigned char>(separator)] = true;
        ends_['\n'] = ends_['\r'] = true;
        table_.text_ = std::move(text);
        reserveFor(std::string_view(table_.text_).substr(start));
    }

    // The whole table, or the error that stopped it.
    std::optional<CsvTable> read() {
        while (pos_ < text().size()) {
            const int startLine = line_;
            if (!readRow()) return std::nullopt;
            table_.endRow(startLine);
        }
        return std::move(table_);
    }
    const std::string& error() const { return error_; }

private:
    // Room for the rows and fields the first 64 KiB foretell.
    void reserveFor(std::string_view text) {
        constexpr size_t kSample = 64 * 1024;
        const std::string_view sample = text.substr(0, kSample);
        size_t lines = 1, separators = 0;
        for (char c : sample) {
            lines += c == '\n';
            separators += c == separator_;
        }
        const size_t scale = text.size() / std::max<size_t>(sample.size(), 1) + 1;
        table_.fields_.reserve((lines + separators) * scale);
        table_.rowEnds_.reserve(lines * scale);
        table_.lines_.reserve(lines * scale);
    }

    std::string& text() { return table_.text_; }
    // Fields up to the end of a line (consumed) or of the text. Unquoted
    // fields, nearly all of them, are found here in one pass.
    bool readRow() {
        const char* t = table_.text_.data();
        const size_t size = table_.text_.size();
        const bool* ends = ends_.data();
        size_t pos = pos_;
        for (;;) {
            if (pos < size && t[pos] == '"') {
                pos_ = pos;
                if (!readQuoted()) return false;
                pos = pos_;
            } else {
                const size_t begin = pos;
                while (pos < size && !ends[static_cast<unsigned char>(t[pos])]) ++pos;
                table_.addField(begin, pos);
            }
            if (pos >= size) break;
            if (t[pos] == '\n' || t[pos] == '\r') {
                if (t[pos] == '\r' && pos + 1 < size && t[pos + 1] == '\n') ++pos;
                ++pos;
                ++line_;
                break;
            }
            ++pos;  // the separator
        }
        pos_ = pos;
        return true;
    }

    size_t plainEnd(size_t from) const {
        const char* t = table_.text_.data();
        const size_t size = table_.text_.size();
        while (from < size && !ends_[static_cast<unsigned char>(t[from])]) ++from;
        return from;
    }

    // A quoted field; whatever follows its closing quote up to the next
    // separator is kept, as spreadsheets do.
    bool readQuoted() {
        std::string& t = text();
        const int openedOn = line_;
        const size_t begin = ++pos_;
        size_t out = begin;  // where the unquoted text is written
        auto keep = [&](size_t from, size_t to) {
            if (out != from) std::memmove(t.data() + out, t.data() + from, to - from);
            out += to - from;
        };
        for (;;) {
            const size_t quote = t.find('"', pos_);
            if (quote == std::string::npos) {
                error_ = "quote opened on line " + std::to_string(openedOn) + " is not closed";
                return false;
            }
            countLineBreaks(pos_, quote);
            keep(pos_, quote);
            pos_ = quote + 1;
            if (pos_ < t.size() && t[pos_] == '"') {
                t[out++] = '"';
                ++pos_;
                continue;
            }
            break;
        }
        const size_t rest = plainEnd(pos_);
        keep(pos_, rest);
        pos_ = rest;
        table_.addField(begin, out);
        return true;
    }

    void countLineBreaks(size_t from, size_t to) {
        const std::string& t = text();
        for (size_t i = from; i < to; ++i)
            if (t[i] == '\n' || (t[i] == '\r' && !(i + 1 < t.size() && t[i + 1] == '\n'))) ++line_;
    }

    CsvTable table_;
    char separator_;
    std::array<bool, 256> ends_{};  // the bytes that end an unquoted field
    size_t pos_;
    int line_ = 1;
    std::string error_;
};

namespace {

// Offsets into the table's buffer are 32-bit.
constexpr size_t kLargestText = size_t{1} << 31;

}  // namespace

// The table keeps the bytes themselves when they are UTF-8, else their
// conversion.
CsvParse parseCsv(std::string bytes) {
    CsvParse parse;
    if (bytes.size() >= kLargestText / 2) {
        parse.error = "the file is too large";
        return parse;
    }
    DecodedText decoded = decodeText(bytes);
    const bool converted = decoded.unchanged.data() == nullptr;
    const size_t start = converted ? 0 : bytes.size() - decoded.unchanged.size();
    std::string text = converted ? std::move(decoded.converted) : std::move(bytes);
    const std::string_view read = std::string_view(text).substr(start);
    parse.encoding = decoded.encoding;
    // Our own export is always read with commas, whatever its notes hold.
    parse.separator = read.starts_with(kCsvHeader) ? ',' : detectSeparator(read);
    CsvReader reader(std::move(text), start, parse.separator);
    parse.table = reader.read();
    if (!parse.table) parse.error = reader.error();
    return parse;
}

}  // namespace dx::report
