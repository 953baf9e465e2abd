// Any bytes as a level text: read, checked and formatted in every pattern.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "settings/numbers.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const double v = dx::leadingNumber(text);
    for (const char* pattern : {"00.0", "000", "##0"}) dx::formatNumber(v, pattern);
    if (const auto n = dx::numericValue(text)) dx::formatNumber(*n, "00.0");
    dx::numberText(v);
    return 0;
}
