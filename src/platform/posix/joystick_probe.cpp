#include "platform/posix/joystick_probe.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>

namespace dx {

namespace {

constexpr int32_t kUnplugged = 167;
// Enough reads to empty any backlog; a device that streams faster than this
// is read again at the next poll.
constexpr int kMaxReadsPerPoll = 64;

}  // namespace

JoystickProbe::JoystickProbe(std::string devicePath)
    : JoystickProbe(Opener([path = std::move(devicePath)] {
          return ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
      })) {}

JoystickProbe::JoystickProbe(Opener opener) : opener_(std::move(opener)) {}

JoystickProbe::~JoystickProbe() { closeDevice(); }

ProbeReading JoystickProbe::read() {
    if (fd_ < 0 && !openDevice()) return ProbeReading{0, 0, kUnplugged};
    if (!drain()) {
        closeDevice();
        return ProbeReading{0, 0, kUnplugged};
    }
    const JoystickAxes& a = decoder_.axes();
    return ProbeReading{scaleAxis(a.x), scaleAxis(a.y), 0};
}

bool JoystickProbe::openDevice() {
    fd_ = opener_ ? opener_() : -1;
    if (fd_ < 0) return false;
    const int flags = ::fcntl(fd_, F_GETFL);
    if (flags >= 0) ::fcntl(fd_, F_SETFL, flags | O_NONBLOCK);
    decoder_.reset();
    setLinearCorrection();
    return true;
}

// Best effort: a device that refuses (or a file that is no joystick) keeps
// the driver's own correction.
void JoystickProbe::setLinearCorrection() {
    __u8 axes = 0;
    if (::ioctl(fd_, JSIOCGAXES, &axes) < 0 || axes == 0) return;
    // The driver copies one correction per axis, whatever the request size.
    std::vector<js_corr> corr(axes);
    if (::ioctl(fd_, JSIOCGCORR, corr.data()) < 0) return;
    std::vector<js_corr> linear = corr;
    for (size_t i = 0; i < linear.size() && i < 2; ++i) linear[i] = linearCorrection(corr[i]);
    if (::ioctl(fd_, JSIOCSCORR, linear.data()) == 0) driverCorrection_ = std::move(corr);
}

void JoystickProbe::closeDevice() {
    if (fd_ < 0) return;
    // Other programs find the device as the driver set it up.
    if (!driverCorrection_.empty()) ::ioctl(fd_, JSIOCSCORR, driverCorrection_.data());
    driverCorrection_.clear();
    ::close(fd_);
    fd_ = -1;
}

bool JoystickProbe::drain() {
    char buf[64 * sizeof(js_event)];
    for (int i = 0; i < kMaxReadsPerPoll; ++i) {
        const ssize_t n = ::read(fd_, buf, sizeof buf);
        if (n > 0) {
            decoder_.feed(std::string_view(buf, static_cast<size_t>(n)));
            continue;
        }
        if (n == 0) return false;  // end of file: the device went away
        if (errno == EINTR) continue;
        if (errno == EAGAIN || errno == EWOULDBLOCK) break;
        return false;  // ENODEV and every other failure
    }
    pollfd p{fd_, POLLIN, 0};
    if (::poll(&p, 1, 0) > 0 && (p.revents & (POLLERR | POLLHUP | POLLNVAL)) != 0) return false;
    return true;
}

}  // namespace dx
