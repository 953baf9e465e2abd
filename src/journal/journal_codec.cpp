#include "journal/journal_codec.h"

#include <algorithm>
#include <functional>

#include "journal/journal.h"
#include "settings/text.h"

namespace dx {

// ---- Field reader

void FieldReader::skipBlanks() {
    while (pos_ < text_.size() && text_[pos_] == ' ') ++pos_;
}

bool FieldReader::atLineEnd() const {
    return pos_ < text_.size() && (text_[pos_] == '\r' || text_[pos_] == '\n');
}

void FieldReader::consumeLineEnd() {
    if (text_[pos_] == '\r' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '\n') ++pos_;
    ++pos_;
    ++line_;
}

void FieldReader::consumeSeparator() {
    if (pos_ >= text_.size()) return;
    if (text_[pos_] == ',') {
        ++pos_;
        fieldPending_ = true;
    } else if (atLineEnd()) {
        consumeLineEnd();
    }
}

bool FieldReader::skipBlankLines() {
    if (fieldPending_) return false;
    for (;;) {
        const size_t start = pos_;
        skipBlanks();
        if (atEnd()) return true;
        if (!atLineEnd()) {
            pos_ = start;
            return false;
        }
        consumeLineEnd();
    }
}

FieldReader::Status FieldReader::next(std::string& out) {
    out.clear();
    skipBlanks();
    if (atEnd()) {
        if (!fieldPending_) return Status::End;
        fieldPending_ = false;
        return Status::Field;
    }
    fieldPending_ = false;
    const size_t size = text_.size();
    if (text_[pos_] == '"') {
        size_t close = pos_ + 1;
        while (close < size && text_[close] != '"' && text_[close] != '\r' && text_[close] != '\n')
            ++close;
        if (close >= size || text_[close] != '"') return Status::OpenQuote;
        out = text_.substr(pos_ + 1, close - pos_ - 1);
        pos_ = close + 1;
        // Whatever stands between the closing quote and the separator is
        // not part of the field.
        while (pos_ < size && text_[pos_] != ',' && !atLineEnd()) ++pos_;
    } else {
        size_t end = pos_;
        while (end < size && text_[end] != ',' && text_[end] != '\r' && text_[end] != '\n') ++end;
        out = text_.substr(pos_, end - pos_);
        pos_ = end;
    }
    consumeSeparator();
    return Status::Field;
}

// ---- Encoding

namespace {

// Windows-1252 bytes 0x80..0x9F. The five bytes the code page leaves
// undefined map to the control characters of the same number, as the
// system's own conversion does, so that any byte reads back unchanged.
constexpr char32_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

// Decodes one UTF-8 character at i; false on a malformed sequence.
bool nextCodePoint(std::string_view s, size_t& i, char32_t& cp) {
    const auto b0 = static_cast<unsigned char>(s[i]);
    int extra;
    char32_t min;
    if (b0 < 0x80) {
        cp = b0;
        ++i;
        return true;
    } else if ((b0 & 0xE0) == 0xC0) {
        extra = 1, min = 0x80, cp = b0 & 0x1F;
    } else if ((b0 & 0xF0) == 0xE0) {
        extra = 2, min = 0x800, cp = b0 & 0x0F;
    } else if ((b0 & 0xF8) == 0xF0) {
        extra = 3, min = 0x10000, cp = b0 & 0x07;
    } else {
        return false;
    }
    if (i + static_cast<size_t>(extra) >= s.size()) return false;
    for (int k = 1; k <= extra; ++k) {
        const auto b = static_cast<unsigned char>(s[i + static_cast<size_t>(k)]);
        if ((b & 0xC0) != 0x80) return false;
        cp = (cp << 6) | (b & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
    i += static_cast<size_t>(extra) + 1;
    return true;
}

std::optional<unsigned char> cp1252Byte(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<unsigned char>(cp);
    for (int k = 0; k < 32; ++k)
        if (kHighControls[k] == cp) return static_cast<unsigned char>(0x80 + k);
    return std::nullopt;
}

} // namespace

std::string cp1252ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x80) out += c;
        else if (b < 0xA0) out += utf8Encode(kHighControls[b - 0x80]);
        else out += utf8Encode(b);
    }
    return out;
}

std::optional<std::string> utf8ToCp1252(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        // Runs of ASCII, most of a journal, go across as they are.
        size_t ascii = i;
        while (ascii < text.size() && static_cast<unsigned char>(text[ascii]) < 0x80) ++ascii;
        if (ascii > i) {
            out.append(text.substr(i, ascii - i));
            i = ascii;
            continue;
        }
        char32_t cp;
        if (!nextCodePoint(text, i, cp)) return std::nullopt;
        const auto b = cp1252Byte(cp);
        if (!b) return std::nullopt;
        out += static_cast<char>(*b);
    }
    return out;
}

bool isValidUtf8(std::string_view bytes) {
    for (size_t i = 0; i < bytes.size();) {
        char32_t cp;
        if (!nextCodePoint(bytes, i, cp)) return false;
    }
    return true;
}

