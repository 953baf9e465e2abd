// Numbers as levels are read, written and banded, the settings file, and
// text counted by characters.

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "platform/text.h"
#include "settings/numbers.h"
#include "settings/settings_codec.h"
#include "settings/units.h"

namespace dx {
namespace {

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
    // Sign, digits and decimals up to the first other character.
    for (const char* text :
         {"0.1", "5.55", "9007199254740993", "123456789012345678", "0.0000000000000001234", "25.0",
          "450", "+7", "05.6", "-5abc", "abc", "", "12:30", "+25"})
        EXPECT_EQ(leadingNumber(text), std::strtod(text, nullptr)) << text;
}

TEST(Numbers, WholeNumbersAndPlainTextsReadAndWriteAsTheCLibraryDoesUnderTheCLocale) {
    // The C library under the C locale is the reference every journal,
    // replay and display was written with.
    for (const char* text : {"5.4", " 05.6 ", "+7", "-0", "1e3", "2.5E-3", "1e-400", "-2e-324",
                             "3e-324", "1e400", "-1e400", "0.0000001e400", "1000e-310", "1.", ".5",
                             "0e999999999999", "12345678901234567890"}) {
        const auto value = numericValue(text);
        const double reference = std::strtod(text, nullptr);
        if (std::isfinite(reference)) {
            ASSERT_TRUE(value) << text;
            EXPECT_EQ(*value, reference) << text;
            EXPECT_EQ(std::signbit(*value), std::signbit(reference)) << text;
        } else {
            EXPECT_FALSE(value) << text;
        }
    }
    for (const char* text : {"", "5,4", "1e", "e5", ".", "5 4", "--5", "0x10"})
        EXPECT_FALSE(numericValue(text)) << text;

    // The plain text of a number as the C library's printf wrote it before.
    const auto printed = [](double value) {
        char buf[400];
        std::snprintf(buf, sizeof buf, "%.15g", value);
        std::string text = buf;
        if (text.find('e') != std::string::npos) {
            std::snprintf(buf, sizeof buf, "%.15f", value);
            text = buf;
            while (text.back() == '0') text.pop_back();
            if (text.back() == '.') text.pop_back();
        }
        return text == "-0" ? std::string("0") : text;
    };
    for (double value : {5.6, 0.5, 10.0, -2.25, 1e-5, 1e-7, 123456789012345.0, 1e15, 1e20, 1.0 / 3,
                         -0.0, 5e-324, 1.7976931348623157e308})
        EXPECT_EQ(numberText(value), printed(value)) << value;

    for (auto [text, value] : {std::pair{"17/12", 17},
                               {" +5x", 5},
                               {"-3", -3},
                               {"+-5", 0},
                               {"abc", 0},
                               {"", 0},
                               {"99999999999", 0}})
        EXPECT_EQ(leadingInteger(text), value) << text;
}

// Restores the process's C locale when the test ends, however it ends.
class CLocaleGuard {
public:
    CLocaleGuard() : saved_(std::setlocale(LC_ALL, nullptr)) {}
    ~CLocaleGuard() { std::setlocale(LC_ALL, saved_.c_str()); }

private:
    std::string saved_;
};

// Qt sets the C library's locale from the environment at start-up: in a
// comma-decimal language the levels must still read and write with a point.
TEST(Numbers, LevelsKeepTheirPointUnderACommaDecimalCLocale) {
    for (const char* name : {"fr_FR.UTF-8", "de_DE.UTF-8"}) {
        SCOPED_TRACE(name);
        CLocaleGuard guard;
        ASSERT_NE(std::setlocale(LC_ALL, name), nullptr) << "locale not installed";
        char check[16];
        std::snprintf(check, sizeof check, "%.1f", 5.4);
        ASSERT_STREQ(check, "5,4");  // the locale really is in force

        for (auto [text, unite, stored] : {std::tuple{"5.4", 0, "05.4"},
                                           {"4.7", 0, "04.7"},
                                           {"05.55", 0, "05.6"},
                                           {"5,4", 0, "05.0"},
                                           {"126", 1, "126"},
                                           {"95.6", 1, "096"},
                                           {"5.4", 1, "005"}})
            EXPECT_EQ(storedLevel(text, static_cast<int16_t>(unite)), stored) << text;
        for (auto [text, pattern, shown] : {std::tuple{"04.7", "00.0", "04.7"},
                                            {"5.4", "00.0", "05.4"},
                                            {"95.6", "##0", "96"},
                                            {"5,4", "00.0", "5,4"},
                                            {"1e1", "00.0", "10.0"}})
            EXPECT_EQ(formatIfNumber(text, pattern), shown) << text << " " << pattern;
        for (auto [text, number] : {std::pair{"5.4", 5.4},
                                    {"-5.4abc", -5.4},
                                    {"5,4", 5.0},
                                    {"12345678901234567.5x", 12345678901234567.5}})
            EXPECT_EQ(leadingNumber(text), number) << text;
        EXPECT_EQ(numericValue(" 2.5e1 "), 25.0);
        EXPECT_EQ(numberText(5.6), "5.6");
        EXPECT_EQ(numberText(1e-7), "0.0000001");
    }
}

TEST(Numbers, FormatsLikeTheDisplayPatterns) {
    for (auto [value, pattern, text] : {std::tuple{5.56, "00.0", "05.6"},
                                        {5.0, "00.0", "05.0"},
                                        {5.0, "000", "005"},
                                        {126.0, "000", "126"},
                                        {5.6, "##0", "6"},
                                        {0.0, "##0", "0"},
                                        {5.55, "00.0", "05.6"},
                                        {0.25, "0.0", "0.3"},
                                        {-5.0, "00.0", "-05.0"},
                                        {1234.5, "000", "1235"}})
        EXPECT_EQ(formatNumber(value, pattern), text) << value << " " << pattern;
    EXPECT_EQ(roundHalfEven(10.5), 10);
    EXPECT_EQ(roundHalfEven(11.5), 12);
}

TEST(Text, CountsAndCutsByCharacters) {
    EXPECT_EQ(utf8Length("août"), 4);
    EXPECT_EQ(utf8Left("août", 3), "aoû");
    EXPECT_EQ(utf8Right("août", 2), "ût");
    EXPECT_EQ(upperCase("févr."), "FÉVR.");
}

TEST(Text, ZeroPaddedNumbersPadAfterTheSign) {
    for (auto [value, width, base, text] : {std::tuple{7LL, 2, 10, "07"},
                                            {2026LL, 4, 10, "2026"},
                                            {12345LL, 4, 10, "12345"},
                                            {-5LL, 4, 10, "-005"},
                                            {-5LL, 2, 10, "-5"},
                                            {0LL, 2, 10, "00"},
                                            {31LL, 4, 16, "001f"},
                                            {255LL, 2, 16, "ff"}})
        EXPECT_EQ(zeroPadded(value, width, base), text) << value;
}

TEST(SettingsUnits, BandsAreHalfOpenAtTheLowerBound) {
    for (auto [level, unite, band] : {std::tuple{3.9, 0, Band::None},
                                      {4.0, 0, Band::Optimal},
                                      {6.99, 0, Band::Optimal},
                                      {7.0, 0, Band::Suboptimal},
                                      {10.0, 0, Band::Compromise},
                                      {71.0, 1, Band::None},
                                      {72.0, 1, Band::Optimal},
                                      {126.0, 1, Band::Suboptimal},
                                      {180.0, 1, Band::Compromise},
                                      {126.0, 7, Band::Suboptimal}})  // any non-zero flag is mg/dl
        EXPECT_EQ(levelBand(level, static_cast<int16_t>(unite)), band) << level << " " << unite;
}

TEST(SettingsUnits, StoredLevelKeepsOnlyWhatFormattingGivesBack) {
    for (const char* text : {"05.6",  "00.0",  "123.4", "005.6", "5.6",  "05.60", "05.",  "0.5",
                             "005",   "126",   "1234",  "0126",  "12",   "-05.6", "05,6", " 05.6",
                             "05.6x", "999.9", "000",   "0000",  "5.56", "high",  ""})
        for (int16_t unite : {0, 1})
            EXPECT_EQ(storedLevel(text, unite),
                      formatNumber(leadingNumber(text), unite == 0 ? "00.0" : "000"))
                << text << " " << unite;
}

TEST(SettingsUnits, ResultMenuCaptionsWithTheirExactBlanks) {
    auto c = resultMenuCaptions(0, 1, "Optimaux:", "Suboptimaux:", "Compromis:");
    EXPECT_EQ(c.optimal, "Optimaux: >= 4 et <7");
    EXPECT_EQ(c.suboptimal, "Suboptimaux: >= 7 et <10");
    EXPECT_EQ(c.compromise, "Compromis: >= 10");
    c = resultMenuCaptions(1, 0, "Optimal:", "Suboptimal:", "Compromise:");
    EXPECT_EQ(c.optimal, "Optimal: >= 72 and <126");
    EXPECT_EQ(c.suboptimal, "Suboptimal: >= 126 and <180");
    EXPECT_EQ(c.compromise, "Compromise: >= 180");
}

TEST(SettingsFile, ValuesAreTheLastDigitOfTheirLine) {
    auto v = parseSettingsFile("[Setup]\r\nUnite=01\r\nLock=12\r\nAnimation=x\r\n");
    ASSERT_TRUE(v);
    EXPECT_EQ(v->unite, 1);
    EXPECT_EQ(v->verrou, 2);
    EXPECT_EQ(v->animation, 0);
    v = parseSettingsFile("[Setup],Unite=7,Lock=,Animation=3");
    ASSERT_TRUE(v);
    EXPECT_EQ(v->unite, 7);
    EXPECT_EQ(v->verrou, 0);
    EXPECT_EQ(v->animation, 3);
    EXPECT_EQ(settingsFileBytes(*v), "[Setup]\r\nUnite=7\r\nLock=0\r\nAnimation=3\r\n");
    EXPECT_FALSE(parseSettingsFile("[Setup]\r\nUnite=0\r\nLock=0\r\n"));
    EXPECT_FALSE(parseSettingsFile(""));
}

}  // namespace
}  // namespace dx
