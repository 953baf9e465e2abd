#include "desktop/qt_platform.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QInputDialog>
#include <QLayout>
#include <QMessageBox>
#include <QSpacerItem>

#include "banner/address.h"
#include "desktop/message_box.h"

namespace dx {

namespace {

QString qs(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

QtClock::QtClock() { steady_.start(); }

DateTime QtClock::now() const {
    const QDateTime t = QDateTime::currentDateTime();
    const QDate d = t.date();
    const QTime h = t.time();
    return DateTime::fromParts(d.year(), d.month(), d.day(), h.hour(), h.minute(), h.second());
}

int64_t QtClock::monotonicMs() const { return steady_.elapsed(); }

MsgAnswer QtDialogs::messageBox(const std::string& title, const std::string& text,
                                MsgButtons buttons, MsgIcon icon) {
    beforeModal();
    MessageBox box(parent(), title, text, buttons, icon);
    return box.ask();
}

std::optional<std::string> QtDialogs::inputBox(const std::string& title, const std::string& prompt,
                                               const std::string& defaultText) {
    beforeModal();
    QInputDialog box(parent());
    box.setWindowTitle(qs(title));
    box.setLabelText(qs(prompt));
    box.setTextValue(qs(defaultText));
    box.setInputMode(QInputDialog::TextInput);
    // The erase's title is a sentence too: an empty item across the box's
    // layout, which sets the box's size, keeps the whole of it readable.
    // The box lays itself out when first asked for its size.
    box.sizeHint();
    if (QLayout* layout = box.layout())
        layout->addItem(new QSpacerItem(titleBarWidth(box.windowTitle(), box.font()), 0,
                                        QSizePolicy::Minimum, QSizePolicy::Minimum));
    if (box.exec() != QDialog::Accepted) return std::nullopt;
    return box.textValue().toStdString();
}

void QtDialogs::beep() { QApplication::beep(); }

ProgramFolders chooseFolders(const std::string& exeDir, bool exeDirWritable,
                             const char* xdgDataHome, const char* xdgConfigHome, const char* home) {
    auto withSlash = [](std::string dir) {
        if (dir.empty() || dir.back() != '/') dir += '/';
        return dir;
    };
    auto xdg = [&](const char* value, const char* fallbackUnderHome) {
        std::string base = value != nullptr && *value == '/'
                               ? std::string(value)
                               : std::string(home != nullptr ? home : "") + fallbackUnderHome;
        while (base.size() > 1 && base.back() == '/') base.pop_back();
        return base;
    };
    ProgramFolders f;
    f.program = exeDirWritable ? withSlash(exeDir)
                               : withSlash(xdg(xdgDataHome, "/.local/share") + "/dextrel");
    f.settings = withSlash(xdg(xdgConfigHome, "/.config") + "/dextrel");
    return f;
}

DesktopEnvironment::DesktopEnvironment() {
    const QString exeDir = QCoreApplication::applicationDirPath();
    folders_ = chooseFolders(exeDir.toStdString(), QFileInfo(exeDir).isWritable(),
                             qgetenv("XDG_DATA_HOME").constData(),
                             qgetenv("XDG_CONFIG_HOME").constData(), qgetenv("HOME").constData());
    QDir().mkpath(qs(folders_.program));
    QDir().mkpath(qs(folders_.settings));
}

std::string DesktopEnvironment::scrambledSiteAddress() const {
    return scrambleAddress(DEXTREL_SITE_ADDRESS);
}

std::string configuredPingAddress() { return DEXTREL_PING_ADDRESS; }

}  // namespace dx
