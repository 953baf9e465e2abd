// The real window under the system locale the test runs in (CTest runs this
// program once per locale, with LANG and LC_ALL set): the date pattern, the
// names and the language come from the system, and a level typed with a
// point keeps its decimals on screen and in the saved journal even where
// the C library's decimal separator is a comma.

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <clocale>

#include "../../unit/window_fixture.h"
#include "desktop/main_window.h"
#include "platform/posix/posix_locale.h"

namespace dx {

namespace {

// What each locale gives, on the window's clock: Thursday 17 December 2026.
struct Expected {
    const char* locale;
    const char* decimalPoint;  // the C library's, as Qt set it from the environment
    const char* title;
    const char* today;
    const char* earlier;       // 10 December
    const char* weekInitials;  // the Day/Week axis, Friday to Thursday
};

constexpr Expected kLocales[] = {
    {"fr_FR.UTF-8", ",", "Moniteur de glycémie", "17/12/2026", "10/12/2026",
     "VE SA DI LU MA ME JE"},
    {"de_DE.UTF-8", ",", "Glucose monotor", "17.12.2026", "10.12.2026", "FR SA SO MO DI MI DO"},
    {"en_US.UTF-8", ".", "Glucose monotor", "12/17/2026", "12/10/2026", "FR SA SU MO TU WE TH"},
    {"en_GB.UTF-8", ".", "Glucose monotor", "17/12/2026", "10/12/2026", "FR SA SU MO TU WE TH"},
    {"C.UTF-8", ".", "Glucose monotor", "2026-12-17", "2026-12-10", "FR SA SU MO TU WE TH"},
};

// The window fixture's folders, files and scripted services, with the
// system's locale in place of the scripted one.
class LocaleWindowTest : public testing::WindowTest {
protected:
    void SetUp() override {
        const char* here = std::getenv("LC_ALL");
        for (const Expected& e : kLocales)
            if (here != nullptr && std::string(here) == e.locale) expected = &e;
        ASSERT_NE(expected, nullptr) << "run with LC_ALL set to one of the tested locales";
        WindowTest::SetUp();
        sp.clock.set(DateTime::fromParts(2026, 12, 17, 9, 15, 0));
    }
    void TearDown() override {
        window.reset();
        core.reset();
        WindowTest::TearDown();
    }

    void startWindow(const std::string& journal) {
        writeJournal(journal);
        core = std::make_unique<Fenetre>(systemPlatform);
        window = std::make_unique<MainWindow>(*core);
        window->startProgram();
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }

    std::string labelText(const char* name) const {
        return qobject_cast<QLabel*>(window->widgetOf(name))->text().toStdString();
    }
    std::string weekInitials() const {
        std::string out;
        for (size_t i = 1; i <= 7; ++i) out += (i > 1 ? " " : "") + core->Aff_Jour[i]->caption;
        return out;
    }

    const Expected* expected = nullptr;
    PosixLocale locale;  // the system's, from the environment
    Platform systemPlatform{sp.clock, locale,  sp.dialogs, sp.env,   files,
                            sp.probe, sp.http, sp.net,     sp.shell, sp.printer};
    std::unique_ptr<Fenetre> core;
    std::unique_ptr<MainWindow> window;
};

std::string line(const std::string& date, const char* time, const char* level) {
    return "\"" + date + "\",\"" + time + "\",\"" + level + "\",\"\"\r\n";
}

}  // namespace

TEST_F(LocaleWindowTest, ATestTypedWithKeysIsShownAndSavedWithItsDecimals) {
    ASSERT_STREQ(std::localeconv()->decimal_point, expected->decimalPoint);
    startWindow(line(expected->earlier, "08:00", "04.7"));
    EXPECT_EQ(window->windowTitle().toStdString(), expected->title);
    EXPECT_EQ(labelText("Aff_Date"), expected->today);
    EXPECT_EQ(weekInitials(), expected->weekInitials);
    EXPECT_EQ(labelText("Aff_Resultat"), "04.7");

    window->actionOf("Menu_Ajouter")->trigger();
    auto* taux = qobject_cast<QLineEdit*>(window->widgetOf("Dialog_Taux"));
    auto* ok = qobject_cast<QPushButton*>(window->widgetOf("Bout_Ok"));
    ASSERT_TRUE(taux != nullptr && ok != nullptr);
    if (!taux->hasFocus()) taux->setFocus(Qt::OtherFocusReason);
    QTest::keyClicks(taux, "5.4");
    EXPECT_EQ(taux->text().toStdString(), "5.4");
    // Today's date has the pattern's length: the entry checks run and allow Ok.
    EXPECT_TRUE(ok->isEnabled());

    QTest::keyClick(taux, Qt::Key_Tab);  // leaving the field reformats the level
    EXPECT_NE(core->focused(), "Dialog_Taux");
    EXPECT_EQ(taux->text().toStdString(), "05.4");
    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_FALSE(window->widgetOf("Cadre_Ajouter")->isVisible());
    EXPECT_EQ(labelText("Aff_Resultat"), "05.4");

    window->actionOf("Menu_Sauve")->trigger();
    EXPECT_EQ(journalBytes(),
              line(expected->today, "09:15", "05.4") + line(expected->earlier, "08:00", "04.7"));
    EXPECT_EQ(labelText("Aff_Resultat"), "05.4");
    EXPECT_TRUE(events.empty()) << events.front();  // no message box on the way
}

}  // namespace dx
