#include "platform/controls.h"

#include <algorithm>

#include "platform/platform.h"
#include "platform/text.h"

namespace dx {

bool MenuItem::reachable() const {
    for (const MenuItem* m = this; m != nullptr; m = m->parent)
        if (!m->enabled || !m->visible) return false;
    return true;
}

void LineArray::reach(size_t index) {
    if (index <= size_) return;
    if (lines_.size() < index) lines_.resize(index);
    for (size_t i = size_; i < index; ++i) lines_[i].reset();
    size_ = index;
}

Line& LineArray::load(size_t index, const Line& line) {
    reach(index);
    if (index == size_) {
        if (lines_.size() == index) lines_.emplace_back();
        lines_[index].reset();
        ++size_;
    }
    if (!lines_[index]) ++loaded_;
    lines_[index] = line;
    return *lines_[index];
}

size_t LineArray::firstMissing(int64_t last) const {
    if (last < 1) return 1;
    const auto end = static_cast<size_t>(last) + 1;
    // With no gap, every element below the top exists.
    if (loaded_ == size_ - 1) return std::min(end, size_);
    size_t i = 1;
    while (i < end && i < size_ && lines_[i]) ++i;
    return i;
}

void LineArray::unload(size_t from, size_t to) {
    for (size_t i = from; i < to; ++i) lines_[i].reset();
    loaded_ -= to - from;
}

void LineArray::unloadAndTrim(size_t from, size_t to) {
    if (to - from == loaded_) {
        // Nothing else exists above the template.
        size_ = 1;
        loaded_ = 0;
        return;
    }
    unload(from, to);
    while (size_ > 1 && !lines_[size_ - 1]) --size_;
}

int TextField::length() const { return utf8Length(text_); }

void TextField::assign(std::string text, int caret) {
    const bool changed = text != text_;
    text_ = std::move(text);
    selStart_ = caret;
    selLength_ = 0;
    if (changed && onChange) onChange();
}

void TextField::setText(const std::string& text) { assign(text, utf8Length(text)); }

void TextField::select(int start, int length) {
    const int len = this->length();
    selStart_ = std::clamp(start, 0, len);
    selLength_ = std::clamp(length, 0, len - selStart_);
}

void TextField::replaceSelection(const std::string& typed) {
    std::string next =
        utf8Left(text_, selStart_) + typed + utf8Mid(text_, selStart_ + selLength_, length());
    assign(std::move(next), selStart_ + utf8Length(typed));
}

void TextField::backspace() {
    if (selLength_ > 0) {
        replaceSelection("");
        return;
    }
    if (selStart_ == 0) return;
    std::string next = utf8Left(text_, selStart_ - 1) + utf8Mid(text_, selStart_, length());
    assign(std::move(next), selStart_ - 1);
}

int Scrollbar::stepped(int direction, bool large) const {
    const int64_t step = large ? largeChange : smallChange;
    const int64_t target = int64_t{value_} + (direction < 0 ? -step : step);
    return static_cast<int>(std::clamp<int64_t>(target, min, max));
}

void Scrollbar::setValue(int v) {
    v = std::clamp(v, min, max);
    if (v == value_) return;
    value_ = v;
    if (onChange) onChange();
}

Timer::Timer(const Clock& clock, int interval, bool enabled)
    : clock_(clock), interval_(interval), enabled_(false) {
    setEnabled(enabled);
}

void Timer::setEnabled(bool on) {
    if (on && !enabled_) dueAt_ = clock_.monotonicMs() + interval_;
    enabled_ = on;
}

void Timer::setInterval(int ms) {
    interval_ = ms;
    if (enabled_) dueAt_ = clock_.monotonicMs() + interval_;
}

void Timer::ticked(int64_t at) { dueAt_ = at + interval_; }

}  // namespace dx
