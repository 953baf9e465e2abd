// The joystick event decoder on recorded bytes, the axis arithmetic, and the
// probe on a pipe standing for the device file.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <unistd.h>

#include <bit>
#include <deque>
#include <string>

#include "platform/posix/joystick_probe.h"

namespace dx {
namespace {

// js_event records as a two-axis pad gives them at open (JS_EVENT_INIT,
// type 0x81 for buttons and 0x82 for axes) and then as the stick moves:
// time (4 bytes), value (2), type (1), number (1), little-endian.
const unsigned char kOpenThenMove[] = {
    0x10, 0x27, 0x00, 0x00, 0x00, 0x00, 0x81, 0x00,  // button 0 up
    0x10, 0x27, 0x00, 0x00, 0x01, 0x80, 0x82, 0x00,  // axis 0 = -32767
    0x10, 0x27, 0x00, 0x00, 0xff, 0x7f, 0x82, 0x01,  // axis 1 = 32767
    0x10, 0x27, 0x00, 0x00, 0x00, 0x00, 0x82, 0x02,  // axis 2 = 0
    0x1a, 0x27, 0x00, 0x00, 0x00, 0x40, 0x02, 0x00,  // axis 0 = 16384
    0x24, 0x27, 0x00, 0x00, 0x00, 0x01, 0x01, 0x01,  // button 1 = 256 (ignored)
    0x2e, 0x27, 0x00, 0x00, 0x00, 0xc0, 0x02, 0x01,  // axis 1 = -16384
};

std::string recorded(size_t from = 0, size_t to = sizeof kOpenThenMove) {
    return std::string(reinterpret_cast<const char*>(kOpenThenMove) + from, to - from);
}

class JoystickBytes : public ::testing::Test {
protected:
    void SetUp() override {
        if constexpr (std::endian::native != std::endian::little)
            GTEST_SKIP() << "the records were captured on a little-endian machine";
    }
};

TEST_F(JoystickBytes, TheLatestXAndYWinAndASplitRecordIsCompleted) {
    JoystickEventDecoder d;
    d.feed(recorded(0, 35));  // the state at open, and three bytes of the next record
    EXPECT_EQ(d.axes().x, -32767);
    EXPECT_EQ(d.axes().y, 32767);
    d.feed(recorded(35, 39));  // the move of X is still one byte short
    EXPECT_EQ(d.axes().x, -32767);
    d.feed(recorded(39));
    EXPECT_EQ(d.axes().x, 16384);
    EXPECT_EQ(d.axes().y, -16384);
    d.reset();
    EXPECT_EQ(d.axes().x, 0);
    d.feed(recorded(40, 48));  // after a reset no half record lingers
    EXPECT_EQ(d.axes().y, 0);
}

TEST(JoystickAxis, ScaledToTheProbesRange) {
    for (auto [axis, position] :
         {std::pair{-32767, 0U}, {-32768, 0U}, {0, 32767U}, {32767, 65535U}, {16384, 49151U}})
        EXPECT_EQ(scaleAxis(axis), position) << axis;
}

// The kernel's broken-line correction, applied as the driver applies it.
int corrected(const js_corr& c, int v) {
    int out = v > c.coef[0] ? (v < c.coef[1] ? 0 : (c.coef[3] * (v - c.coef[1])) >> 14)
                            : (c.coef[2] * (v - c.coef[0])) >> 14;
    return std::clamp(out, -32767, 32767);
}

TEST(JoystickAxis, TheLinearCorrectionHasNoDeadZone) {
    // The driver's default for an axis of 0..255 with a dead zone of 8.
    js_corr def{};
    def.type = JS_CORR_BROKEN;
    def.coef[0] = 127 - 8;
    def.coef[1] = 127 + 8;
    def.coef[2] = def.coef[3] = (1 << 29) / (127 - 16);
    EXPECT_EQ(corrected(def, 130), 0);  // inside the dead zone

    const js_corr lin = linearCorrection(def);
    EXPECT_EQ(corrected(lin, 0), -32767);
    EXPECT_EQ(corrected(lin, 255), 32767);
    EXPECT_NEAR(corrected(lin, 130), 3 * 32768 / 127, 2);
    for (int v = 1; v < 255; ++v) EXPECT_LT(corrected(lin, v - 1), corrected(lin, v)) << v;

    js_corr none{};
    none.type = JS_CORR_NONE;
    none.coef[0] = 5;
    EXPECT_EQ(linearCorrection(none).coef[0], 5);
}

// The device file is a pipe (or a socket pair); the test holds the writing
// end and decides what each open gives.
class JoystickDevice : public JoystickBytes {
protected:
    void TearDown() override {
        probe.reset();
        for (int fd : writers) ::close(fd);
    }
    void makeProbe() {
        probe = std::make_unique<JoystickProbe>(JoystickProbe::Opener([this]() -> int {
            ++opens;
            if (devices.empty()) return -1;
            const int fd = devices.front();
            devices.pop_front();
            return fd;
        }));
    }
    // Plugs in a device, a pipe or a socket pair; returns the end the test
    // writes events to.
    int plug(bool socket = false) {
        int fds[2];
        EXPECT_EQ(socket ? ::socketpair(AF_UNIX, SOCK_STREAM, 0, fds) : ::pipe(fds), 0);
        devices.push_back(fds[0]);
        writers.push_back(fds[1]);
        return fds[1];
    }
    void send(int fd, const std::string& bytes) {
        ASSERT_EQ(::write(fd, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    }
    void unplug(int fd) {
        ::close(fd);
        std::erase(writers, fd);
    }

    std::deque<int> devices;
    std::vector<int> writers;
    int opens = 0;
    std::unique_ptr<JoystickProbe> probe;
};

TEST_F(JoystickDevice, ReadsTheLatestPositionsWithoutBlocking) {
    const int dev = plug();
    makeProbe();
    ProbeReading r = probe->read();  // open, nothing pending yet
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.x, 32767U);
    send(dev, recorded());
    r = probe->read();
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.x, 49151U);
    EXPECT_EQ(r.y, 16383U);
    r = probe->read();  // nothing new: the same positions, at once
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.x, 49151U);
    EXPECT_EQ(opens, 1);
}

TEST_F(JoystickDevice, NoDeviceIsUnpluggedAndADeviceThatGoesAwayComesBackWhenItReturns) {
    EXPECT_EQ(JoystickProbe("/nonexistent/js0").read().status, 167);
    makeProbe();
    EXPECT_EQ(probe->read().status, 167);
    EXPECT_EQ(probe->read().status, 167);
    EXPECT_EQ(opens, 2);  // every read looks for the device again
    const int first = plug();
    send(first, recorded(0, 32));
    EXPECT_EQ(probe->read().x, 0U);
    unplug(first);
    EXPECT_EQ(probe->read().status, 167);
    EXPECT_EQ(probe->read().status, 167);  // still away

    const int second = plug(true);
    send(second, recorded(0, 24));
    const ProbeReading r = probe->read();
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.x, 0U);
    EXPECT_EQ(r.y, 65535U);
    unplug(second);
    EXPECT_EQ(probe->read().status, 167);
}

}  // namespace
}  // namespace dx
