#include "window/entry_rules.h"

#include <gtest/gtest.h>

namespace dx {
namespace {

TEST(EntryRules, KeyFiltersLetThroughOnlyTheirFieldsCharacters) {
    for (char c : std::string("-./0123456789")) EXPECT_FALSE(keyResetsDate(c)) << c;
    for (int c : {8, 32, 44, 58, 97, 34}) EXPECT_TRUE(keyResetsDate(c)) << c;
    for (char c : std::string("0123456789:")) EXPECT_FALSE(keyResetsTime(c)) << c;
    for (int c : {8, 45, 47, 59, 97}) EXPECT_TRUE(keyResetsTime(c)) << c;
}

TEST(EntryRules, TimeResetOnALateFirstDigitOrALetter) {
    EXPECT_EQ(timeResetRule("3"), "00:00");
    EXPECT_EQ(timeResetRule("9:00"), "00:00");
    EXPECT_EQ(timeResetRule("a"), "00:00");
    EXPECT_EQ(timeResetRule("23:59"), std::nullopt);
    EXPECT_EQ(timeResetRule("212:00"), std::nullopt);
    EXPECT_EQ(timeResetRule(""), std::nullopt);
}

TEST(EntryRules, LongTimesArePushedOrCut) {
    // A digit typed in front of 12:30 pushes the first one out.
    EXPECT_EQ(timePushRule("112:30"), "12:30");
    EXPECT_EQ(timePushRule("12:30"), std::nullopt);
    EXPECT_EQ(timePushRule("12:305"), std::nullopt);
    EXPECT_EQ(timeCutRule("12:305"), "12:30");
    EXPECT_EQ(timeCutRule("12:30"), std::nullopt);
}

TEST(EntryRules, TheColonIsTypedAfterTwoCharacters) {
    EXPECT_EQ(timeColonRule("14"), "14:");
    EXPECT_EQ(timeColonRule("1:"), std::nullopt);
    EXPECT_EQ(timeColonRule("1"), std::nullopt);
    EXPECT_EQ(timeColonRule("14:"), std::nullopt);
}

TEST(EntryRules, HoursAndMinutesOutOfRange) {
    EXPECT_EQ(timeHoursRule("24:30"), std::nullopt);
    EXPECT_EQ(timeHoursRule("25:00"), "00:00");
    EXPECT_EQ(timeHoursRule("25:17"), "00:17");
    EXPECT_EQ(timeHoursRule("-1:05"), "00:05");
    EXPECT_EQ(timeMinutesRule("12:75"), "12:00");
    EXPECT_EQ(timeMinutesRule("12:59"), std::nullopt);
    // A time of one or two characters reads its "minutes" from them too.
    EXPECT_EQ(timeMinutesRule("7"), std::nullopt);
}

TEST(EntryRules, OkNeedsDateTimeAndALevelInRange) {
    EXPECT_TRUE(entryAcceptable("2000-01-08", "09:15", "5.6", 0));
    EXPECT_FALSE(entryAcceptable("", "09:15", "5.6", 0));
    EXPECT_FALSE(entryAcceptable("2000-01-08", "", "5.6", 0));
    EXPECT_FALSE(entryAcceptable("2000-01-08", "00:00", "5.6", 0));
    EXPECT_FALSE(entryAcceptable("2000-01-08", "09:15", "0", 0));
    EXPECT_FALSE(entryAcceptable("2000-01-08", "09:15", "abc", 0));
    EXPECT_TRUE(entryAcceptable("2000-01-08", "09:15", "25", 0));
    EXPECT_FALSE(entryAcceptable("2000-01-08", "09:15", "25.1", 0));
    EXPECT_TRUE(entryAcceptable("2000-01-08", "09:15", "450", 1));
    EXPECT_FALSE(entryAcceptable("2000-01-08", "09:15", "451", 1));
    // Only 0 and the maximum are tested live; OK refuses a negative level.
    EXPECT_TRUE(entryAcceptable("2000-01-08", "09:15", "-5", 0));
}

TEST(EntryRules, LevelRulesOfBothUnits) {
    EXPECT_EQ(levelCutRule(1, "4507", "4507"), "450");
    EXPECT_EQ(levelCutRule(1, "450", "450"), std::nullopt);
    EXPECT_EQ(levelCutRule(0, "4507", "4507"), std::nullopt);
    EXPECT_EQ(levelCapRule(1, "456"), "450");
    EXPECT_EQ(levelCapRule(1, "450"), std::nullopt);
    EXPECT_EQ(levelCapRule(0, "30"), "25.0");
    EXPECT_EQ(levelCapRule(0, "25"), std::nullopt);
}

TEST(EntryRules, ThermometerLevelStaysInRange) {
    EXPECT_EQ(takenLevel("05.60"), "5.6");
    EXPECT_EQ(takenLevel("abc"), "0");
    EXPECT_EQ(shownLevel("-5", 0), "0");
    EXPECT_EQ(shownLevel("500", 1), "450");
    EXPECT_EQ(shownLevel("30", 0), "25");
    EXPECT_EQ(shownLevel("5.6", 0), "5.6");
}

TEST(EntryRules, ReformatOnlyNumbers) {
    EXPECT_EQ(formatIfNumber("5.6", "00.0"), "05.6");
    EXPECT_EQ(formatIfNumber("0120", "##0"), "120");
    EXPECT_EQ(formatIfNumber("12a", "00.0"), "12a");
    EXPECT_EQ(formatIfNumber("", "##0"), "");
    EXPECT_EQ(entryLevelText("12a", 0), "12.0");
    EXPECT_EQ(entryLevelText("abc", 1), "0");
}

TEST(EntryRules, LevelRefusalOnOk) {
    EXPECT_TRUE(levelRefused("0", 0));
    EXPECT_TRUE(levelRefused("-05.0", 0));
    EXPECT_TRUE(levelRefused("451", 1));
    EXPECT_FALSE(levelRefused("450", 1));
    EXPECT_EQ(levelRefusalText("Rate", 1), "Rate =\n\nminimum  >0\nmaximum  <450");
    EXPECT_EQ(levelRefusalText("Taux", 0), "Taux =\n\nminimum  >0\nmaximum  <25");
}

TEST(EntryRules, OnlyHoursAreComparedWithTheNewestTest) {
    EXPECT_TRUE(hourBefore("09:00", "14:20"));
    EXPECT_FALSE(hourBefore("14:05", "14:20"));
    EXPECT_FALSE(hourBefore("15:00", "14:20"));
}

} // namespace
} // namespace dx
