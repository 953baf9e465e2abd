#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>

#include "journal/datetext.h"
#include "settings/numbers.h"
#include "settings/text.h"

namespace dx {
namespace {

TEST(Numbers, LeadingNumberTakesSignDigitsAndDecimals) {
    EXPECT_DOUBLE_EQ(leadingNumber("05.6"), 5.6);
    EXPECT_DOUBLE_EQ(leadingNumber("-5abc"), -5);
    EXPECT_DOUBLE_EQ(leadingNumber("abc"), 0);
    EXPECT_DOUBLE_EQ(leadingNumber(""), 0);
    EXPECT_DOUBLE_EQ(leadingNumber("12:30"), 12);
    EXPECT_DOUBLE_EQ(leadingNumber("+25"), 25);
}

TEST(Numbers, LeadingNumberReadsExactlyAsStrtod) {
    // The fast path must give the very double strtod gives, digit for digit.
    unsigned seed = 12345;
    auto next = [&seed] { return seed = seed * 1103515245u + 12345u; };
    for (int n = 0; n < 20000; ++n) {
        std::string text = (next() % 4 == 0) ? "-" : "";
        const int intDigits = static_cast<int>(next() % 9);
        const int decDigits = static_cast<int>(next() % 12);
        for (int i = 0; i < intDigits; ++i) text += static_cast<char>('0' + next() % 10);
        if (decDigits > 0 || intDigits == 0) text += '.';
        for (int i = 0; i < decDigits || (intDigits == 0 && i == 0); ++i)
            text += static_cast<char>('0' + next() % 10);
        const double expected = std::strtod(text.c_str(), nullptr);
        ASSERT_EQ(leadingNumber(text), expected) << text;
    }
    // Every short text of digits, points and a letter, as levels are stored
    // and as they are mistyped.
    const std::string alphabet = "059.a";
    for (int length = 1; length <= 6; ++length) {
        std::string text(static_cast<size_t>(length), '0');
        for (int code = 0; code < static_cast<int>(std::pow(5, length)); ++code) {
            for (int k = 0, c = code; k < length; ++k, c /= 5)
                text[static_cast<size_t>(k)] = alphabet[static_cast<size_t>(c % 5)];
            ASSERT_EQ(leadingNumber(text), std::strtod(text.c_str(), nullptr)) << text;
        }
    }
    for (const char* text : {"0.1", "5.55", "9007199254740993", "123456789012345678",
                             "0.0000000000000001234", "25.0", "450", "+7"})
        EXPECT_EQ(leadingNumber(text), std::strtod(text, nullptr)) << text;
}

TEST(Numbers, FormatsLikeTheDisplayPatterns) {
    EXPECT_EQ(formatNumber(5.56, "00.0"), "05.6");
    EXPECT_EQ(formatNumber(5, "00.0"), "05.0");
    EXPECT_EQ(formatNumber(5, "000"), "005");
    EXPECT_EQ(formatNumber(126, "000"), "126");
    EXPECT_EQ(formatNumber(5.6, "##0"), "6");
    EXPECT_EQ(formatNumber(0, "##0"), "0");
    EXPECT_EQ(formatNumber(5.55, "00.0"), "05.6");
    EXPECT_EQ(formatNumber(0.25, "0.0"), "0.3");
    EXPECT_EQ(formatNumber(-5, "00.0"), "-05.0");
    EXPECT_EQ(formatNumber(1234.5, "000"), "1235");
    EXPECT_EQ(numberText(20400.0 / 2040), "10");
    EXPECT_EQ(numberText(0.5), "0.5");
    EXPECT_EQ(roundHalfEven(10.5), 10);
    EXPECT_EQ(roundHalfEven(11.5), 12);
}

TEST(DateText, RoundTripsThroughShortDatePatterns) {
    const DateTime d = DateTime::fromParts(1999, 12, 31);
    EXPECT_EQ(formatShortDate(d, "yyyy-MM-dd"), "1999-12-31");
    EXPECT_EQ(formatShortDate(d, "M/d/yyyy"), "12/31/1999");
    EXPECT_EQ(formatShortDate(DateTime::fromParts(2000, 1, 8), "dd/MM/yyyy"), "08/01/2000");
    EXPECT_EQ(parseDate("1999-12-31", "yyyy-MM-dd"), d);
    EXPECT_EQ(parseDate("31/12/1999", "dd/MM/yyyy"), d);
    EXPECT_EQ(parseDate("12/31/1999", "M/d/yyyy"), d);
    EXPECT_FALSE(parseDate("1999-02-30", "yyyy-MM-dd"));
    EXPECT_FALSE(parseDate("hello", "yyyy-MM-dd"));
    EXPECT_EQ(parseDate("00:00:00", "yyyy-MM-dd"), DateTime());
    EXPECT_EQ(DateTime::fromParts(2000, 1, 8).weekday(), 7);  // a Saturday
    EXPECT_EQ(DateTime().iso(), "1899-12-30");
}

TEST(Text, CountsAndCutsByCharacters) {
    EXPECT_EQ(utf8Length("août"), 4);
    EXPECT_EQ(utf8Left("août", 3), "aoû");
    EXPECT_EQ(utf8Right("août", 2), "ût");
    EXPECT_EQ(upperCase("févr."), "FÉVR.");
}

} // namespace
} // namespace dx
