#pragma once

// The window's controls as plain data: the properties the procedures read and
// write, and the few semantics they rely on (nested change events, timers).
// The desktop front renders these; the replay runner prints them.

#include <algorithm>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dx {

class Clock;

struct Rgb {
    uint8_t r = 0;
    uint8_t g = 0;
    uint8_t b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

namespace colour {
inline constexpr Rgb kBlack{0, 0, 0};
inline constexpr Rgb kWhite{255, 255, 255};
inline constexpr Rgb kLightGrey{192, 192, 192};
inline constexpr Rgb kGrey{128, 128, 128};
inline constexpr Rgb kYellow{255, 255, 0};
inline constexpr Rgb kCyan{0, 255, 255};
inline constexpr Rgb kDarkRed{192, 0, 0};
inline constexpr Rgb kDarkBlue{0, 0, 192};
inline constexpr Rgb kDarkGreen{0, 128, 0};
inline constexpr Rgb kTemplateCyan{128, 255, 255};
}  // namespace colour

struct Font {
    std::string name = "MS Sans Serif";
    double size = 8.25;
    bool bold = false;
};

enum class MousePointer { Default, Custom, Hourglass };

struct WindowProps {
    std::string caption;
    bool keyPreview = false;
    Rgb back = colour::kLightGrey;
    MousePointer pointer = MousePointer::Default;
};

struct Label {
    std::string caption;
    bool visible = true;
    bool enabled = true;
    Rgb fore = colour::kBlack;
    Rgb back = colour::kLightGrey;
    std::string tooltip;
    Font font;
};

struct Button {
    std::string caption;
    bool visible = true;
    bool enabled = true;
    std::string tooltip;
    Font font;
};

struct Frame {
    std::string caption;
    bool visible = true;
    Font font;
};

struct Picture {
    bool visible = true;
    int top = 0;
    int left = 0;
    Rgb back = colour::kLightGrey;
    MousePointer pointer = MousePointer::Default;
    std::string tooltip;
    std::string image = "builtin";  // the file shown, or the built-in artwork
};

struct Line {
    float x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    Rgb color = colour::kBlack;
    int width = 1;
    bool visible = true;

    Line() = default;
    // Whole, so that a line can be built in place (std::optional::emplace).
    Line(float x1_, float y1_, float x2_, float y2_, Rgb color_, int width_, bool visible_)
        : x1(x1_), y1(y1_), x2(x2_), y2(y2_), color(color_), width(width_), visible(visible_) {}
};

// A control array of lines, element 0 its hidden template: an element
// exists from its load until it is unloaded, and the array reaches as far as
// its highest element loaded since it was last trimmed. It counts the
// elements that exist, so that a chart drawing of some 1,500 segments is
// unloaded without looking at each.
class LineArray {
public:
    LineArray() : LineArray(Line{}) {}
    explicit LineArray(const Line& templ) : lines_(1, templ) {}

    size_t size() const { return size_; }
    const std::optional<Line>& operator[](size_t index) const { return lines_[index]; }
    // The element at index, or null when it does not exist.
    Line* find(size_t index) { return index < size_ && lines_[index] ? &*lines_[index] : nullptr; }
    Line& templ() { return *lines_[0]; }

    // Element index (1 or more) becomes `line`, loaded if it did not exist.
    Line& load(size_t index, const Line& line);
    // The ends of a line.
    struct Ends {
        float x1, y1, x2, y2;
    };
    // Elements first..first+count-1 take the colour, width and visibility of
    // `style` and the ends ends(0)..ends(count - 1).
    template <class MakeEnds>
    void loadRun(size_t first, size_t count, const Line& style, MakeEnds&& ends) {
        reach(first);
        const size_t end = first + count;
        if (lines_.size() < end) lines_.resize(end);
        size_t added = end - std::max(first, std::min(end, size_));  // beyond the top
        for (size_t k = 0; k < count; ++k) {
            std::optional<Line>& element = lines_[first + k];
            if (first + k < size_) added += !element;
            const Ends e = ends(k);
            // Built in place field by field: a whole Line put together first
            // would be copied in through the stack, stalling every store.
            element.emplace(e.x1, e.y1, e.x2, e.y2, style.color, style.width, style.visible);
        }
        size_ = std::max(size_, end);
        loaded_ += added;
    }
    // The first of elements 1..last that does not exist; last + 1 when all
    // do (1 when last is below 1).
    size_t firstMissing(int64_t last) const;
    // Unloads elements from..to-1, which exist.
    void unload(size_t from, size_t to);
    // The same, then drops the elements at the top that do not exist.
    void unloadAndTrim(size_t from, size_t to);
    // The elements that exist besides the template.
    size_t loaded() const { return loaded_; }

private:
    // The array grows to `index`: the elements between its top and index do
    // not exist.
    void reach(size_t index);

    // The storage outlives the array's top: dropping a whole drawing only
    // lowers size_, and what lies above it is not read until loaded again.
    std::vector<std::optional<Line>> lines_;
    size_t size_ = 1;
    size_t loaded_ = 0;
};

struct MenuItem {
    std::string caption;
    bool visible = true;
    bool enabled = true;
    bool checked = false;
    MenuItem* parent = nullptr;  // null for a top-level menu
    bool isSeparator() const { return caption == "-"; }
    // Enabled and visible, and so is every menu above it.
    bool reachable() const;
};

// Characters are counted as code points; the text is held as UTF-8.
class TextField {
public:
    bool visible = true;
    bool enabled = true;
    std::string tooltip;
    Font font;
    std::function<void()> onChange;

    const std::string& text() const { return text_; }
    int selStart() const { return selStart_; }
    int selLength() const { return selLength_; }
    int length() const;

    // From code: raises the change handler at once, nested, when the text
    // really changes; the caret then stands at the end with no selection.
    void setText(const std::string& text);
    void select(int start, int length);
    // The user's edits: the typed text replaces the selection (or goes in at
    // the caret); Backspace deletes the selection or the character before the
    // caret. Each raises the change handler once when the text changes.
    void replaceSelection(const std::string& typed);
    void backspace();

private:
    void assign(std::string text, int caret);
    std::string text_;
    int selStart_ = 0;
    int selLength_ = 0;
};

class Scrollbar {
public:
    int max = 32767;
    int min = 0;
    int smallChange = 1;
    int largeChange = 1;
    bool enabled = true;
    bool visible = true;
    std::function<void()> onChange;

    int value() const { return value_; }
    // Where an arrow click (the small step) or a trough click (the large
    // step) moves the value: back when `direction` is negative, forward
    // otherwise, kept within min..max.
    int stepped(int direction, bool large) const;
    // Raises the change handler at once, nested, when the value really
    // changes. A value outside min..max is clamped first.
    void setValue(int v);

private:
    int value_ = 0;
};

// A timer counts from the moment it is switched on; switching on a running
// timer does not restart it; changing a running timer's interval restarts its
// count. An interval of 0 never fires.
class Timer {
public:
    Timer(const Clock& clock, int interval, bool enabled);

    bool enabled() const { return enabled_; }
    int interval() const { return interval_; }
    void setEnabled(bool on);
    void setInterval(int ms);
    // The steady-clock time of the next tick; meaningful only when due().
    int64_t dueAt() const { return dueAt_; }
    bool armed() const { return enabled_ && interval_ > 0; }
    // Called by the scheduler just before the tick handler runs.
    void ticked(int64_t at);

private:
    const Clock& clock_;
    int interval_;
    bool enabled_;
    int64_t dueAt_ = 0;
};

}  // namespace dx
