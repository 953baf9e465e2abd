#include "desktop/qt_platform.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QInputDialog>
#include <QLocale>
#include <QMessageBox>
#include <vector>

#include "banner/address.h"
#include "desktop/message_box.h"
#include "platform/posix/local_time.h"

namespace dx {

namespace {

QString qs(const std::string& s) { return QString::fromStdString(s); }

// Qt numbers weekdays from Monday = 1; the window from Sunday = 1.
int qtWeekday(int sundayFirst) { return sundayFirst == 1 ? 7 : sundayFirst - 1; }

bool isDateLetter(QChar c) { return c == u'd' || c == u'M' || c == u'y'; }

// The separator the journal can read between two numbers: one of "-/." when
// the pattern has it, a blank for any other text, "/" when there was none.
std::string separatorBetween(const QString& text) {
    for (QChar c : text)
        if (c == u'-' || c == u'/' || c == u'.')
            return std::string(1, static_cast<char>(c.unicode()));
    return text.isEmpty() ? "/" : " ";
}

}  // namespace

QtClock::QtClock() { steady_.start(); }

DateTime QtClock::now() const {
    const QDateTime t = QDateTime::currentDateTime();
    const QDate d = t.date();
    const QTime h = t.time();
    return DateTime::fromParts(d.year(), d.month(), d.day(), h.hour(), h.minute(), h.second());
}

int64_t QtClock::monotonicMs() const { return steady_.elapsed(); }

std::string windowsDatePattern(const QString& qtPattern) {
    struct Field {
        QChar letter;
        int count;
        QString before;  // the text between the previous field and this one
    };
    std::vector<Field> fields;
    QString pending;
    const qsizetype n = qtPattern.size();
    for (qsizetype i = 0; i < n;) {
        const QChar c = qtPattern[i];
        if (c == u'\'') {  // quoted literal text
            qsizetype j = i + 1;
            while (j < n && qtPattern[j] != u'\'') pending += qtPattern[j++];
            i = j + 1;
            continue;
        }
        if (!isDateLetter(c)) {
            pending += c;
            ++i;
            continue;
        }
        qsizetype j = i;
        while (j < n && qtPattern[j] == c) ++j;
        const int count = static_cast<int>(j - i);
        i = j;
        if (c == u'd' && count >= 3) continue;  // a weekday name has no place in a short date
        fields.push_back({c, count, pending});
        pending.clear();
    }
    std::string out;
    int days = 0, months = 0, years = 0;
    for (size_t k = 0; k < fields.size(); ++k) {
        const Field& f = fields[k];
        if (k > 0) out += separatorBetween(f.before);
        if (f.letter == u'd') {
            ++days;
            out += f.count == 1 ? "d" : "dd";
        } else if (f.letter == u'M') {
            ++months;
            out += f.count == 1 ? "M" : "MM";
        } else {
            ++years;
            out += "yyyy";
        }
    }
    if (days != 1 || months != 1 || years != 1) return "yyyy-MM-dd";
    return out;
}

std::string QtLocale::languageName() const {
    return QLocale::languageToString(QLocale::system().language()).toStdString();
}

std::string QtLocale::shortDatePattern() const {
    const QLocale system = QLocale::system();
    if (system.language() == QLocale::C) return "yyyy-MM-dd";
    return windowsDatePattern(system.dateFormat(QLocale::ShortFormat));
}

std::string QtLocale::dayAbbrev(int weekday) const {
    return QLocale::system().dayName(qtWeekday(weekday), QLocale::ShortFormat).toStdString();
}

std::string QtLocale::monthAbbrev(int month) const {
    return QLocale::system().monthName(month, QLocale::ShortFormat).toStdString();
}

std::string QtLocale::monthFull(int month) const {
    return QLocale::system().monthName(month, QLocale::LongFormat).toStdString();
}

int QtLocale::utcOffsetAt(int64_t localSeconds) const { return systemUtcOffset(localSeconds); }

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
