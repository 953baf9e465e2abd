#include "settings/field_reader.h"

#include <array>
#include <cstdint>
#include <cstring>

namespace dx {

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

namespace {

constexpr auto kEndsQuotedField = [] {
    std::array<bool, 256> ends{};
    ends['"'] = ends['\r'] = ends['\n'] = true;
    return ends;
}();

// The first double quote, CR or LF from p on, or end.
const char* quoteOrLineEnd(const char* p, const char* end) {
    while (p != end && !kEndsQuotedField[static_cast<unsigned char>(*p)]) ++p;
    return p;
}

// The closing quote of a field that begins at from, when the field has the
// length guessed (the same field's length on the line before): its bytes
// are checked without a branch a byte, and where the next field begins is
// known before they are read, so that a journal's lines, whose fields keep
// their lengths line after line, are read without waiting on each byte.
// Otherwise the first quote, CR or LF, as quoteOrLineEnd finds it.
const char* closingQuote(const char* from, const char* end, size_t guess) {
    if (guess < static_cast<size_t>(end - from) && from[guess] == '"') {
        bool ends = false;
        for (size_t i = 0; i < guess; ++i)
            ends |= kEndsQuotedField[static_cast<unsigned char>(from[i])];
        if (!ends) return from + guess;
    }
    return quoteOrLineEnd(from, end);
}

}  // namespace

bool FieldReader::nextPlainRecord(QuotedRecord& record) {
    const char* const begin = text_.data();
    const char* const end = begin + text_.size();
    const char* p = begin + pos_;
    std::string_view* const fields[4] = {&record.date, &record.time, &record.level, &record.note};
    for (int k = 0; k < 4; ++k) {
        if (p == end || *p != '"') return false;
        const char* const from = ++p;
        p = closingQuote(from, end, plainLengths_[k]);
        if (p == end || *p != '"') return false;
        plainLengths_[k] = static_cast<size_t>(p - from);
        *fields[k] = std::string_view(from, plainLengths_[k]);
        ++p;
        if (k < 3) {
            if (p == end || *p != ',') return false;
            ++p;
        }
    }
    if (p != end) {
        if (*p == '\r') {
            ++p;
            if (p != end && *p == '\n') ++p;
        } else if (*p == '\n') {
            ++p;
        } else {
            return false;
        }
        ++line_;
    }
    pos_ = static_cast<size_t>(p - begin);
    fieldPending_ = false;  // the comma that ended the line before led to this line's fields
    return true;
}

}  // namespace dx
