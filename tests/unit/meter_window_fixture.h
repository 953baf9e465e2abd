#pragma once

// A started window for the meter's tests: the journal's window fixture (real
// files in a temporary folder, boxes and beeps recorded) with a journal and
// a probe chosen by the test, and time moved forward with every timer
// firing in order.

#include <string>
#include <vector>

#include "journal_fixture.h"

namespace dx::testing {

struct MeterTest {
    std::string date, time, level;
};

class MeterWindowTest : public journal_test::JournalWindowTest {
protected:
    void SetUp() override {
        JournalWindowTest::SetUp();
        sp.clock.set(DateTime::fromParts(2000, 1, 8, 12, 0, 40));
        probe(kRest, kRest);
    }

    // Starts the window with the journal given newest first. The banner's
    // connectivity check is stopped: it has nothing to do with the meter.
    void start(const std::vector<MeterTest>& tests = {}, bool french = false, int16_t unite = 0) {
        sp.locale.language = french ? "French" : "English";
        writeSettings(unite);
        std::string glc;
        for (const MeterTest& t : tests)
            glc += '"' + t.date + "\",\"" + t.time + "\",\"" + t.level + "\",\"\"\r\n";
        writeJournal(glc);
        JournalWindowTest::start();
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

    size_t count(const std::string& kind) const { return eventsOf(kind).size(); }

    static constexpr uint32_t kRest = 57120;  // reads 28: no drop
};

} // namespace dx::testing
