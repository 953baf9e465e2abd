#pragma once

// Every platform service of the desktop program, bundled as the window's
// Platform. The window pointer is given later: the printer and the boxes need
// the main window, which is built after the core's window.

#include <QPointer>
#include <QWidget>

#include "desktop/desktop_printer.h"
#include "desktop/desktop_shell.h"
#include "desktop/net/curl_http.h"
#include "desktop/net/ping_connectivity.h"
#include "desktop/qt_platform.h"
#include "platform/posix/file_store.h"
#include "platform/posix/joystick_probe.h"
#include "platform/posix/posix_locale.h"

namespace dx {

class DesktopPlatform {
public:
    DesktopPlatform() {
        dialogs.parent = [this] { return window.data(); };
    }
    DesktopPlatform(const DesktopPlatform&) = delete;
    DesktopPlatform& operator=(const DesktopPlatform&) = delete;

    QPointer<QWidget> window;
    QtClock clock;
    PosixLocale locale;
    QtDialogs dialogs;
    DesktopEnvironment env;
    PosixFileStore files;
    JoystickProbe probe;
    CurlHttp http;
    PingConnectivity net{configuredPingAddress()};
    DesktopShell shell;
    DesktopPrinter printer{[this] { return window.data(); }, env.programDir()};
    Platform platform{clock, locale, dialogs, env, files, probe, http, net, shell, printer};
};

}  // namespace dx
