#pragma once

#include <cstdint>
#include <string_view>

namespace dx {

// Langue from the English name of the system language: 1 for exactly
// "French" (any French-speaking region reports it), 0 for anything else.
int16_t languageFlag(std::string_view englishLanguageName);

}  // namespace dx
