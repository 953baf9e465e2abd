#include "platform/posix/posix_locale.h"

#include <iconv.h>
#include <langinfo.h>
#include <locale.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <utility>
#include <vector>

#include "platform/posix/local_time.h"

namespace dx {

namespace {

constexpr const char* kYearFirst = "yyyy-MM-dd";

bool isSet(const char* value) { return value != nullptr && *value != '\0'; }

// The C and POSIX locales have no short date of their own: the American
// "%m/%d/%y" they report stands for none, and the window uses year first.
bool isCLocale(std::string_view name) {
    return name == "C" || name == "POSIX" || name.starts_with("C.");
}

// ---- The date format in Windows notation

struct DateField {
    char letter;         // 'd', 'M' or 'y'
    bool padded;         // two digits for a day or a month
    std::string before;  // the text between the previous field and this one
};

class DateFields {
public:
    void literal(char c) { pending_ += c; }
    void field(char letter, bool padded) {
        // "%C%y" names the year twice, with nothing between.
        if (!fields_.empty() && fields_.back().letter == letter && pending_.empty()) return;
        fields_.push_back({letter, padded, pending_});
        pending_.clear();
    }
    void read(std::string_view format);
    std::string pattern() const;

private:
    std::vector<DateField> fields_;
    std::string pending_;
};

// glibc's flags after the "%": "-" and "_" drop the zero padding.
size_t skipFlags(std::string_view format, size_t i, bool& padded) {
    while (i < format.size() &&
           std::string_view("-_0^#").find(format[i]) != std::string_view::npos) {
        if (format[i] == '-' || format[i] == '_') padded = false;
        ++i;
    }
    while (i < format.size() && format[i] >= '0' && format[i] <= '9') ++i;  // a field width
    if (i < format.size() && (format[i] == 'E' || format[i] == 'O')) ++i;   // alternative forms
    return i;
}

void DateFields::read(std::string_view format) {
    for (size_t i = 0; i < format.size(); ++i) {
        if (format[i] != '%') {
            literal(format[i]);
            continue;
        }
        bool padded = true;
        i = skipFlags(format, i + 1, padded);
        if (i >= format.size()) return;
        switch (format[i]) {
            case 'd':
                field('d', padded);
                break;
            case 'e':
                field('d', false);
                break;
            case 'm':
                field('M', padded);
                break;
            case 'b':
            case 'h':
            case 'B':
                field('M', true);
                break;
            case 'Y':
            case 'y':
            case 'C':
            case 'G':
            case 'g':
                field('y', true);
                break;
            case 'D':
                read("%m/%d/%y");
                break;
            case 'F':
                read("%Y-%m-%d");
                break;
            case 'n':
            case 't':
                literal(' ');
                break;
            case '%':
                literal('%');
                break;
            default:  // names of days, times of day: no part of a short date
                break;
        }
    }
}

// The separator the journal can read between two numbers: one of "-/." when
// the format has it, a blank for any other text, "/" when there was none.
std::string separatorOf(const std::string& text) {
    const size_t at = text.find_first_of("-/.");
    if (at != std::string::npos) return std::string(1, text[at]);
    return text.empty() ? "/" : " ";
}

std::string DateFields::pattern() const {
    std::string out;
    int days = 0, months = 0, years = 0;
    for (size_t k = 0; k < fields_.size(); ++k) {
        const DateField& f = fields_[k];
        if (k > 0) out += separatorOf(f.before);
        if (f.letter == 'd') {
            ++days;
            out += f.padded ? "dd" : "d";
        } else if (f.letter == 'M') {
            ++months;
            out += f.padded ? "MM" : "M";
        } else {
            ++years;
            out += "yyyy";
        }
    }
    if (days != 1 || months != 1 || years != 1) return kYearFirst;
    return out;
}

// ---- The language

// glibc names a language with its region where Windows does not ("Canadian
// French", "American English"); the language's two-letter code tells the
// usual ones apart whatever the region.
constexpr std::pair<std::string_view, const char*> kLanguageOfCode[] = {
    {"fr", "French"},  {"en", "English"},    {"de", "German"}, {"es", "Spanish"},
    {"it", "Italian"}, {"pt", "Portuguese"}, {"nl", "Dutch"},
};

const char* languageOfCode(std::string_view code) {
    for (const auto& [c, name] : kLanguageOfCode)
        if (c == code) return name;
    return nullptr;
}

// "fr_CA.UTF-8@euro" is French by its name.
std::string_view codeOfName(std::string_view localeName) {
    return localeName.substr(0, localeName.find_first_of("_.@"));
}

std::string languageOf(const std::string& localeName) {
    locale_t loc = newlocale(LC_IDENTIFICATION_MASK | LC_ADDRESS_MASK, localeName.c_str(), nullptr);
    if (loc == nullptr) {
        const char* byName = languageOfCode(codeOfName(localeName));
        return byName != nullptr ? byName : "";
    }
    const char* byCode = languageOfCode(nl_langinfo_l(_NL_ADDRESS_LANG_AB, loc));
    std::string language =
        byCode != nullptr ? byCode : nl_langinfo_l(_NL_IDENTIFICATION_LANGUAGE, loc);
    freelocale(loc);
    return language;
}

// ---- Names of days and months

constexpr nl_item kAbDay[7] = {ABDAY_1, ABDAY_2, ABDAY_3, ABDAY_4, ABDAY_5, ABDAY_6, ABDAY_7};
constexpr nl_item kAbMon[12] = {ABMON_1, ABMON_2, ABMON_3, ABMON_4,  ABMON_5,  ABMON_6,
                                ABMON_7, ABMON_8, ABMON_9, ABMON_10, ABMON_11, ABMON_12};
constexpr nl_item kMon[12] = {MON_1, MON_2, MON_3, MON_4,  MON_5,  MON_6,
                              MON_7, MON_8, MON_9, MON_10, MON_11, MON_12};

template <size_t N>
void readNames(locale_t loc, const nl_item (&items)[N], std::array<std::string, N>& names) {
    const char* codeset = nl_langinfo_l(CODESET, loc);
    for (size_t i = 0; i < N; ++i) names[i] = utf8From(nl_langinfo_l(items[i], loc), codeset);
}

// The time facts of a locale; the C locale's when it cannot be opened.
void readTimeFacts(const std::string& localeName, LocaleFacts& facts) {
    locale_t loc = isCLocale(localeName)
                       ? nullptr
                       : newlocale(LC_TIME_MASK | LC_CTYPE_MASK, localeName.c_str(), nullptr);
    const bool own = loc != nullptr;
    if (!own) loc = newlocale(LC_TIME_MASK | LC_CTYPE_MASK, "C", nullptr);
    if (loc == nullptr) return;
    facts.shortDatePattern = own ? windowsDatePattern(nl_langinfo_l(D_FMT, loc)) : kYearFirst;
    readNames(loc, kAbDay, facts.dayAbbrev);
    readNames(loc, kAbMon, facts.monthAbbrev);
    readNames(loc, kMon, facts.monthFull);
    freelocale(loc);
}

bool beyondAscii(char c) { return static_cast<unsigned char>(c) >= 0x80; }

std::string asciiOnly(std::string_view text) {
    std::string out(text);
    std::replace_if(out.begin(), out.end(), beyondAscii, '?');
    return out;
}

}  // namespace

std::string localeNameFor(const char* lcAll, const char* lcCategory, const char* lang) {
    for (const char* value : {lcAll, lcCategory, lang})
        if (isSet(value)) return value;
    return "C";
}

LocaleNames environmentLocaleNames() {
    const char* all = std::getenv("LC_ALL");
    const char* lang = std::getenv("LANG");
    return {localeNameFor(all, std::getenv("LC_TIME"), lang),
            localeNameFor(all, std::getenv("LC_MESSAGES"), lang)};
}

std::string windowsDatePattern(std::string_view cFormat) {
    DateFields fields;
    fields.read(cFormat);
    return fields.pattern();
}

std::string utf8From(std::string_view text, const char* codeset) {
    if (std::none_of(text.begin(), text.end(), beyondAscii) || std::strcmp(codeset, "UTF-8") == 0)
        return std::string(text);
    iconv_t cd = iconv_open("UTF-8", codeset);
    if (cd == reinterpret_cast<iconv_t>(-1)) return asciiOnly(text);
    std::string in(text);
    std::string out(text.size() * 4, '\0');
    char* from = in.data();
    char* to = out.data();
    size_t left = in.size(), room = out.size();
    while (left > 0 && room > 0) {
        if (iconv(cd, &from, &left, &to, &room) != static_cast<size_t>(-1) || room == 0) break;
        *to++ = '?';  // a byte the character set does not define
        --room;
        ++from;
        --left;
    }
    iconv_close(cd);
    out.resize(out.size() - room);
    return out;
}

LocaleFacts readLocaleFacts(const LocaleNames& names) {
    LocaleFacts facts;
    facts.shortDatePattern = kYearFirst;
    readTimeFacts(names.time, facts);
    facts.language = languageOf(names.messages);
    return facts;
}

std::string systemShortDatePattern() {
    return readLocaleFacts(environmentLocaleNames()).shortDatePattern;
}

PosixLocale::PosixLocale() : PosixLocale(environmentLocaleNames()) {}

PosixLocale::PosixLocale(const LocaleNames& names) : facts_(readLocaleFacts(names)) {}

std::string PosixLocale::dayAbbrev(int weekday) const {
    return weekday >= 1 && weekday <= 7 ? facts_.dayAbbrev[static_cast<size_t>(weekday - 1)] : "";
}

std::string PosixLocale::monthAbbrev(int month) const {
    return month >= 1 && month <= 12 ? facts_.monthAbbrev[static_cast<size_t>(month - 1)] : "";
}

std::string PosixLocale::monthFull(int month) const {
    return month >= 1 && month <= 12 ? facts_.monthFull[static_cast<size_t>(month - 1)] : "";
}

int PosixLocale::utcOffsetAt(int64_t localSeconds) const { return systemUtcOffset(localSeconds); }

}  // namespace dx
