// The desktop program: the core's window shown with Qt widgets, on the real
// platform services.

#include <sys/stat.h>

#include <QApplication>
#include <memory>

#include "desktop/desktop_platform.h"
#include "desktop/main_window.h"
#include "window/fenetre.h"

int main(int argc, char** argv) {
    // A person's glucose history: whatever the program creates (exports,
    // printouts, banner copies, folders) is for its owner only.
    ::umask(077);
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(
        Qt::HighDpiScaleFactorRoundingPolicy::PassThrough);
    QApplication app(argc, argv);
    QApplication::setApplicationName("dextrel");
    QApplication::setDesktopFileName("dextrel");

    dx::DesktopPlatform services;
    auto core = std::make_unique<dx::Fenetre>(services.platform);  // a big object: on the heap
    dx::MainWindow window(*core);
    services.window = &window;
    services.dialogs.beforeModal = [&window] { window.render(); };
    services.printer.beforePrint = [&window] { window.render(); };

    window.startProgram();
    if (window.finished()) return 0;  // the load itself ended the program
    window.show();
    return app.exec();
}
