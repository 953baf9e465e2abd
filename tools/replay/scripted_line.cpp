#include "scripted_line.h"

#include <charconv>

namespace dx {

namespace {

bool blank(char c) { return c == ' ' || c == '\t'; }

// Exactly `digits` decimal digits.
std::optional<int> fixedNumber(const std::string& s, size_t at, size_t digits) {
    if (at + digits > s.size()) return std::nullopt;
    int v = 0;
    for (size_t i = at; i < at + digits; ++i) {
        if (s[i] < '0' || s[i] > '9') return std::nullopt;
        v = v * 10 + (s[i] - '0');
    }
    return v;
}

}  // namespace

ScriptLine::ScriptLine(std::string text) : text_(std::move(text)) {
    if (!text_.empty() && text_.back() == '\r') text_.pop_back();
}

bool ScriptLine::empty() const {
    size_t i = 0;
    while (i < text_.size() && blank(text_[i])) ++i;
    return i == text_.size() || text_[i] == '#';
}

std::optional<std::string> ScriptLine::nextWord() {
    while (pos_ < text_.size() && blank(text_[pos_])) ++pos_;
    if (pos_ == text_.size()) return std::nullopt;
    const size_t from = pos_;
    while (pos_ < text_.size() && !blank(text_[pos_])) ++pos_;
    return text_.substr(from, pos_ - from);
}

std::string ScriptLine::word(const char* what) {
    auto w = nextWord();
    if (!w) throw ScriptError(std::string("missing ") + what);
    return *w;
}

std::string ScriptLine::text() {
    if (pos_ < text_.size()) ++pos_;  // the one blank before the text
    std::string out;
    for (; pos_ < text_.size(); ++pos_) {
        if (text_[pos_] == '\\' && pos_ + 1 < text_.size() && text_[pos_ + 1] == 'n') {
            out += '\n';
            ++pos_;
        } else {
            out += text_[pos_];
        }
    }
    return out;
}

void ScriptLine::end() {
    if (auto extra = nextWord()) throw ScriptError("unexpected \"" + *extra + "\"");
}

int64_t parseInteger(const std::string& word, int64_t lo, int64_t hi, const char* what) {
    int64_t v = 0;
    const char* first = word.data();
    const char* last = word.data() + word.size();
    if (!word.empty() && word[0] == '+') ++first;
    const auto res = std::from_chars(first, last, v);
    if (word.empty() || res.ec != std::errc() || res.ptr != last || v < lo || v > hi)
        throw ScriptError(std::string("bad ") + what + " \"" + word + "\" (" + std::to_string(lo) +
                          ".." + std::to_string(hi) + ")");
    return v;
}

DateTime parseTimestamp(const std::string& date, const std::string& time) {
    const auto y = fixedNumber(date, 0, 4), mo = fixedNumber(date, 5, 2),
               d = fixedNumber(date, 8, 2);
    const auto h = fixedNumber(time, 0, 2), mi = fixedNumber(time, 3, 2),
               s = fixedNumber(time, 6, 2);
    const bool shaped = date.size() == 10 && date[4] == '-' && date[7] == '-' && time.size() == 8 &&
                        time[2] == ':' && time[5] == ':';
    if (!shaped || !y || !mo || !d || !h || !mi || !s || *y < 100 || *mo < 1 || *mo > 12 ||
        *d < 1 || *d > daysInMonth(*y, *mo) || *h > 23 || *mi > 59 || *s > 59)
        throw ScriptError("bad date and time \"" + date + " " + time + "\" (YYYY-MM-DD HH:MM:SS)");
    return DateTime::fromParts(*y, *mo, *d, *h, *mi, *s);
}

}  // namespace dx
