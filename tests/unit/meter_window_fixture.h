#pragma once

// A started window on the scripted platform for the meter's tests: a journal
// and a probe chosen by the test, the boxes and beeps recorded, and time
// moved forward with every timer firing in order.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "../../tools/replay/scripted_platform.h"
#include "window/fenetre.h"

namespace dx::testing {

struct MeterTest {
    std::string date, time, level;
};

class MeterWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/dextrel-meter-XXXXXX";
        dir_ = mkdtemp(pattern);
        std::filesystem::create_directories(dir_ + "/prog");
        std::filesystem::create_directories(dir_ + "/settings");
        sp.env.program = dir_ + "/prog/";
        sp.env.settings = dir_ + "/settings/";
        sp.emit = [this](const std::string& line) { events.push_back(line); };
        sp.clock.set(DateTime::fromParts(2000, 1, 8, 12, 0, 40));
        probe(kRest, kRest);
    }
    void TearDown() override {
        w.reset();
        std::filesystem::remove_all(dir_);
    }

    // Starts the window with the journal given newest first. The banner's
    // connectivity check is stopped: it has nothing to do with the meter.
    void start(const std::vector<MeterTest>& tests = {}, bool french = false,
               int16_t unite = 0) {
        sp.locale.language = french ? "French" : "English";
        std::ofstream(dir_ + "/settings/dextrel.ini", std::ios::binary)
            << "[Setup]\r\nUnite=" << unite << "\r\nLock=0\r\nAnimation=0\r\n";
        std::ofstream glc(dir_ + "/prog/Diabete.glc", std::ios::binary);
        for (const MeterTest& t : tests)
            glc << '"' << t.date << "\",\"" << t.time << "\",\"" << t.level << "\",\"\"\r\n";
        glc.close();
        w = std::make_unique<Fenetre>(sp.platform);
        w->start();
        w->Timer_Ping.setEnabled(false);
        events.clear();
    }

    void probe(uint32_t x, uint32_t y) { sp.probe.reading = ProbeReading{x, y, 0}; }

    // Moves the clocks forward, firing each timer when it falls due (a tick
    // due exactly at the end fires), ties in the window's timer order.
    void advance(int64_t ms) {
        const int64_t end = sp.clock.monotonicMs() + ms;
        while (const std::optional<int> i = w->nextDueTimer()) {
            const int64_t at = w->timerAt(*i).dueAt();
            if (at > end) break;
            sp.clock.advanceMs(at - sp.clock.monotonicMs());
            w->fireTimer(*i, at);
        }
        sp.clock.advanceMs(end - sp.clock.monotonicMs());
    }

    int count(const std::string& fragment) const {
        int n = 0;
        for (const std::string& e : events) n += e.find(fragment) != std::string::npos;
        return n;
    }

    static constexpr uint32_t kRest = 57120;  // reads 28: no drop
    ScriptedPlatform sp;
    std::vector<std::string> events;
    std::unique_ptr<Fenetre> w;

private:
    std::string dir_;
};

} // namespace dx::testing
