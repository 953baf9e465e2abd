// Any bytes as a settings file: read without harm, and what was read writes
// back to the same values.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "settings/settings_codec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto values = dx::parseSettingsFile(bytes);
    if (!values) return 0;
    const auto again = dx::parseSettingsFile(dx::settingsFileBytes(*values));
    if (!again || again->unite != values->unite || again->verrou != values->verrou ||
        again->animation != values->animation)
        std::abort();
    return 0;
}
