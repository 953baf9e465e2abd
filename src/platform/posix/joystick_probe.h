#pragma once

// The blood-test probe on a Linux joystick device (/dev/input/js*): its axes
// 0 and 1 are the probe's X and Y. Reading never blocks the window. No
// device, or a device that went away, reads as unplugged (status 167); the
// probe tries to open the device again on every later read, so it comes
// back when the device does.

#include <functional>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/posix/joystick_events.h"

namespace dx {

class JoystickProbe : public Probe {
public:
    // Opens the device: a file descriptor to read events from, or -1.
    using Opener = std::function<int()>;

    explicit JoystickProbe(std::string devicePath = "/dev/input/js0");
    explicit JoystickProbe(Opener opener);
    ~JoystickProbe() override;
    JoystickProbe(const JoystickProbe&) = delete;
    JoystickProbe& operator=(const JoystickProbe&) = delete;

    // The latest X and Y, scaled to 0..65535, with status 0; or status 167.
    ProbeReading read() override;

private:
    bool openDevice();
    void setLinearCorrection();
    void closeDevice();
    // Reads every pending event; false when the device is gone.
    bool drain();

    Opener opener_;
    int fd_ = -1;
    JoystickEventDecoder decoder_;
    std::vector<js_corr> driverCorrection_;  // put back when the device is closed
};

}  // namespace dx
