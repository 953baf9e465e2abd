#pragma once

// The Linux joystick interface's event stream, decoded apart from any
// device: records of struct js_event (8 bytes, host byte order) as read
// from /dev/input/js*, and the axis arithmetic the probe needs.

#include <linux/joystick.h>

#include <cstdint>
#include <string>
#include <string_view>

namespace dx {

// The probe's two electrodes are the device's axes 0 (X) and 1 (Y).
struct JoystickAxes {
    int x = 0;  // the driver's range, -32767..32767
    int y = 0;
};

// Keeps the latest X and Y values of an event stream. Events flagged
// JS_EVENT_INIT (the state at open) count like any other; buttons and
// other axes are ignored.
class JoystickEventDecoder {
public:
    // Takes the bytes as read; a record cut between two reads is completed
    // by the bytes of the next.
    void feed(std::string_view bytes);
    const JoystickAxes& axes() const { return axes_; }
    // A device opened afresh: nothing known yet.
    void reset();

private:
    void apply(const js_event& e);
    JoystickAxes axes_;
    std::string pending_;
};

// The driver's -32767..32767 as the probe's 0..65535 (the rest point of the
// driver, 0, reads 32767); values beyond are taken as the nearest end.
uint32_t scaleAxis(int value);

// The driver's default correction maps the device's range onto -32767..32767
// with a dead zone around the centre. This gives the same mapping without
// the dead zone, so that every position of the probe reads as it is. A
// correction of another kind is returned unchanged.
js_corr linearCorrection(const js_corr& driverDefault);

}  // namespace dx
