// Any bytes as a date text, under each short-date pattern the window knows.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "journal/datetext.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::string padded = " " + std::string(text);
    for (const char* pattern : {"yyyy-MM-dd", "dd/MM/yyyy", "M/d/yyyy", "d.M.yy"}) {
        // A blank before the text changes nothing: the usual ten-character
        // shapes are read by a shortcut that a padded text does not take.
        if (dx::parseDate(text, pattern) != dx::parseDate(padded, pattern)) __builtin_trap();
        if (const auto date = dx::parseDate(text, pattern)) {
            // What parses formats back to a text that parses to the same day
            // (a two-digit year stands for 1930 to 2029 only).
            const bool twoDigitYear =
                std::string_view(pattern).find("yyyy") == std::string_view::npos;
            const bool representable =
                !twoDigitYear || (date->year() >= 1930 && date->year() <= 2029);
            const auto again = dx::parseDate(dx::formatShortDate(*date, pattern), pattern);
            if (date->day() > 0 && representable && (!again || again->day() != date->day()))
                __builtin_trap();
        }
    }
    dx::parseTimeOfDay(text);
    return 0;
}
