#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>

#include "../../tools/replay/scripted_platform.h"
#include "desktop/main_window.h"
#include "window/fenetre.h"

namespace dx {

namespace {

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

    // Starts the program on a journal given as its file's lines.
    void start(const std::string& journal = "") {
        std::ofstream(dir_ + "/prog/Diabete.glc", std::ios::binary) << journal;
        core = std::make_unique<Fenetre>(sp.platform);
        window = std::make_unique<MainWindow>(*core);
        window->startProgram();
        window->show();
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
    std::unique_ptr<Fenetre> core;
    std::unique_ptr<MainWindow> window;

private:
    std::string dir_;
};

// A week of tests ending on the scripted clock's day, newest first.
const char* const kWeek =
    "\"2000-01-08\",\"08:00\",\"05.6\",\"\"\r\n"
    "\"2000-01-06\",\"12:30\",\"09.1\",\"lunch\"\r\n"
    "\"1999-12-28\",\"07:45\",\"06.2\",\"\"\r\n";

bool yellow(QRgb p) { return qRed(p) > 150 && qGreen(p) > 150 && qBlue(p) < 110; }

}  // namespace

TEST_F(DesktopWindowTest, MenuBarMirrorsTheModelAndFollowsItAfterEveryHandler) {
    start(kWeek);
    EXPECT_EQ(window->windowTitle(), "Glucose monotor");
    expectMenusMirrorModel();
    EXPECT_EQ(window->actionOf("Menu_Fichier")->text(), "&File");
    EXPECT_FALSE(window->actionOf("Menu_Sauve")->isEnabled());
    EXPECT_TRUE(window->actionOf("Menu_OptMM")->isChecked());

    // States the procedures set show at the next rendering, an invisible item
    // (a separator too) is absent.
    core->Menu_Sauve.enabled = true;
    core->Menu_Prev.visible = false;
    core->Menu_Ligne0.visible = false;
    core->Menu_Res1.caption = "Optimal:  >71 and <127";
    window->render();
    expectMenusMirrorModel();
    EXPECT_FALSE(window->actionOf("Menu_Prev")->isVisible());

    // A menu command runs its handler; the bar then shows the new period.
    window->actionOf("Menu_Mois")->trigger();
    EXPECT_TRUE(core->Menu_Mois.checked);
    EXPECT_FALSE(core->Menu_Sem.checked);
    expectMenusMirrorModel();
    window->actionOf("Menu_Annee")->trigger();
    EXPECT_TRUE(core->Menu_Annee.checked);
    expectMenusMirrorModel();
}

TEST_F(DesktopWindowTest, AMenuCommandOnADisabledItemRunsNothing) {
    start(kWeek);
    // The action is disabled on screen; even a forced trigger reaches a core
    // that refuses it, so the period stays.
    core->Menu_Mois.enabled = false;
    window->render();
    window->actionOf("Menu_Mois")->setEnabled(true);
    window->actionOf("Menu_Mois")->trigger();
    EXPECT_TRUE(core->Menu_Sem.checked);
    EXPECT_FALSE(core->Menu_Mois.checked);
    EXPECT_FALSE(window->actionOf("Menu_Mois")->isEnabled());
}

TEST_F(DesktopWindowTest, TypingGoesThroughTheCoreAndTheFieldShowsTheModelsText) {
    start();
    window->actionOf("Menu_Ajouter")->trigger();
    ASSERT_TRUE(core->Cadre_Ajouter.visible);
    QWidget* panel = window->widgetOf("Cadre_Ajouter");
    ASSERT_TRUE(panel->isVisible());

    auto* taux = qobject_cast<QLineEdit*>(window->widgetOf("Dialog_Taux"));
    ASSERT_NE(taux, nullptr);
    type(taux, "5.6");
    EXPECT_EQ(core->focused(), "Dialog_Taux");
    EXPECT_EQ(core->Dialog_Taux.text(), "5.6");
    EXPECT_EQ(taux->text(), "5.6");
    EXPECT_EQ(taux->cursorPosition(), 3);
    // The change handler ran: the thermometer follows the typed level.
    EXPECT_NEAR(core->Ligne_Therm1.y1, 2200 - 5.6 * 100 / 1.5, 0.01);

    sendKey(taux, Qt::Key_Backspace);
    EXPECT_EQ(core->Dialog_Taux.text(), "5.");
    EXPECT_EQ(taux->text(), "5.");

    // The widget's own editing keys do nothing: only the core edits.
    sendKey(taux, Qt::Key_Z, "\x1a", Qt::ControlModifier);
    EXPECT_EQ(core->Dialog_Taux.text(), "5.");
    EXPECT_EQ(taux->text(), "5.");

    // A selection made on screen is the model's selection: typing replaces it.
    taux->setSelection(0, 2);
    EXPECT_EQ(core->Dialog_Taux.selStart(), 0);
    EXPECT_EQ(core->Dialog_Taux.selLength(), 2);
    type(taux, "7");
    EXPECT_EQ(core->Dialog_Taux.text(), "7");
    EXPECT_EQ(taux->text(), "7");

    // A text the core rewrites shows as the core left it.
    core->Dialog_Note.setText("rewritten");
    window->render();
    EXPECT_EQ(qobject_cast<QLineEdit*>(window->widgetOf("Dialog_Note"))->text(), "rewritten");
}

TEST_F(DesktopWindowTest, ButtonsTakeNoFocusAndRunTheirHandlers) {
    start();
    window->actionOf("Menu_Ajouter")->trigger();
    auto* cancel = qobject_cast<QPushButton*>(window->widgetOf("Bout_Cancel"));
    ASSERT_NE(cancel, nullptr);
    EXPECT_EQ(cancel->focusPolicy(), Qt::NoFocus);
    EXPECT_EQ(qobject_cast<QPushButton*>(window->widgetOf("Bout_Auj"))->text(), QString(u'\u25A0'));
    cancel->click();
    EXPECT_FALSE(core->Cadre_Ajouter.visible);
    EXPECT_FALSE(window->widgetOf("Cadre_Ajouter")->isVisible());
}

TEST_F(DesktopWindowTest, TheChartPaintsTheModelsSegmentsAndNothingElse) {
    start();
    Line& shown = core->chart.loadLigne(1);
    shown = Line{200, 1000, 1800, 300, colour::kYellow, 2, true};
    Line& hidden = core->chart.loadLigne(2);
    hidden = Line{2200, 200, 3500, 200, colour::kYellow, 2, false};
    window->render();

    QWidget* chart = window->widgetOf("Graphique");
    ASSERT_NE(chart, nullptr);
    const QImage img = chart->grab().toImage();
    ASSERT_FALSE(img.isNull());
    const double sx = img.width() / 3720.0;
    const double sy = img.height() / 1320.0;

    // Along the segment, yellow.
    for (double t = 0.05; t < 1; t += 0.1) {
        const double x = (200 + t * 1600) * sx;
        const double y = (1000 - t * 700) * sy;
        EXPECT_TRUE(yellow(img.pixel(static_cast<int>(x), static_cast<int>(y)))) << "t=" << t;
    }
    // Anywhere else, including where the hidden element lies, no yellow.
    int strays = 0;
    for (int y = 0; y < img.height(); ++y) {
        for (int x = 0; x < img.width(); ++x) {
            if (!yellow(img.pixel(x, y))) continue;
            // Distance from the segment, in pixels.
            const double ax = 200 * sx, ay = 1000 * sy, bx = 1800 * sx, by = 300 * sy;
            const double dx = bx - ax, dy = by - ay;
            const double u =
                std::clamp(((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy), 0.0, 1.0);
            const double d = std::hypot(x - (ax + u * dx), y - (ay + u * dy));
            if (d > 4) ++strays;
        }
    }
    EXPECT_EQ(strays, 0);

    // The background is the model's: grey while the entry panel is open.
    core->Graphique.back = colour::kLightGrey;
    window->render();
    const QImage grey = chart->grab().toImage();
    EXPECT_EQ(QColor(grey.pixel(5, 5)), QColor(192, 192, 192));
}

TEST_F(DesktopWindowTest, ScrollbarMovesGoToTheCoreAsUserMoves) {
    start(kWeek);
    auto* bar = qobject_cast<QScrollBar*>(window->widgetOf("Curseur"));
    ASSERT_NE(bar, nullptr);
    ASSERT_TRUE(core->Curseur.enabled);
    EXPECT_EQ(bar->value(), core->Curseur.value());
    EXPECT_EQ(bar->maximum(), core->Curseur.max);
    const std::string before = core->Aff_Date.caption;
    bar->triggerAction(QAbstractSlider::SliderPageStepSub);
    // The change handler moved the chart back; the bar shows where the core left it.
    EXPECT_NE(core->Aff_Date.caption, before);
    EXPECT_EQ(bar->value(), core->Curseur.value());
}

TEST_F(DesktopWindowTest, AClickOnTheCameraPrintsTheWindow) {
    std::vector<std::string> events;
    sp.emit = [&](const std::string& line) { events.push_back(line); };
    start(kWeek);
    window->actionOf("Menu_Impr_Graph")->trigger();
    QWidget* camera = window->widgetOf("Img_Cam1");
    ASSERT_TRUE(camera->isVisible());
    const QPointF at(4, 4);
    QMouseEvent press(QEvent::MouseButtonPress, at, camera->mapToGlobal(at), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(camera, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, camera->mapToGlobal(at), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(camera, &release);
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].rfind("{\"event\":\"print\"", 0), 0u) << events[0];
}

TEST_F(DesktopWindowTest, ModelTimersRunFromTheWindowsScheduler) {
    start();
    core->Timer_Heure.setEnabled(true);
    sp.clock.advanceMs(1000);
    // Any event re-arms the scheduler; the clock's tick is then due at once.
    window->actionOf("Menu_Mois")->trigger();
    QElapsedTimer waited;
    waited.start();
    while (core->Aff_Heure.caption != "09:15:01" && waited.elapsed() < 2000)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_EQ(core->Aff_Heure.caption, "09:15:01");
    EXPECT_EQ(qobject_cast<QLabel*>(window->widgetOf("Aff_Heure"))->text(), "09:15:01");
}

TEST_F(DesktopWindowTest, ClosingWithNothingToSaveEndsTheProgramWithoutAQuestion) {
    std::vector<std::string> events;
    sp.emit = [&](const std::string& line) { events.push_back(line); };
    start();
    window->close();
    EXPECT_TRUE(core->ended());
    EXPECT_TRUE(window->finished());
    EXPECT_TRUE(events.empty());
}

}  // namespace dx
