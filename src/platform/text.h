#pragma once

// Text helpers shared by every subsystem: the window's texts are UTF-8 and
// the procedures count, cut and compare them by characters.

#include <cstdint>
#include <string>
#include <string_view>

namespace dx {

// A text of both languages; the window picks one when it shows it.
struct Bilingual {
    const char* fr;
    const char* en;
};

inline const char* pick(const Bilingual& text, int16_t langue) {
    return langue == 1 ? text.fr : text.en;
}

int utf8Length(std::string_view s);
std::string utf8Left(std::string_view s, int count);
std::string utf8Right(std::string_view s, int count);
// count characters from the 0-based character position start.
std::string utf8Mid(std::string_view s, int start, int count);
// The code point of the first character, 0 for an empty text.
char32_t utf8First(std::string_view s);
std::string utf8Encode(char32_t cp);
// Upper case for ASCII and the accented letters of Western European text.
std::string upperCase(std::string_view s);
std::string trimBlanks(std::string_view s);
// The part before the first NUL character; a text with no NUL gives "".
std::string cutAtNul(std::string_view s);

// Digits of a whole number in a base up to 16 (lower-case letters), with
// zeros after the sign up to `width` characters in all: (7, 2) "07",
// (-5, 4) "-005", (31, 4, 16) "001f". Whatever the process's C locale.
std::string zeroPadded(long long value, int width, int base = 10);
// ASCII letters only, whatever the process's C locale.
char asciiLower(char c);
// A JSON string literal of a UTF-8 text.
std::string jsonQuote(std::string_view text);

}  // namespace dx
