#include "banner/description.h"

namespace dx {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isLineEnd(char c) { return c == '\r' || c == '\n'; }
bool isSeparator(char c) { return c == ',' || isLineEnd(c); }

// Past the line end at i (CR LF counts as one).
size_t skipLineEnd(std::string_view text, size_t i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') return i + 2;
    return i + 1;
}

// Past the separator at i, if any.
size_t skipSeparator(std::string_view text, size_t i) {
    if (i >= text.size()) return text.size();
    if (isLineEnd(text[i])) return skipLineEnd(text, i);
    // A comma: a line end right after it belongs to the same separator.
    size_t j = i + 1;
    while (j < text.size() && isBlank(text[j])) ++j;
    if (j < text.size() && isLineEnd(text[j])) return skipLineEnd(text, j);
    return i + 1;
}

size_t skipToSeparator(std::string_view text, size_t i) {
    while (i < text.size() && !isSeparator(text[i])) ++i;
    return i;
}

// Digits, then " received": the statistics field of the echo replies.
bool answeredCount(std::string_view field) {
    size_t digits = 0;
    bool nonZero = false;
    while (digits < field.size() && field[digits] >= '0' && field[digits] <= '9') {
        nonZero = nonZero || field[digits] != '0';
        ++digits;
    }
    return digits > 0 && nonZero && field.substr(digits) == " received";
}

}  // namespace

std::vector<std::string> readFields(std::string_view text, std::size_t count) {
    std::vector<std::string> fields;
    size_t i = 0;
    while (fields.size() < count && i < text.size()) {
        while (i < text.size() && isBlank(text[i])) ++i;
        if (i < text.size() && text[i] == '"') {
            const size_t close = text.find('"', i + 1);
            const size_t end = close == std::string_view::npos ? text.size() : close;
            fields.emplace_back(text.substr(i + 1, end - i - 1));
            i = skipToSeparator(text, end);
        } else {
            const size_t start = i;
            i = skipToSeparator(text, i);
            size_t end = i;
            while (end > start && isBlank(text[end - 1])) --end;
            fields.emplace_back(text.substr(start, end - start));
        }
        i = skipSeparator(text, i);
    }
    return fields;
}

std::optional<BannerDescription> readDescription(std::string_view text) {
    std::vector<std::string> f = readFields(text, 3);
    if (f.size() < 3) return std::nullopt;
    return BannerDescription{std::move(f[0]), std::move(f[1]), std::move(f[2])};
}

std::optional<bool> pingAnswered(std::string_view output) {
    const std::vector<std::string> fields = readFields(output, 7);
    if (fields.size() < 7) return std::nullopt;
    for (const std::string& f : fields)
        if (f.find(" bytes from ") != std::string::npos || answeredCount(f)) return true;
    return false;
}

bool isSafeExtension(std::string_view extension) {
    if (extension.empty() || extension.size() > 5) return false;
    for (char c : extension) {
        const bool alnum =
            (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
        if (!alnum) return false;
    }
    return true;
}

bool isStorableBody(std::string_view body) {
    return !body.empty() && body.size() <= kMaxDownloadBytes && body.substr(0, 3) != "<!D";
}

}  // namespace dx
