#pragma once

// A window on the scripted platform over real files in a fresh temporary
// folder (prog/ for the program, settings/ for dextrel.ini), with every JSON
// line it emits collected, a file store whose writes fail on demand as a full
// disk would, and helpers to write the files, start the window and move time.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "../../tools/replay/scripted_platform.h"
#include "window/fenetre.h"

namespace dx::testing {

struct Record {
    std::string date, time, level, note;
};

inline DateTime day(int y, int m, int d) { return DateTime::fromParts(y, m, d); }

// The real files, with writes that fail on demand.
class FailingFiles : public FileStore {
public:
    bool failWrites = false;
    std::string failOnlySuffix;  // when set, only paths ending so fail

    bool exists(const std::string& path) const override { return real_.exists(path); }
    std::optional<std::string> read(const std::string& path) const override {
        return real_.read(path);
    }
    FileRead readFile(const std::string& path, uint64_t maxBytes) const override {
        return real_.readFile(path, maxBytes);
    }
    FileStatus status(const std::string& path) const override { return real_.status(path); }
    Lock lockForWriting(const std::string& path, std::string& error) override {
        return real_.lockForWriting(path, error);
    }
    bool writeAtomic(const std::string& path, const std::string& bytes,
                     std::string& error) override {
        if (failWrites && path.ends_with(failOnlySuffix)) {
            error = "No space left on device";
            return false;
        }
        return real_.writeAtomic(path, bytes, error);
    }
    bool remove(const std::string& path) override { return real_.remove(path); }
    void removeLeftovers(const std::vector<std::string>& paths) override {
        real_.removeLeftovers(paths);
    }

private:
    PosixFileStore real_;
};

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "dextrel-test-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        root = pattern;
        std::filesystem::create_directories(root + "/prog");
        std::filesystem::create_directories(root + "/settings");
        sp.env.program = root + "/prog/";
        sp.env.settings = root + "/settings/";
        sp.emit = [this](const std::string& line) { events.push_back(line); };
    }
    void TearDown() override {
        w.reset();
        std::filesystem::remove_all(root);
    }

    std::string progPath(const std::string& name) const { return root + "/prog/" + name; }
    std::string settingsPath() const { return root + "/settings/dextrel.ini"; }
    static void writeBytes(const std::string& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
    }
    static std::string readBytes(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    void writeJournal(const std::string& bytes) { writeBytes(progPath("Diabete.glc"), bytes); }
    std::string journalBytes() const { return readBytes(progPath("Diabete.glc")); }
    void writeSettings(int unite, int lock = 0) {
        writeBytes(settingsPath(), "[Setup]\r\nUnite=" + std::to_string(unite) +
                                       "\r\nLock=" + std::to_string(lock) + "\r\nAnimation=0\r\n");
    }

    // Starts the window on the files as they are.
    void launch() {
        w.reset();
        w = std::make_unique<Fenetre>(platform);
        w->start();
    }
    // Starts the window on a journal given newest first, in a unit.
    void start(const std::vector<Record>& tests = {}, int unite = 0) {
        std::string glc;
        for (const Record& t : tests)
            glc +=
                '"' + t.date + "\",\"" + t.time + "\",\"" + t.level + "\",\"" + t.note + "\"\r\n";
        writeJournal(glc);
        writeSettings(unite);
        launch();
    }

    // Adds a test as the entry and the meter do: staged in slot 0, moved in
    // as test 1, the journal then unsaved.
    void addTest(const std::string& date, const std::string& time, const std::string& level,
                 const std::string& note = "") {
        w->addTest(date, time, level, note);
        w->Menu_Sauve.enabled = true;
    }

    void answer(ScriptedAnswer::Kind kind, const std::string& text = "") {
        sp.dialogs.answers.push_back({kind, text});
    }
    void answerText(const std::string& text) { answer(ScriptedAnswer::Text, text); }

    // The events of one kind ("msgbox", "inputbox", "beep"), in order.
    std::vector<std::string> eventsOf(const std::string& kind) const {
        std::vector<std::string> out;
        for (const std::string& e : events)
            if (has(e, "\"event\":\"" + kind + "\"")) out.push_back(e);
        return out;
    }
    static bool has(const std::string& text, const std::string& piece) {
        return text.find(piece) != std::string::npos;
    }

    // Moves the clocks forward, firing each timer when it falls due (a tick
    // due exactly at the end fires), ties in the window's timer order.
    void advance(int64_t ms) {
        const int64_t end = sp.clock.monotonicMs() + ms;
        w->runDueTimers(end, [this](int64_t at) {
            sp.clock.advanceMs(std::max<int64_t>(0, at - sp.clock.monotonicMs()));
        });
        sp.clock.advanceMs(end - sp.clock.monotonicMs());
    }

    std::string root;
    ScriptedPlatform sp;
    FailingFiles files;
    Platform platform{sp.clock, sp.locale, sp.dialogs, sp.env,   files,
                      sp.probe, sp.http,   sp.net,     sp.shell, sp.printer};
    std::vector<std::string> events;
    std::unique_ptr<Fenetre> w;  // declared last: goes before the platform
};

}  // namespace dx::testing
