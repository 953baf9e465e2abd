#pragma once

// The desktop window over the scripted platform, on a journal written for the
// test into a folder of its own; and the runner on the same journal, for
// comparing the window with what the runner makes of the same events.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QTest>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "../../tools/replay/scripted_platform.h"
#include "../../tools/replay/scripted_runner.h"
#include "desktop/main_window.h"
#include "desktop/qt_platform.h"
#include "window/fenetre.h"

namespace dx {

class DesktopWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        // prog/ is the program's folder, settings/ the one of dextrel.ini.
        dir_ = (std::filesystem::temp_directory_path() / "dextrel-desktop-XXXXXX").string();
        ASSERT_NE(mkdtemp(dir_.data()), nullptr);
        std::filesystem::create_directories(dir_ + "/prog");
        std::filesystem::create_directories(dir_ + "/settings");
        sp.env.program = dir_ + "/prog/";
        sp.env.settings = dir_ + "/settings/";
        sp.clock.set(DateTime::fromParts(2000, 1, 8, 9, 15, 0));
    }
    void TearDown() override {
        window.reset();
        core.reset();
        std::filesystem::remove_all(dir_);
    }

    // Starts the program on a journal given as its file's lines, on a
    // screen where the window fits as designed unless one is given; with
    // `qtBoxes` its message boxes are the desktop's, not scripted answers.
    void start(const std::string& journal = "", QSize screen = QSize(1920, 1080),
               bool qtBoxes = false) {
        std::ofstream(dir_ + "/prog/Diabete.glc", std::ios::binary) << journal;
        qtDialogs.parent = [this] { return window.get(); };
        core = std::make_unique<Fenetre>(qtBoxes ? withQtBoxes : sp.platform);
        window = std::make_unique<MainWindow>(*core, screen);
        window->startProgram();
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }

    // The runner on the same journal and clock, the lines of a script run.
    std::unique_ptr<ScriptedRunner> replay(const std::vector<std::string>& lines) {
        auto runner = std::make_unique<ScriptedRunner>(rp, dir_);
        rp.env = sp.env;
        runner->runLine("now 2000-01-08 09:15:00");
        runner->runLine("start");
        for (const std::string& line : lines) runner->runLine(line);
        return runner;
    }

    // Every menu item on screen as the model holds it.
    void expectMenusMirrorModel() {
        for (const ControlEntry& e : core->controls()) {
            const auto* item = std::get_if<MenuItem*>(&e.ref);
            if (item == nullptr) continue;
            const MenuItem& m = **item;
            QAction* a = window->actionOf(e.name);
            ASSERT_NE(a, nullptr) << e.name;
            SCOPED_TRACE(e.name);
            if (!m.isSeparator()) {
                EXPECT_EQ(a->text().toStdString(), m.caption);
            }
            EXPECT_EQ(a->isSeparator(), m.isSeparator());
            EXPECT_EQ(a->isVisible(), m.visible);
            // Qt reports a hidden action as disabled too.
            if (m.visible) {
                EXPECT_EQ(a->isEnabled(), m.enabled);
            }
            EXPECT_EQ(a->isChecked(), m.checked);
        }
    }

    void sendKey(QWidget* to, int key, const QString& text = {},
                 Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QKeyEvent press(QEvent::KeyPress, key, mods, text);
        QApplication::sendEvent(to, &press);
        QKeyEvent release(QEvent::KeyRelease, key, mods, text);
        QApplication::sendEvent(to, &release);
    }

    void type(QWidget* to, const QString& text) {
        for (QChar c : text) sendKey(to, 0, QString(c));
    }

    ScriptedPlatform sp;
    ScriptedPlatform rp;  // the runner's
    QtDialogs qtDialogs;
    Platform withQtBoxes{sp.clock, sp.locale, qtDialogs, sp.env,   sp.files,
                         sp.probe, sp.http,   sp.net,    sp.shell, sp.printer};
    std::unique_ptr<Fenetre> core;
    std::unique_ptr<MainWindow> window;

private:
    std::string dir_;
};

}  // namespace dx
