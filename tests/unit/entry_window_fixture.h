#pragma once

// A started window on the scripted platform, with the message boxes it shows
// recorded, for the entry panel and window-mechanics tests.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "program_folders.h"
#include "../../tools/replay/scripted_platform.h"
#include "window/fenetre.h"

namespace dx::entry_test {

struct Shown {
    std::string title, text;
    MsgButtons buttons;
    MsgIcon icon;
};

// Records every box and answers it with its first button.
class RecordingDialogs : public Dialogs {
public:
    std::vector<Shown> shown;
    MsgAnswer messageBox(const std::string& title, const std::string& text, MsgButtons buttons,
                         MsgIcon icon) override {
        shown.push_back({title, text, buttons, icon});
        return buttons == MsgButtons::YesNo ? MsgAnswer::Yes : MsgAnswer::Ok;
    }
    std::optional<std::string> inputBox(const std::string&, const std::string&,
                                        const std::string&) override {
        return std::nullopt;
    }
    void beep() override {}
};

struct StoredTest {
    const char* date;
    const char* time;
    const char* level;
};

class EntryWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = useFreshFolders(sp);
        sp.clock.set(DateTime::fromParts(2000, 1, 8, 9, 15, 0));
    }
    void TearDown() override {
        w.reset();
        std::filesystem::remove_all(dir_);
    }

    // Starts the window in a unit and language, with the journal given
    // newest first.
    void start(int16_t unite, bool french = false, const std::vector<StoredTest>& tests = {}) {
        sp.locale.language = french ? "French" : "English";
        std::ofstream(dir_ + "/settings/dextrel.ini", std::ios::binary)
            << "[Setup]\r\nUnite=" << unite << "\r\nLock=0\r\nAnimation=0\r\n";
        std::ofstream glc(dir_ + "/prog/Diabete.glc", std::ios::binary);
        for (const StoredTest& t : tests)
            glc << '"' << t.date << "\",\"" << t.time << "\",\"" << t.level << "\",\"\"\r\n";
        glc.close();
        w = std::make_unique<Fenetre>(platform);
        w->start();
        // The same state the start-up gives, set here for every piece of it
        // the test relies on.
        w->settings.Unite = unite;
        w->settings.Langue = french ? 1 : 0;
        w->win.Format_Date_Courte = sp.locale.pattern;
        w->journal.Nb_Tests = static_cast<int32_t>(tests.size());
        for (size_t i = 0; i < tests.size(); ++i) {
            w->journal.Date_Test[i + 1] = tests[i].date;
            w->journal.Heure_Test[i + 1] = tests[i].time;
            w->journal.setLevel(i + 1, tests[i].level);
            w->journal.dayNumber[i + 1] = w->textDate(tests[i].date)->day();
        }
    }

    void type(const std::string& field, const std::string& text) {
        for (char c : text) w->keyPress(field, static_cast<unsigned char>(c));
    }
    // Selects the whole field, as a user does before typing over it.
    void retype(TextField& f, const std::string& name, const std::string& text) {
        f.select(0, f.length());
        type(name, text);
    }
    // Opens the panel and types a level over the default one.
    void openWithLevel(const std::string& level) {
        w->click("Menu_Ajouter");
        type("Dialog_Taux", level);
    }

    ScriptedPlatform sp;
    RecordingDialogs dialogs;
    Platform platform{sp.clock,  sp.locale, dialogs,  sp.env,   sp.files,
                      sp.probe,  sp.http,   sp.net,   sp.shell, sp.printer};
    std::unique_ptr<Fenetre> w;

private:
    std::string dir_;
};

} // namespace dx::entry_test
