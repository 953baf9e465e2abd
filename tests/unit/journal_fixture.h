#pragma once

// A window on the scripted platform over real files in a temporary folder,
// with a file store that can be told to fail its writes, and the events
// (boxes, beeps) it produced.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "program_folders.h"
#include "../../tools/replay/scripted_platform.h"
#include "window/fenetre.h"

namespace dx::journal_test {

// The real files, with writes that fail on demand as a full disk would.
class FailingFiles : public FileStore {
public:
    bool failWrites = false;
    std::string failOnlySuffix;  // when set, only paths ending so fail
    bool exists(const std::string& path) const override { return real_.exists(path); }
    std::optional<std::string> read(const std::string& path) const override {
        return real_.read(path);
    }
    bool writeAtomic(const std::string& path, const std::string& bytes,
                     std::string& error) override {
        const bool matches = failOnlySuffix.empty() ||
                             (path.size() >= failOnlySuffix.size() &&
                              path.compare(path.size() - failOnlySuffix.size(),
                                           failOnlySuffix.size(), failOnlySuffix) == 0);
        if (failWrites && matches) {
            error = "No space left on device";
            return false;
        }
        return real_.writeAtomic(path, bytes, error);
    }
    bool remove(const std::string& path) override { return real_.remove(path); }
    void removeLeftovers(const std::string& path) override { real_.removeLeftovers(path); }

private:
    PosixFileStore real_;
};

class JournalWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = useFreshFolders(sp);
        sp.emit = [this](const std::string& line) { events.push_back(line); };
    }
    void TearDown() override {
        w.reset();
        std::filesystem::remove_all(dir_);
    }

    std::string progPath(const std::string& name) const { return dir_ + "/prog/" + name; }
    std::string settingsPath() const { return dir_ + "/settings/dextrel.ini"; }

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
                                       "\r\nLock=" + std::to_string(lock) +
                                       "\r\nAnimation=0\r\n");
    }

    void start() {
        w = std::make_unique<Fenetre>(platform);
        w->start();
    }

    // Adds a test as the entry and the meter do: counted, staged in slot 0,
    // moved in as test 1, the journal then unsaved.
    void addTest(const std::string& date, const std::string& time, const std::string& level,
                 const std::string& note = "") {
        Journal& j = w->journal;
        ++j.Nb_Tests;
        j.Date_Test[0] = date;
        j.Heure_Test[0] = time;
        j.Taux_Test[0] = level;
        j.Note_Test[0] = note;
        w->Ajouter_A_Liste();
        w->Menu_Sauve.enabled = true;
    }

    void answerText(const std::string& text) {
        sp.dialogs.answers.push_back({ScriptedAnswer::Text, text});
    }
    void answer(ScriptedAnswer::Kind kind) { sp.dialogs.answers.push_back({kind, ""}); }

    // The events of one kind ("msgbox", "inputbox", "beep"), in order.
    std::vector<std::string> eventsOf(const std::string& kind) const {
        std::vector<std::string> out;
        for (const std::string& e : events)
            if (e.find("\"event\":\"" + kind + "\"") != std::string::npos) out.push_back(e);
        return out;
    }
    static bool has(const std::string& event, const std::string& piece) {
        return event.find(piece) != std::string::npos;
    }

    ScriptedPlatform sp;
    FailingFiles files;
    Platform platform{sp.clock, sp.locale, sp.dialogs, sp.env,  files,
                      sp.probe, sp.http,   sp.net,     sp.shell, sp.printer};
    std::vector<std::string> events;
    std::unique_ptr<Fenetre> w;

private:
    std::string dir_;
};

} // namespace dx::journal_test
