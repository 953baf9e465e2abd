#include "journal/journal_codec.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

#include "journal/journal.h"
#include "platform/text.h"

namespace dx {

// ---- Encoding

namespace {

// Windows-1252 bytes 0x80..0x9F. The five bytes the code page leaves
// undefined map to the control characters of the same number, as the
// system's own conversion does, so that any byte reads back unchanged.
constexpr char32_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
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

}  // namespace

std::string cp1252ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x80)
            out += c;
        else if (b < 0xA0)
            out += utf8Encode(kHighControls[b - 0x80]);
        else
            out += utf8Encode(b);
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

bool isAscii(std::string_view bytes) {
    // Eight bytes at a time: a byte of 0x80 or more sets its high bit.
    uint64_t seen = 0;
    size_t i = 0;
    for (; i + 8 <= bytes.size(); i += 8) {
        uint64_t w;
        std::memcpy(&w, bytes.data() + i, sizeof w);
        seen |= w;
    }
    for (; i < bytes.size(); ++i) seen |= static_cast<unsigned char>(bytes[i]);
    return (seen & 0x8080808080808080u) == 0;
}

std::string decodeJournalBytes(std::string_view bytes) {
    constexpr std::string_view kBom = "\xEF\xBB\xBF";
    const bool bom = bytes.substr(0, kBom.size()) == kBom;
    if (!bom && isAscii(bytes)) return std::string(bytes);
    if (isValidUtf8(bytes)) return std::string(bom ? bytes.substr(kBom.size()) : bytes);
    return cp1252ToUtf8(bytes);
}

std::string encodeJournalText(std::string_view text) {
    // Windows-1252 bytes that happen to form valid UTF-8 (such as "Ã©") would
    // read back as other characters; such a text is written in UTF-8, which
    // reads back as it is.
    if (auto bytes = utf8ToCp1252(text);
        bytes && (bytes->size() == text.size() || !isValidUtf8(*bytes)))
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

// Writes one quoted field at out; a double quote still found in it becomes
// an apostrophe and a line break a blank. Returns the end of what it wrote.
// Each byte as a field of the file holds it: a double quote, which would end
// the field, as an apostrophe, and a line end as a space.
constexpr auto kAsStored = [] {
    std::array<char, 256> stored{};
    for (int c = 0; c < 256; ++c) stored[static_cast<size_t>(c)] = static_cast<char>(c);
    stored['"'] = '\'';
    stored['\r'] = stored['\n'] = ' ';
    return stored;
}();

char* putField(char* out, std::string_view text) {
    *out++ = '"';
    for (const char c : text) *out++ = kAsStored[static_cast<unsigned char>(c)];
    *out++ = '"';
    return out;
}

constexpr size_t kLineOverhead = 13;  // eight quotes, three commas, CR LF

size_t lineSize(std::string_view date, std::string_view time, std::string_view level,
                std::string_view note) {
    return date.size() + time.size() + level.size() + note.size() + kLineOverhead;
}

// Writes a line at p, where there is room for it; returns where it ends.
char* putLine(char* p, std::string_view date, std::string_view time, std::string_view level,
              std::string_view note) {
    p = putField(p, date);
    *p++ = ',';
    p = putField(p, time);
    *p++ = ',';
    p = putField(p, level);
    *p++ = ',';
    p = putField(p, note);
    *p++ = '\r';
    *p++ = '\n';
    return p;
}

}  // namespace

std::string journalFileBytes(const Journal& journal) {
    std::string text;
    const int count = std::clamp(journal.Nb_Tests, 0, kMaxTests);
    size_t size = 0;
    for (int i = 1; i <= count; ++i) {
        const auto at = static_cast<size_t>(i);
        size += lineSize(journal.Date_Test[at], journal.Heure_Test[at], journal.Taux_Test[at],
                         journal.Note_Test[at]);
    }
    text.resize(size);
    char* p = text.data();
    for (int i = 1; i <= count; ++i) {
        const auto at = static_cast<size_t>(i);
        p = putLine(p, journal.Date_Test[at], journal.Heure_Test[at], journal.Taux_Test[at],
                    journal.Note_Test[at]);
    }
    // Plain ASCII, the usual journal, is the same in both encodings.
    return isAscii(text) ? text : encodeJournalText(text);
}

JournalReader::JournalReader(std::string_view bytes, int maxTests)
    // Plain ASCII, the usual journal, is read where it lies.
    : decoded_(isAscii(bytes) ? std::string() : decodeJournalBytes(bytes)),
      text_(decoded_.empty() ? bytes : std::string_view(decoded_)),
      reader_(text_),
      maxTests_(maxTests) {}

bool JournalReader::stopAt(ParsedJournal::Stop stop, int line) {
    stop_ = stop;
    stopLine_ = line;
    return false;
}

bool JournalReader::next(JournalRecordView& record) {
    if (stop_ != ParsedJournal::Stop::None || reader_.skipBlankLines()) return false;
    const int line = reader_.line();
    if (count_ >= maxTests_) return stopAt(ParsedJournal::Stop::TooManyTests, line);
    if (!reader_.nextPlainRecord(record)) {
        JournalRecord& rec = fieldByField_;
        for (std::string* field : {&rec.date, &rec.time, &rec.level, &rec.note}) {
            const FieldReader::Status status = reader_.next(*field);
            if (status == FieldReader::Status::End)
                return stopAt(ParsedJournal::Stop::ShortRecord, line);
            if (status == FieldReader::Status::OpenQuote)
                return stopAt(ParsedJournal::Stop::OpenQuote, line);
        }
        record = {rec.date, rec.time, rec.level, rec.note};
    }
    ++count_;
    return true;
}

ParsedJournal parseJournal(std::string_view bytes, int maxTests) {
    ParsedJournal parsed;
    JournalReader reader(bytes, maxTests);
    JournalRecordView rec;
    while (reader.next(rec))
        parsed.tests.push_back({std::string(rec.date), std::string(rec.time),
                                std::string(rec.level), std::string(rec.note)});
    parsed.stop = reader.stop();
    parsed.stopLine = reader.stopLine();
    return parsed;
}

}  // namespace dx