std::string decodeJournalBytes(std::string_view bytes) {
    constexpr std::string_view kBom = "\xEF\xBB\xBF";
    const bool bom = bytes.substr(0, kBom.size()) == kBom;
    const bool nonAscii = std::any_of(bytes.begin(), bytes.end(),
                                      [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
    if (!bom && !nonAscii) return std::string(bytes);
    if (isValidUtf8(bytes)) return std::string(bom ? bytes.substr(kBom.size()) : bytes);
    return cp1252ToUtf8(bytes);
}

std::string encodeJournalText(std::string_view text) {
    // Windows-1252 bytes that happen to form valid UTF-8 (such as "Ã©") would
    // read back as other characters; such a text is written in UTF-8, which
    // reads back as it is.
    if (auto bytes = utf8ToCp1252(text); bytes && (bytes->size() == text.size() ||
                                                   !isValidUtf8(*bytes)))
        return *bytes;
    return std::string(text);
}

StorableCheck checkStorable(std::string_view text) {
    for (size_t i = 0; i < text.size();) {
        const size_t start = i;
        char32_t cp;
        if (!nextCodePoint(text, i, cp)) return {Unstorable::OutsideCodePage, "?"};
        if (cp == '"') return {Unstorable::Quote, "\""};
        if (cp == '\r' || cp == '\n') return {Unstorable::LineBreak, std::string(1, char(cp))};
        if (!cp1252Byte(cp))
            return {Unstorable::OutsideCodePage, std::string(text.substr(start, i - start))};
    }
    return {};
}

// ---- Lines

namespace {

// Appends one quoted field; a double quote still found in it becomes an
// apostrophe and a line break a blank.
void appendField(std::string& out, const std::string& text) {
    out += '"';
    const size_t from = out.size();
    out += text;
    for (size_t i = from; i < out.size(); ++i) {
        char& c = out[i];
        if (c == '"') c = '\'';
        else if (c == '\r' || c == '\n') c = ' ';
    }
    out += '"';
}

void appendLine(std::string& out, const std::string& date, const std::string& time,
                const std::string& level, const std::string& note) {
    appendField(out, date);
    out += ',';
    appendField(out, time);
    out += ',';
    appendField(out, level);
    out += ',';
    appendField(out, note);
    out += "\r\n";
}

} // namespace

std::string journalLine(const std::string& date, const std::string& time,
                        const std::string& level, const std::string& note) {
    std::string line;
    appendLine(line, date, time, level, note);
    return line;
}

std::string journalFileBytes(const Journal& journal) {
    std::string text;
    const int count = std::clamp(journal.Nb_Tests, 0, kMaxTests);
    size_t size = 0;
    for (int i = 1; i <= count; ++i) {
        const auto at = static_cast<size_t>(i);
        size += journal.Date_Test[at].size() + journal.Heure_Test[at].size() +
                journal.Taux_Test[at].size() + journal.Note_Test[at].size() + 13;
    }
    text.reserve(size);
    for (int i = 1; i <= count; ++i) {
        const auto at = static_cast<size_t>(i);
        appendLine(text, journal.Date_Test[at], journal.Heure_Test[at], journal.Taux_Test[at],
                   journal.Note_Test[at]);
    }
    return encodeJournalText(text);
}

ParsedJournal readJournal(std::string_view bytes, int maxTests,
                          const std::function<void(JournalRecord&)>& take) {
    ParsedJournal parsed;
    // Plain ASCII, the usual journal, is read where it lies.
    const bool ascii = std::none_of(bytes.begin(), bytes.end(), [](char c) {
        return static_cast<unsigned char>(c) >= 0x80;
    });
    const std::string decoded = ascii ? std::string() : decodeJournalBytes(bytes);
    FieldReader reader(ascii ? bytes : std::string_view(decoded));
    JournalRecord rec;
    int count = 0;
    while (!reader.skipBlankLines()) {
        const int line = reader.line();
        if (count >= maxTests) {
            parsed.stop = ParsedJournal::Stop::TooManyTests;
            parsed.stopLine = line;
            break;
        }
        FieldReader::Status status = FieldReader::Status::Field;
        for (std::string* field : {&rec.date, &rec.time, &rec.level, &rec.note}) {
            status = reader.next(*field);
            if (status != FieldReader::Status::Field) break;
        }
        if (status != FieldReader::Status::Field) {
            parsed.stop = status == FieldReader::Status::End ? ParsedJournal::Stop::ShortRecord
                                                             : ParsedJournal::Stop::OpenQuote;
            parsed.stopLine = line;
            break;
        }
        ++count;
        take(rec);
    }
    return parsed;
}

ParsedJournal parseJournal(std::string_view bytes, int maxTests) {
    std::vector<JournalRecord> tests;
    ParsedJournal parsed =
        readJournal(bytes, maxTests, [&tests](JournalRecord& rec) { tests.push_back(rec); });
    parsed.tests = std::move(tests);
    return parsed;
}

} // namespace dx
