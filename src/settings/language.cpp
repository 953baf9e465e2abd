#include "settings/language.h"

#include "platform/text.h"

namespace dx {

int16_t languageFlag(std::string_view englishLanguageName) {
    return englishLanguageName == "French" ? 1 : 0;
}

}  // namespace dx
