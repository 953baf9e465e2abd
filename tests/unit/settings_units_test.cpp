#include <gtest/gtest.h>

#include "settings/numbers.h"
#include "settings/settings_codec.h"
#include "settings/units.h"

namespace dx {
namespace {

TEST(SettingsUnits, BandsAreHalfOpenAtTheLowerBound) {
    struct Case {
        double level;
        int16_t unite;
        Band band;
    };
    for (const Case& c : {Case{3.9, 0, Band::None}, {4.0, 0, Band::Optimal}, {6.99, 0, Band::Optimal},
                          {7.0, 0, Band::Suboptimal}, {10.0, 0, Band::Compromise},
                          {71, 1, Band::None}, {72, 1, Band::Optimal}, {126, 1, Band::Suboptimal},
                          {180, 1, Band::Compromise}})
        EXPECT_EQ(levelBand(c.level, c.unite), c.band) << c.level << " " << c.unite;
    // Any non-zero flag is mg/dl; a text counts by its leading number.
    EXPECT_EQ(levelBand("126", 7), Band::Suboptimal);
    EXPECT_EQ(levelBand("abc", 0), Band::None);
    EXPECT_EQ(levelBand("07.0 after meal", 0), Band::Suboptimal);
}

TEST(SettingsUnits, StoredLevelKeepsOnlyWhatFormattingGivesBack) {
    for (const char* text : {"05.6", "00.0", "123.4", "005.6", "5.6", "05.60", "05.", "0.5",
                             "005", "126", "1234", "0126", "12", "-05.6", "05,6", " 05.6",
                             "05.6x", "999.9", "000", "0000", "5.56", "high", ""})
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

} // namespace
} // namespace dx
