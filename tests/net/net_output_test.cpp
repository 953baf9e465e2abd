// The URL opener and the printer of the desktop program, under the offscreen
// platform. URL handlers stand in for the browser and the file viewer.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPrinterInfo>
#include <QTemporaryDir>
#include <QUrl>

#include <cstdlib>

#include "desktop/desktop_printer.h"
#include "desktop/desktop_shell.h"

namespace dx {

class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> seen;
public slots:
    void take(const QUrl& url) { seen.append(url); }
};

namespace {

// Installs the catcher for the schemes and removes it again before it dies.
class Caught {
public:
    Caught() {
        for (const char* s : {"http", "https", "file", "mailto"})
            QDesktopServices::setUrlHandler(s, &catcher, "take");
    }
    ~Caught() {
        for (const char* s : {"http", "https", "file", "mailto"})
            QDesktopServices::unsetUrlHandler(s);
    }
    UrlCatcher catcher;
};

TEST(DesktopShell, HandsOnlyWebAddressesToTheBrowser) {
    Caught caught;
    DesktopShell shell;
    EXPECT_EQ(shell.openUrl("http://127.0.0.1/page"), BrowserResult::Opened);
    EXPECT_EQ(shell.openUrl("HTTPS://127.0.0.1/"), BrowserResult::Opened);
    for (const char* hostile : {"file:///etc/passwd", "mailto:a@b", "/usr/bin/xterm",
                                "javascript:alert(1)", "http://", "http://a b/"})
        EXPECT_EQ(shell.openUrl(hostile), BrowserResult::Failed) << hostile;
    ASSERT_EQ(caught.catcher.seen.size(), 2);
    EXPECT_EQ(caught.catcher.seen[0], QUrl("http://127.0.0.1/page"));
}

TEST(DesktopShell, OpensTheJournalFileByItsExactName) {
    Caught caught;
    DesktopShell shell;
    shell.openFile("/home/user/dextrel/Diabete.glc");
    ASSERT_EQ(caught.catcher.seen.size(), 1);
    EXPECT_EQ(caught.catcher.seen[0].toLocalFile(), "/home/user/dextrel/Diabete.glc");
}

TEST(DesktopPrinter, WithoutAPrinterTheWindowGoesToAPdfInTheProgramDirectory) {
    if (!QPrinterInfo::defaultPrinter().isNull()) GTEST_SKIP() << "a printer is configured";
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QLabel window("Glucose monotor");
    window.resize(400, 300);
    bool drawn = false;
    DesktopPrinter printer(
        [&]() -> QWidget* {
            EXPECT_TRUE(drawn);  // the front brought the widget up to date first
            return &window;
        },
        dir.path().toStdString() + "/");
    printer.beforePrint = [&drawn] { drawn = true; };
    printer.printWindow();
    printer.printWindow();  // the same second: a second file, not the first overwritten
    const QStringList pdfs = QDir(dir.path()).entryList({"Dextrel-print-*.pdf"}, QDir::Files);
    ASSERT_EQ(pdfs.size(), 2);
    QFile pdf(QString::fromStdString(printer.lastPdf()));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdf.read(5) == "%PDF-");
}

TEST(DesktopPrinter, NoWindowNoPrintout) {
    QTemporaryDir dir;
    DesktopPrinter printer([]() -> QWidget* { return nullptr; }, dir.path().toStdString() + "/");
    printer.printWindow();
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
}

}  // namespace
}  // namespace dx

int main(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

#include "net_output_test.moc"
