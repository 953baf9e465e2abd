// The system's locale facts as the C library reports them: the short-date
// pattern in Windows notation, the names of days and months, the language.

#include <gtest/gtest.h>

#include <tuple>

#include "journal/datetext.h"
#include "platform/posix/posix_locale.h"

namespace dx {
namespace {

TEST(PosixLocale, CDateFormatsBecomeWindowsPatternsWithAFourDigitYear) {
    for (auto [format, pattern] : {
             std::pair{"%m/%d/%Y", "MM/dd/yyyy"},  // American
             {"%d/%m/%Y", "dd/MM/yyyy"},           // French
             {"%d.%m.%Y", "dd.MM.yyyy"},           // German
             {"%d/%m/%y", "dd/MM/yyyy"},           // British: the year keeps four digits
             {"%Y-%m-%d", "yyyy-MM-dd"},
             {"%D", "MM/dd/yyyy"},
             {"%F", "yyyy-MM-dd"},
             {"%C%y-%m-%d", "yyyy-MM-dd"},
             {"%Ey/%Om/%Od", "yyyy/MM/dd"},
             // Unpadded fields stay unpadded.
             {"%e.%m.%Y", "d.MM.yyyy"},
             {"%-d/%-m/%Y", "d/M/yyyy"},
             {"%_m/%d/%Y", "M/dd/yyyy"},
             // Names of days go, names of months become numbers; other text
             // between two fields is a blank, nothing at all a slash.
             {"%a %d %b %Y", "dd MM yyyy"},
             {"%A, %e. %B %Y", "d.MM yyyy"},
             {"%Y. %m. %d.", "yyyy.MM.dd"},
             {"%Y\xe5\xb9\xb4%m\xe6\x9c\x88%d\xe6\x97\xa5", "yyyy MM dd"},
             {"%d%m%Y", "dd/MM/yyyy"},
             {"%d/%m/%Y %H:%M%n", "dd/MM/yyyy"},
             // Anything that is no day, month and year once each.
             {"%x", "yyyy-MM-dd"},
             {"%b %Y", "yyyy-MM-dd"},
             {"%d/%d/%Y", "yyyy-MM-dd"},
             {"%d/%m/%", "yyyy-MM-dd"},
             {"", "yyyy-MM-dd"},
         })
        EXPECT_EQ(windowsDatePattern(format), pattern) << format;
}

TEST(PosixLocale, EachCategoryTakesLcAllThenItsOwnVariableThenLang) {
    for (auto [all, own, lang, name] :
         {std::tuple{"fr_FR.UTF-8", "de_DE.UTF-8", "en_US.UTF-8", "fr_FR.UTF-8"},
          {"", "de_DE.UTF-8", "en_US.UTF-8", "de_DE.UTF-8"},
          {nullptr, nullptr, "en_US.UTF-8", "en_US.UTF-8"},
          {nullptr, "", "", "C"},
          {nullptr, nullptr, nullptr, "C"}})
        EXPECT_EQ(localeNameFor(all, own, lang), name);
}

TEST(PosixLocale, CharacterSetsOtherThanUtf8AreConverted) {
    EXPECT_EQ(utf8From("f\xe9vr.", "ISO-8859-1"), "févr.");
    EXPECT_EQ(utf8From("ao\xfbt", "ISO-8859-15"), "août");
    EXPECT_EQ(utf8From("août", "UTF-8"), "août");
    EXPECT_EQ(utf8From("Mar", "ANSI_X3.4-1968"), "Mar");
    EXPECT_EQ(utf8From("a\xe9z", "no-such-charset"), "a?z");
}

// Every locale the program is tested in, as this system has it: the
// program's locale tests need them (scripts/install-deps makes them).
TEST(PosixLocale, FactsOfEachLocale) {
    struct Expected {
        const char* name;
        const char* language;
        const char* pattern;
        const char* sunday;
        const char* february;
        const char* august;
    };
    for (const Expected& e : {
             Expected{"fr_FR.UTF-8", "French", "dd/MM/yyyy", "dim.", "févr.", "août"},
             {"en_US.UTF-8", "English", "MM/dd/yyyy", "Sun", "Feb", "August"},
             {"en_GB.UTF-8", "English", "dd/MM/yyyy", "Sun", "Feb", "August"},
             {"de_DE.UTF-8", "German", "dd.MM.yyyy", "So", "Feb", "August"},
             {"C.UTF-8", "", "yyyy-MM-dd", "Sun", "Feb", "August"},
             {"C", "", "yyyy-MM-dd", "Sun", "Feb", "August"},
             {"POSIX", "", "yyyy-MM-dd", "Sun", "Feb", "August"},
             // A locale this system lacks: French by its name all the same.
             {"fr_XX.UTF-8", "French", "yyyy-MM-dd", "Sun", "Feb", "August"},
             {"xx_YY.UTF-8", "", "yyyy-MM-dd", "Sun", "Feb", "August"},
         }) {
        SCOPED_TRACE(e.name);
        const PosixLocale locale(LocaleNames{e.name, e.name});
        EXPECT_EQ(locale.languageName(), e.language);
        EXPECT_EQ(locale.shortDatePattern(), e.pattern);
        EXPECT_EQ(locale.dayAbbrev(1), e.sunday);
        EXPECT_EQ(locale.monthAbbrev(2), e.february);
        EXPECT_EQ(locale.monthFull(8), e.august);
        // Today's date written with the pattern has the pattern's length,
        // which the entry panel's checks need, and reads back.
        const DateTime today = DateTime::fromParts(2026, 12, 7);
        const std::string text = formatShortDate(today, locale.shortDatePattern());
        EXPECT_EQ(text.size(), locale.shortDatePattern().size()) << text;
        EXPECT_EQ(parseDate(text, locale.shortDatePattern()), today) << text;
    }
    // The time facts and the language come from their own categories.
    const PosixLocale mixed(LocaleNames{"de_DE.UTF-8", "fr_FR.UTF-8"});
    EXPECT_EQ(mixed.languageName(), "French");
    EXPECT_EQ(mixed.shortDatePattern(), "dd.MM.yyyy");
    EXPECT_EQ(mixed.monthFull(3), "März");
}

}  // namespace
}  // namespace dx
