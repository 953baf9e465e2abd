#pragma once

// The system's locale as the C library reports it: the short-date pattern,
// the day and month names and the language's English name. Qt's own locale
// data differs from the system's in places (the American short date among
// them), so the program reads these facts here, for the locale names the
// environment gives, and the command-line tools read the same.

#include <array>
#include <string>
#include <string_view>

#include "platform/platform.h"

namespace dx {

// The locale name that the environment gives a category, as the C library's
// setlocale(category, "") picks it: LC_ALL, else the category's own
// variable, else LANG, else "C". Empty values do not count.
std::string localeNameFor(const char* lcAll, const char* lcCategory, const char* lang);

struct LocaleNames {
    std::string time;      // the date pattern, the names of days and months
    std::string messages;  // the language
};

// LC_TIME's and LC_MESSAGES's locales from the process's environment.
LocaleNames environmentLocaleNames();

// A C library date format (D_FMT: "%d/%m/%Y") in the Windows notation the
// window uses ("dd/MM/yyyy"): numeric day and month, a four-digit year, the
// format's separators. Names of months become numbers, names of days go; a
// format without exactly one day, month and year gives "yyyy-MM-dd".
std::string windowsDatePattern(std::string_view cFormat);

// Text in the given character set (CODESET: "ISO-8859-1") as UTF-8; bytes
// that do not convert become "?".
std::string utf8From(std::string_view text, const char* codeset);

struct LocaleFacts {
    std::string language;                     // "French", "English", ... or "" when unknown
    std::string shortDatePattern;             // Windows notation
    std::array<std::string, 7> dayAbbrev;     // Sunday first
    std::array<std::string, 12> monthAbbrev;  // January first
    std::array<std::string, 12> monthFull;
};

// The facts of the named locales. The C and POSIX locales, and a locale the
// system does not have, give "yyyy-MM-dd" and the C library's English names;
// the language of a locale the system does not have comes from its name.
LocaleFacts readLocaleFacts(const LocaleNames& names);

// The system's short-date pattern, for the LC_TIME locale of the environment.
std::string systemShortDatePattern();

// The window's Locale on a POSIX system. The facts are read once, when it
// is made; the offset from UTC follows the system's time zone.
class PosixLocale : public Locale {
public:
    PosixLocale();  // the environment's locale
    explicit PosixLocale(const LocaleNames& names);

    std::string languageName() const override { return facts_.language; }
    std::string shortDatePattern() const override { return facts_.shortDatePattern; }
    std::string dayAbbrev(int weekday) const override;
    std::string monthAbbrev(int month) const override;
    std::string monthFull(int month) const override;
    int utcOffsetAt(int64_t localSeconds) const override;

private:
    LocaleFacts facts_;
};

}  // namespace dx
