#include "window/controls.h"

#include <algorithm>
#include <cstdint>

namespace dx {

std::optional<ArrayElementName> parseArrayElement(std::string_view name) {
    const size_t open = name.find('(');
    if (open == std::string_view::npos || open + 2 >= name.size() || name.back() != ')')
        return std::nullopt;
    const std::string_view digits = name.substr(open + 1, name.size() - open - 2);
    if (!std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    size_t index = SIZE_MAX;
    if (digits.size() <= 5) {
        index = 0;
        for (const char c : digits) index = index * 10 + static_cast<size_t>(c - '0');
    }
    return ArrayElementName{std::string(name.substr(0, open)), index};
}

}  // namespace dx
