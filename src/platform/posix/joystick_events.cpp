#include "platform/posix/joystick_events.h"

#include <algorithm>
#include <cstring>

namespace dx {

namespace {

constexpr int kAxisX = 0;
constexpr int kAxisY = 1;
constexpr int kDriverMax = 32767;
// The kernel's correction slopes are fixed-point with this many fraction
// bits before the final shift by 14.
constexpr int64_t kSlopeOne = int64_t{1} << 29;

}  // namespace

void JoystickEventDecoder::feed(std::string_view bytes) {
    pending_.append(bytes);
    size_t at = 0;
    for (; pending_.size() - at >= sizeof(js_event); at += sizeof(js_event)) {
        js_event e;
        std::memcpy(&e, pending_.data() + at, sizeof e);
        apply(e);
    }
    pending_.erase(0, at);
}

void JoystickEventDecoder::apply(const js_event& e) {
    if ((e.type & ~JS_EVENT_INIT) != JS_EVENT_AXIS) return;
    if (e.number == kAxisX)
        axes_.x = e.value;
    else if (e.number == kAxisY)
        axes_.y = e.value;
}

void JoystickEventDecoder::reset() {
    axes_ = {};
    pending_.clear();
}

uint32_t scaleAxis(int value) {
    const int64_t v = std::clamp(value, -kDriverMax, kDriverMax) + kDriverMax;  // 0..65534
    return static_cast<uint32_t>(v * 65535 / (2 * kDriverMax));
}

js_corr linearCorrection(const js_corr& driverDefault) {
    js_corr c = driverDefault;
    if (c.type != JS_CORR_BROKEN || c.coef[2] <= 0) return c;
    // coef[0..1]: the dead zone's ends around the centre; coef[2..3]: the
    // slopes, 2^29 / (half range - twice the dead zone's half width).
    const int64_t centre = (int64_t{c.coef[0]} + c.coef[1]) / 2;
    const int64_t flat = (int64_t{c.coef[1]} - c.coef[0]) / 2;
    const int64_t half = (kSlopeOne + c.coef[2] / 2) / c.coef[2] + 2 * flat;
    if (half <= 0) return c;
    c.coef[0] = static_cast<int32_t>(centre);
    c.coef[1] = static_cast<int32_t>(centre);
    c.coef[2] = static_cast<int32_t>(kSlopeOne / half);
    c.coef[3] = c.coef[2];
    return c;
}

}  // namespace dx
