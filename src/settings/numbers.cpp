#include "settings/numbers.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

namespace dx {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// The sign of a decimal text's order of magnitude: positive when its first
// significant digit stands before the point, once the exponent is applied.
// Tells a number too large for a double from one too small.
bool largerThanOne(std::string_view number) {
    const size_t exponentAt = number.find_first_of("eE");
    const std::string_view digits = number.substr(0, exponentAt);
    const size_t point = std::min(digits.find('.'), digits.size());
    const size_t first = digits.find_first_of("123456789");
    if (first == std::string_view::npos) return false;
    long long order = first < point ? static_cast<long long>(point - first)
                                    : -static_cast<long long>(first - point - 1);
    if (exponentAt != std::string_view::npos) {
        std::string_view e = number.substr(exponentAt + 1);
        const bool negative = !e.empty() && e[0] == '-';
        if (!e.empty() && (e[0] == '-' || e[0] == '+')) e.remove_prefix(1);
        long long exponent = 0;
        for (const char c : e) exponent = std::min(exponent * 10 + (c - '0'), 1'000'000'000LL);
        order += negative ? -exponent : exponent;
    }
    return order > 0;
}

// A sign, digits, a point, decimals and an exponent, read with a point
// whatever the process's C locale says, to the double strtod gives under the
// C locale: the nearest one, infinity above the largest, zero below the
// smallest.
double decimalValue(std::string_view number) {
    const bool negative = !number.empty() && number[0] == '-';
    if (!number.empty() && number[0] == '+') number.remove_prefix(1);
    double value = 0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (error != std::errc::result_out_of_range) return value;
    const double limit = largerThanOne(number) ? std::numeric_limits<double>::infinity() : 0.0;
    return negative ? -limit : limit;
}

// The number's decimal form with a point ("5.6", "5.400000000000000e+00").
template <typename... Format>
std::string decimalForm(double value, Format... format) {
    char buf[400];
    const auto [end, error] = std::to_chars(buf, buf + sizeof buf, value, format...);
    return error == std::errc() ? std::string(buf, end) : std::string();
}

// Rounds the magnitude's decimal digits half up at the given count of
// decimals, working on the number's 15-digit decimal form so that a value
// such as 5.55 rounds as it reads.
std::string roundedDigits(double magnitude, int decimals) {
    const std::string form = decimalForm(magnitude, std::chars_format::scientific, 15);
    // form: d.ddddddddddddddde[+-]xx
    std::string mant;
    mant += form[0];
    mant.append(form, 2, 15);
    const int exp10 = static_cast<int>(decimalValue(form.substr(form.find('e') + 1)));
    // The value is 0.<mant> * 10^(exp10 + 1).
    const int intDigits = exp10 + 1;
    const int keep = intDigits + decimals;  // digits of mant kept
    std::string digits;
    if (keep < 0) return std::string(static_cast<size_t>(decimals) + 1, '0');
    bool roundUp = false;
    if (keep < static_cast<int>(mant.size())) {
        roundUp = mant[static_cast<size_t>(keep)] >= '5';
        digits = mant.substr(0, static_cast<size_t>(keep));
    } else {
        digits = mant + std::string(static_cast<size_t>(keep) - mant.size(), '0');
    }
    if (roundUp) {
        int i = static_cast<int>(digits.size()) - 1;
        for (; i >= 0; --i) {
            if (digits[static_cast<size_t>(i)] == '9') {
                digits[static_cast<size_t>(i)] = '0';
            } else {
                ++digits[static_cast<size_t>(i)];
                break;
            }
        }
        if (i < 0) digits.insert(digits.begin(), '1');
    }
    // Pad so that there is at least one integer digit position.
    while (static_cast<int>(digits.size()) < decimals + 1) digits.insert(digits.begin(), '0');
    return digits;  // integer digits followed by `decimals` decimals
}

// The value of a sign, digits, a point and decimals. Levels are read for
// every test a drawing passes, so the usual short texts take a fast path:
// with at most 15 significant digits the digits and the power of ten are
// both exact doubles, and their quotient is the correctly rounded value,
// the same as the general reading gives.
double shortDecimalValue(std::string_view number) {
    static constexpr double kPowers[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                         1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    size_t i = 0;
    const bool negative = !number.empty() && number[0] == '-';
    if (!number.empty() && (number[0] == '-' || number[0] == '+')) ++i;
    long long mantissa = 0;
    int digits = 0;
    int decimals = 0;
    bool afterPoint = false;
    for (; i < number.size(); ++i) {
        const char c = number[i];
        if (c == '.') {
            afterPoint = true;
            continue;
        }
        if (mantissa == 0 && c == '0') {
            if (afterPoint) ++decimals;
            continue;
        }
        if (++digits > 15) return decimalValue(number);
        mantissa = mantissa * 10 + (c - '0');
        if (afterPoint) ++decimals;
    }
    const double value = static_cast<double>(mantissa) / kPowers[decimals > 15 ? 15 : decimals];
    if (decimals > 15) return decimalValue(number);
    return negative ? -value : value;
}

}  // namespace

namespace {

// A level as the journal stores it ("05.6", "126"): at most seven
// characters, digits and one point, nothing else. Seven digits at most make
// the digits and the power of ten exact doubles, so their quotient is the
// correctly rounded value.
// k / 10 for k = 0..999, the values a level of the form "05.6" takes: a
// table look-up instead of a division for each of a journal's levels.
constexpr auto kTenths = [] {
    std::array<double, 1000> tenths{};
    for (size_t k = 0; k < tenths.size(); ++k) tenths[k] = static_cast<double>(k) / 10.0;
    return tenths;
}();

std::optional<double> plainShortNumber(std::string_view text) {
    static constexpr double kPowers[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6};
    const auto digit = [&text](size_t i) { return static_cast<unsigned>(text[i] - '0'); };
    // The two shapes the save writes: "05.6" and "126".
    if (text.size() == 4 && text[2] == '.' && digit(0) < 10 && digit(1) < 10 && digit(3) < 10)
        return kTenths[digit(0) * 100 + digit(1) * 10 + digit(3)];
    if (text.size() == 3 && digit(0) < 10 && digit(1) < 10 && digit(2) < 10)
        return digit(0) * 100 + digit(1) * 10 + digit(2);
    if (text.empty() || text.size() > 7) return std::nullopt;
    uint32_t digits = 0;
    int decimals = -1;  // -1 until the point
    for (const char c : text) {
        if (isDigit(c)) {
            digits = digits * 10 + static_cast<uint32_t>(c - '0');
            if (decimals >= 0) ++decimals;
        } else if (c == '.' && decimals < 0) {
            decimals = 0;
        } else {
            return std::nullopt;
        }
    }
    if (text.size() == 1 && decimals == 0) return std::nullopt;  // "." alone
    return decimals > 0 ? digits / kPowers[decimals] : digits;
}

}  // namespace

double leadingNumber(std::string_view text) {
    if (const auto plain = plainShortNumber(text)) return *plain;
    size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    const size_t start = i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    const size_t digitsFrom = i;
    while (i < text.size() && isDigit(text[i])) ++i;
    bool anyDigit = i > digitsFrom;
    if (i < text.size() && text[i] == '.') {
        const size_t afterPoint = ++i;
        while (i < text.size() && isDigit(text[i])) ++i;
        anyDigit = anyDigit || i > afterPoint;
    }
    if (!anyDigit) return 0.0;
    return shortDecimalValue(text.substr(start, i - start));
}

int leadingInteger(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    if (text.size() > 1 && text[0] == '+' && isDigit(text[1])) text.remove_prefix(1);
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() ? value : 0;
}

std::optional<double> numericValue(std::string_view text) {
    size_t b = 0, e = text.size();
    while (b < e && text[b] == ' ') ++b;
    while (e > b && text[e - 1] == ' ') --e;
    std::string_view t = text.substr(b, e - b);
    size_t i = 0;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
    size_t digits = 0;
    while (i < t.size() && isDigit(t[i])) ++i, ++digits;
    if (i < t.size() && t[i] == '.') {
        ++i;
        while (i < t.size() && isDigit(t[i])) ++i, ++digits;
    }
    if (digits == 0) return std::nullopt;
    if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
        size_t j = i + 1;
        if (j < t.size() && (t[j] == '+' || t[j] == '-')) ++j;
        const size_t expFrom = j;
        while (j < t.size() && isDigit(t[j])) ++j;
        if (j == expFrom) return std::nullopt;
        i = j;
    }
    if (i != t.size()) return std::nullopt;
    const double v = decimalValue(t);
    if (!std::isfinite(v)) return std::nullopt;
    return v;
}

std::string formatNumber(double value, std::string_view pattern) {
    const size_t point = pattern.find('.');
    const std::string_view intPart = pattern.substr(0, point);
    int minInt = 0;
    for (char c : intPart)
        if (c == '0') ++minInt;
    const int decimals =
        point == std::string_view::npos ? 0 : static_cast<int>(pattern.size() - point - 1);
    if (!std::isfinite(value)) value = 0;
    std::string digits = roundedDigits(std::fabs(value), decimals);
    std::string intDigits = digits.substr(0, digits.size() - static_cast<size_t>(decimals));
    const std::string decDigits = digits.substr(digits.size() - static_cast<size_t>(decimals));
    // Strip the integer part to its significant digits, then pad to minInt.
    size_t nz = intDigits.find_first_not_of('0');
    intDigits = nz == std::string::npos ? std::string() : intDigits.substr(nz);
    while (static_cast<int>(intDigits.size()) < minInt) intDigits.insert(intDigits.begin(), '0');
    const bool isZero = (intDigits.find_first_not_of('0') == std::string::npos) &&
                        (decDigits.find_first_not_of('0') == std::string::npos);
    std::string out = (value < 0 && !isZero) ? "-" : "";
    out += intDigits;
    if (decimals > 0) out += "." + decDigits;
    return out;
}

std::string numberText(double value) {
    if (!std::isfinite(value)) return "0";
    std::string s = decimalForm(value, std::chars_format::general, 15);
    if (s.find('e') != std::string::npos) {
        s = decimalForm(value, std::chars_format::fixed, 15);
        if (s.find('.') != std::string::npos) {
            while (!s.empty() && s.back() == '0') s.pop_back();
            if (!s.empty() && s.back() == '.') s.pop_back();
        }
    }
    if (s == "-0") s = "0";
    return s;
}

long long roundHalfEven(double value) { return static_cast<long long>(std::nearbyint(value)); }

std::string formatIfNumber(std::string_view text, std::string_view pattern) {
    const std::optional<double> value = numericValue(text);
    return value ? formatNumber(*value, pattern) : std::string(text);
}

}  // namespace dx
