#pragma once

// Number reading and writing as the journal and the displays use them. A
// level is a text whose number is its leading numeric part; levels are
// written with a point as decimal separator.

#include <optional>
#include <string>
#include <string_view>

namespace dx {

// Optional blanks, an optional sign, digits, an optional point and decimals,
// from the start of the text; 0 when the text starts with none.
double leadingNumber(std::string_view text);

// The whole number at the start of a text: optional blanks, an optional
// sign, digits; 0 when the text starts with none or the number is too large.
int leadingInteger(std::string_view text);

// The whole text is a number (blanks around it allowed), as a numeric check
// of a field's content understands it.
std::optional<double> numericValue(std::string_view text);

// Writes a number with a display pattern: "00.0", "000", "##0", "0" and the
// like. Zeros before the point give the minimum count of integer digits, the
// digits after it the count of decimals; halves round away from zero, on
// the number's shortest decimal form.
std::string formatNumber(double value, std::string_view pattern);

// A text written with pattern ("##0", "00.0") when the whole text is a
// number; any other text is kept as it is.
std::string formatIfNumber(std::string_view text, std::string_view pattern);

// The plain decimal text of a number: up to 15 significant digits, a point
// as separator, no trailing zeros ("10", "5.6", "0.5").
std::string numberText(double value);

// Rounds to a whole number, halves to the even neighbour.
long long roundHalfEven(double value);

}  // namespace dx
