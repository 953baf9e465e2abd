#pragma once

// The window's control table: each control's name, the member it is, the
// frame or picture box it stands in, and its procedures; and the names of
// elements of control arrays.

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "platform/controls.h"

namespace dx {

using ControlRef = std::variant<WindowProps*, Label*, Button*, Frame*, Picture*, Line*, MenuItem*,
                                TextField*, Scrollbar*, Timer*>;

// A procedure of the window, bound to it.
using Procedure = std::function<void()>;

// The event procedures of a control, where it has them.
struct ControlProcedures {
    Procedure click = nullptr;
    Procedure doubleClick = nullptr;
    Procedure hover = nullptr;
    Procedure tick = nullptr;  // a timer's
};

struct ControlEntry {
    std::string name;
    ControlRef ref;
    std::string container;  // the frame or picture box it stands in, or ""
    ControlProcedures on;
};

// A name "NAME(i)": an element of a control array. An index of more than
// five digits stands for no element at all (index SIZE_MAX).
struct ArrayElementName {
    std::string array;
    size_t index;
};
std::optional<ArrayElementName> parseArrayElement(std::string_view name);

}  // namespace dx
