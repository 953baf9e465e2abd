#include "platform/text.h"

#include <charconv>

namespace dx {

namespace {

bool isContinuation(unsigned char c) { return (c & 0xC0) == 0x80; }

// Byte offset of the character at position index (clamped to the end).
size_t byteOffset(std::string_view s, int index) {
    size_t i = 0;
    for (int n = 0; n < index && i < s.size(); ++n) {
        ++i;
        while (i < s.size() && isContinuation(static_cast<unsigned char>(s[i]))) ++i;
    }
    return i;
}

}  // namespace

int utf8Length(std::string_view s) {
    int n = 0;
    for (unsigned char c : s)
        if (!isContinuation(c)) ++n;
    return n;
}

std::string utf8Left(std::string_view s, int count) {
    if (count <= 0) return {};
    return std::string(s.substr(0, byteOffset(s, count)));
}

std::string utf8Right(std::string_view s, int count) {
    const int len = utf8Length(s);
    if (count >= len) return std::string(s);
    if (count <= 0) return {};
    return std::string(s.substr(byteOffset(s, len - count)));
}

std::string utf8Mid(std::string_view s, int start, int count) {
    if (start < 0) start = 0;
    if (count <= 0) return {};
    const size_t from = byteOffset(s, start);
    const size_t to = byteOffset(s, start + count);
    return std::string(s.substr(from, to - from));
}

char32_t utf8First(std::string_view s) {
    if (s.empty()) return 0;
    const auto c0 = static_cast<unsigned char>(s[0]);
    if (c0 < 0x80) return c0;
    int extra = c0 >= 0xF0 ? 3 : c0 >= 0xE0 ? 2 : 1;
    char32_t cp = c0 & (0x3F >> extra);
    for (int i = 1; i <= extra && static_cast<size_t>(i) < s.size(); ++i)
        cp = (cp << 6) | (static_cast<unsigned char>(s[i]) & 0x3F);
    return cp;
}

std::string utf8Encode(char32_t cp) {
    std::string out;
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
    return out;
}

std::string upperCase(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    for (size_t i = 0; i < s.size();) {
        const auto c = static_cast<unsigned char>(s[i]);
        if (c < 0x80) {
            out += (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : static_cast<char>(c);
            ++i;
            continue;
        }
        size_t n = 1;
        while (i + n < s.size() && isContinuation(static_cast<unsigned char>(s[i + n]))) ++n;
        char32_t cp = utf8First(s.substr(i, n));
        // Latin-1 lower-case letters à..þ (except ÷) map 0x20 down; ÿ to Ÿ.
        if (cp >= 0xE0 && cp <= 0xFE && cp != 0xF7)
            cp -= 0x20;
        else if (cp == 0xFF)
            cp = 0x178;
        else if (cp == 0x153)
            cp = 0x152;  // œ
        out += utf8Encode(cp);
        i += n;
    }
    return out;
}

std::string trimBlanks(std::string_view s) {
    size_t b = 0, e = s.size();
    while (b < e && s[b] == ' ') ++b;
    while (e > b && s[e - 1] == ' ') --e;
    return std::string(s.substr(b, e - b));
}

std::string cutAtNul(std::string_view s) {
    const size_t at = s.find('\0');
    if (at == std::string_view::npos) return {};
    return std::string(s.substr(0, at));
}

std::string zeroPadded(long long value, int width, int base) {
    char digits[72];
    const auto [end, error] = std::to_chars(digits, digits + sizeof digits, value, base);
    std::string out(digits, end);
    const size_t signs = value < 0 ? 1 : 0;
    if (static_cast<int>(out.size()) < width)
        out.insert(signs, static_cast<size_t>(width) - out.size(), '0');
    return out;
}

char asciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

std::string jsonQuote(std::string_view text) {
    std::string out = "\"";
    for (unsigned char c : text) {
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (c < 0x20) {
                    out += "\\u" + zeroPadded(c, 4, 16);
                } else {
                    out += static_cast<char>(c);
                }
        }
    }
    return out + "\"";
}

}  // namespace dx
