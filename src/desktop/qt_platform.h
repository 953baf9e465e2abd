#pragma once

// The platform services the desktop program gets from Qt and the system:
// local time, message and input boxes, the beep and the program's folders.
// The system locale is the C library's (platform/posix/posix_locale.h).

#include <QElapsedTimer>
#include <QString>
#include <functional>
#include <string>

#include "platform/platform.h"

class QWidget;

namespace dx {

class QtClock : public Clock {
public:
    QtClock();
    DateTime now() const override;
    int64_t monotonicMs() const override;

private:
    QElapsedTimer steady_;
};

// Message and input boxes over the main window. `beforeModal` runs before
// any box opens, so that the window on screen shows what the model holds
// while the box waits for the user.
class QtDialogs : public Dialogs {
public:
    std::function<QWidget*()> parent = [] { return nullptr; };
    std::function<void()> beforeModal = [] {};

    MsgAnswer messageBox(const std::string& title, const std::string& text, MsgButtons buttons,
                         MsgIcon icon) override;
    std::optional<std::string> inputBox(const std::string& title, const std::string& prompt,
                                        const std::string& defaultText) override;
    void beep() override;
};

struct ProgramFolders {
    std::string program;   // ends with "/"
    std::string settings;  // ends with "/"
};

// The journal lives beside the executable when that folder is writable (a
// portable install), otherwise in the user's data folder; the settings file
// always in the user's configuration folder. Empty XDG variables fall back to
// the defaults under home.
ProgramFolders chooseFolders(const std::string& exeDir, bool exeDirWritable,
                             const char* xdgDataHome, const char* xdgConfigHome, const char* home);

class DesktopEnvironment : public Environment {
public:
    // Works out the folders and creates the ones that are missing.
    DesktopEnvironment();
    std::string programDir() const override { return folders_.program; }
    std::string settingsDir() const override { return folders_.settings; }
    std::string scrambledSiteAddress() const override;

private:
    ProgramFolders folders_;
};

// The host the connectivity check pings, as the build configured it.
std::string configuredPingAddress();

}  // namespace dx
