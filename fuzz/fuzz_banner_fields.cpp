// Any bytes as a banner description, a ping output, a picture type or a
// scrambled address: read without harm, and the readers agree with each other.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "banner/address.h"
#include "banner/description.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto fields = dx::readFields(text, 7);
    size_t total = 0;
    for (const std::string& f : fields) total += f.size();
    if (fields.size() > 7 || total > size) std::abort();
    if (dx::readDescription(text).has_value() != (fields.size() >= 3)) std::abort();
    if (dx::pingAnswered(text).has_value() != (fields.size() == 7)) std::abort();
    if (dx::isSafeExtension(text) && text.find_first_of("./\\") != std::string_view::npos)
        std::abort();
    if (dx::unscrambleAddress(dx::scrambleAddress(text)) != text) std::abort();
    if (dx::isWebAddress(text) && text.find_first_of(" \t\r\n") != std::string_view::npos)
        std::abort();
    dx::isStorableBody(text);
    return 0;
}
