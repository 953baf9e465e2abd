#include <QElapsedTimer>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStyleOptionSlider>
#include <QWheelEvent>
#include <algorithm>
#include <functional>

#include "desktop/look.h"
#include "desktop/window_layout.h"
#include "window/snapshot.h"
#include "window_fixture.h"

namespace dx {

namespace {

// A week of tests ending on the scripted clock's day, newest first.
const char* const kWeek =
    "\"2000-01-08\",\"08:00\",\"05.6\",\"\"\r\n"
    "\"2000-01-06\",\"12:30\",\"09.1\",\"lunch\"\r\n"
    "\"1999-12-28\",\"07:45\",\"06.2\",\"\"\r\n";

// A journal reaching 49 days back from the scripted clock's day.
const char* const kSevenWeeks =
    "\"2000-01-08\",\"08:00\",\"05.6\",\"\"\r\n"
    "\"1999-12-20\",\"08:00\",\"06.6\",\"\"\r\n"
    "\"1999-11-20\",\"08:00\",\"07.6\",\"\"\r\n";

// Where a part of the scrollbar (arrow, trough, thumb) stands on screen.
QRect partOf(QScrollBar* bar, QStyle::SubControl part) {
    QStyleOptionSlider opt;
    opt.initFrom(bar);
    opt.orientation = bar->orientation();
    opt.minimum = bar->minimum();
    opt.maximum = bar->maximum();
    opt.sliderPosition = bar->sliderPosition();
    opt.sliderValue = bar->value();
    opt.singleStep = bar->singleStep();
    opt.pageStep = bar->pageStep();
    opt.subControls = QStyle::SC_All;
    return bar->style()->subControlRect(QStyle::CC_ScrollBar, &opt, part, bar);
}

void clickOn(QScrollBar* bar, QStyle::SubControl part) {
    QTest::mouseClick(bar, Qt::LeftButton, {}, partOf(bar, part).center());
}

void turnWheel(QScrollBar* bar, QPoint angle) {
    const QPointF at = QRectF(bar->rect()).center();
    QWheelEvent e(at, bar->mapToGlobal(at), QPoint(), angle, Qt::NoButton, Qt::NoModifier,
                  Qt::NoScrollPhase, false);
    QApplication::sendEvent(bar, &e);
}

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

    // A disabled item is disabled on screen; even a forced trigger reaches a
    // core that refuses it, so the period stays.
    core->Menu_Mois.enabled = false;
    window->render();
    window->actionOf("Menu_Mois")->setEnabled(true);
    window->actionOf("Menu_Mois")->trigger();
    EXPECT_TRUE(core->Menu_Annee.checked);
    EXPECT_FALSE(core->Menu_Mois.checked);
    EXPECT_FALSE(window->actionOf("Menu_Mois")->isEnabled());
}

TEST_F(DesktopWindowTest, TypingGoesThroughTheCoreAndTheFieldShowsTheModelsText) {
    start();
    window->actionOf("Menu_Ajouter")->trigger();
    ASSERT_TRUE(window->widgetOf("Cadre_Ajouter")->isVisible());

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
    const double sx = img.width() / 3720.0, sy = img.height() / 1320.0;
    const QPointF a(200 * sx, 1000 * sy), along = QPointF(1800 * sx, 300 * sy) - a;

    // Along the segment, yellow.
    for (double t = 0.05; t < 1; t += 0.1) {
        const QPointF p = a + t * along;
        EXPECT_TRUE(yellow(img.pixel(int(p.x()), int(p.y())))) << "t=" << t;
    }
    // Anywhere else, including where the hidden element lies, no yellow: no
    // yellow pixel further than 4 pixels from the segment.
    int strays = 0;
    for (int y = 0; y < img.height(); ++y) {
        for (int x = 0; x < img.width(); ++x) {
            const QPointF p(x, y);
            const double u = std::clamp(
                QPointF::dotProduct(p - a, along) / QPointF::dotProduct(along, along), 0.0, 1.0);
            if (yellow(img.pixel(x, y)) && QLineF(p, a + u * along).length() > 4) ++strays;
        }
    }
    EXPECT_EQ(strays, 0);

    // The background is the model's: grey while the entry panel is open.
    core->Graphique.back = colour::kLightGrey;
    window->render();
    const QImage grey = chart->grab().toImage();
    EXPECT_EQ(QColor(grey.pixel(5, 5)), QColor(192, 192, 192));
}

TEST_F(DesktopWindowTest, TheFieldTheCoreFocusesHasTheKeyboardAndButtonsNever) {
    start();
    window->actionOf("Menu_Ajouter")->trigger();
    auto* taux = qobject_cast<QLineEdit*>(window->widgetOf("Dialog_Taux"));
    auto* note = qobject_cast<QLineEdit*>(window->widgetOf("Dialog_Note"));
    ASSERT_EQ(QApplication::focusWidget(), taux);
    EXPECT_EQ(taux->selectedText(), "00.0");

    // Typing goes where the keyboard is: the default level is replaced.
    QTest::keyClick(window->windowHandle(), '6');
    EXPECT_EQ(core->Dialog_Taux.text(), "6");
    EXPECT_EQ(taux->text(), "6");

    // Tab is the user's focus move: the level field's lost-focus handler
    // rewrites it, and the window stands where the runner stands.
    QTest::keyClick(window->windowHandle(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), note);
    EXPECT_EQ(core->focused(), "Dialog_Note");
    EXPECT_EQ(taux->text(), "06.0");
    const auto runner = replay({"click Menu_Ajouter", "type Dialog_Taux 6", "focus Dialog_Note"});
    EXPECT_EQ(snapshotJson(*core), snapshotJson(*runner->window()));

    // A click and Shift+Tab move it too.
    QWidget* heure = window->widgetOf("Dialog_Heure");
    QTest::mouseClick(heure, Qt::LeftButton, {}, QPoint(4, heure->height() / 2));
    EXPECT_EQ(core->focused(), "Dialog_Heure");
    QTest::keyClick(window->windowHandle(), Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(core->focused(), "Dialog_Date");
    EXPECT_EQ(QApplication::focusWidget(), window->widgetOf("Dialog_Date"));

    // Buttons never take the keyboard and run their handlers: Cancel closes
    // the panel, and no control keeps the keyboard. It opens again: the level
    // field has it, its default selected, every time.
    auto* cancel = qobject_cast<QPushButton*>(window->widgetOf("Bout_Cancel"));
    EXPECT_EQ(cancel->focusPolicy(), Qt::NoFocus);
    EXPECT_EQ(qobject_cast<QPushButton*>(window->widgetOf("Bout_Auj"))->text(), QString(u'\u25A0'));
    cancel->click();
    EXPECT_FALSE(window->widgetOf("Cadre_Ajouter")->isVisible());
    EXPECT_EQ(core->focused(), "");
    QWidget* has = QApplication::focusWidget();
    EXPECT_TRUE(has == nullptr || !has->property("dxName").isValid());
    window->actionOf("Menu_Mois")->trigger();
    window->actionOf("Menu_Ajouter")->trigger();
    EXPECT_EQ(QApplication::focusWidget(), taux);
    EXPECT_EQ(taux->selectedText(), "00.0");
}

// Each gesture on the scrollbar against the runner's commands for it: the
// whole window (controls, variables, journal) must come out the same.
TEST_F(DesktopWindowTest, EveryScrollbarGestureReachesTheCoreAsTheRunnersScrollDoes) {
    struct Step {
        std::function<void(QScrollBar*, MainWindow*)> gesture;
        std::vector<std::string> script;
    };
    const Step focus{[](QScrollBar* b, MainWindow*) { b->setFocus(Qt::MouseFocusReason); },
                     {"focus Curseur"}};
    auto click = [](QStyle::SubControl part, const char* line) {
        return Step{[part](QScrollBar* b, MainWindow*) { clickOn(b, part); }, {line}};
    };
    auto key = [](Qt::Key k, const char* line) {
        return Step{[k](QScrollBar* b, MainWindow*) { QTest::keyClick(b, k); }, {line}};
    };
    auto wheel = [](QPoint angle, std::vector<std::string> lines) {
        return Step{[angle](QScrollBar* b, MainWindow*) { turnWheel(b, angle); }, lines};
    };
    auto period = [](const char* item) {
        return Step{[item](QScrollBar*, MainWindow* w) { w->actionOf(item)->trigger(); },
                    {std::string("click ") + item}};
    };
    // The thumb pressed, carried past one end of the trough and let go; a
    // timer tick that sets the window again while it is held must not put
    // it back.
    auto drag = [](bool toLeft, bool tickWhileHeld) {
        return Step{[toLeft, tickWhileHeld](QScrollBar* b, MainWindow* w) {
                        const QPoint from = partOf(b, QStyle::SC_ScrollBarSlider).center();
                        const QPoint to(toLeft ? 1 : b->width() - 2, from.y());
                        QTest::mousePress(b, Qt::LeftButton, {}, from);
                        QTest::mouseMove(b, (from + to) / 2);
                        QTest::mouseMove(b, to);
                        const int held = b->sliderPosition();
                        if (tickWhileHeld) w->render();
                        EXPECT_EQ(b->sliderPosition(), held);
                        QTest::mouseRelease(b, Qt::LeftButton, {}, to);
                    },
                    {toLeft ? "scroll 0" : "scroll 32767"}};
    };
    const QStyle::SubControl back = QStyle::SC_ScrollBarSubLine;
    const QStyle::SubControl forward = QStyle::SC_ScrollBarAddLine;
    const QStyle::SubControl trough = QStyle::SC_ScrollBarSubPage;
    const struct {
        const char* name;
        std::vector<Step> steps;
    } cases[] = {
        {"arrows",
         {focus, click(back, "scroll -small"), click(back, "scroll -small"),
          click(forward, "scroll +small")}},
        {"trough", {focus, click(trough, "scroll -large"), click(trough, "scroll -large")}},
        {"trough in Week/Month",
         {period("Menu_Mois"), focus, click(trough, "scroll -large"),
          click(trough, "scroll -large"), click(forward, "scroll +small")}},
        {"trough in Month/Year",
         {period("Menu_Annee"), focus, click(trough, "scroll -large"),
          click(trough, "scroll -large")}},
        {"drag to the oldest", {focus, drag(true, false)}},
        {"drag with a tick while held", {focus, drag(true, true)}},
        {"drag back to today", {focus, click(trough, "scroll -large"), drag(false, true)}},
        {"wheel",
         {wheel({0, 120}, {"scroll -small"}), wheel({0, 240}, {"scroll -small", "scroll -small"}),
          wheel({0, -120}, {"scroll +small"}), wheel({120, 0}, {"scroll -small"}),
          wheel({0, 40}, {}), wheel({0, 40}, {}), wheel({0, 40}, {"scroll -small"})}},
        {"keys",
         {focus, key(Qt::Key_Left, "scroll -small"), key(Qt::Key_Up, "scroll -small"),
          key(Qt::Key_Right, "scroll +small"), key(Qt::Key_PageUp, "scroll -large"),
          key(Qt::Key_PageDown, "scroll +large"), key(Qt::Key_Home, "scroll 0"),
          key(Qt::Key_End, "scroll 32767")}},
        {"keys in Week/Month",
         {period("Menu_Mois"), focus, key(Qt::Key_PageUp, "scroll -large"),
          key(Qt::Key_PageUp, "scroll -large"), key(Qt::Key_Down, "scroll +small")}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        start(kSevenWeeks);
        auto* bar = qobject_cast<QScrollBar*>(window->widgetOf("Curseur"));
        ASSERT_NE(bar, nullptr);
        std::vector<std::string> script;
        for (const Step& step : c.steps) {
            step.gesture(bar, window.get());
            script.insert(script.end(), step.script.begin(), step.script.end());
        }
        const auto runner = replay(script);
        EXPECT_EQ(snapshotJson(*core), snapshotJson(*runner->window()));
        // The window shows the model.
        EXPECT_EQ(bar->value(), core->Curseur.value());
        EXPECT_EQ(bar->pageStep(), core->Curseur.largeChange);
        EXPECT_EQ(qobject_cast<QLabel*>(window->widgetOf("Aff_Date"))->text().toStdString(),
                  core->Aff_Date.caption);
        window.reset();
        core.reset();
    }
}

// The window fits the available area with its frame, drawn smaller as a
// whole when it must: never cut, never out of shape.
TEST_F(DesktopWindowTest, OnASmallScreenTheWholeWindowIsDrawnSmallerToFit) {
    const struct {
        QSize screen;
        bool smaller;
    } cases[] = {
        {{1024, 768}, true},
        {{1093, 614}, true},  // 1366 x 768 at 125 %
        {{1280, 800}, false},
        {{1920, 1080}, false},
    };
    const double designAspect = double(layout::kWindow.width()) / layout::kWindow.height();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.screen.width());
        start(kWeek, c.screen);
        const QSize size = window->size();
        EXPECT_LE(size.width() + layout::kFrameRoom.width(), c.screen.width());
        EXPECT_LE(size.height() + layout::kFrameRoom.height(), c.screen.height());
        const QSize body = window->centralWidget()->size();
        EXPECT_NEAR(double(body.width()) / body.height(), designAspect, 0.01);
        EXPECT_EQ(window->zoom() < 1, c.smaller);
        if (!c.smaller) {
            EXPECT_EQ(body, layout::kWindow);
        }
        // Everything inside follows: the chart, the fonts, the scrollbar.
        EXPECT_NEAR(window->widgetOf("Graphique")->width(), 930 * window->zoom(), 2);
        EXPECT_NEAR(window->widgetOf("Aff_Date")->font().pointSizeF(),
                    core->Aff_Date.font.size * kFontScale * window->zoom(), 0.01);
        QWidget* today = window->widgetOf("Bout_Auj");
        EXPECT_LE(today->mapTo(window.get(), today->rect().bottomRight()).x(), size.width());
        window.reset();
        core.reset();
    }
    // Without a size given, the screen the window opens on decides.
    start(kWeek, QSize());
    const QRect screen = window->screen()->availableGeometry();
    EXPECT_LE(window->width() + layout::kFrameRoom.width(), screen.width());
    EXPECT_LE(window->height() + layout::kFrameRoom.height(), screen.height());
}

TEST_F(DesktopWindowTest, AClickOnTheCameraPrintsTheWindow) {
    std::vector<std::string> events;
    sp.emit = [&](const std::string& line) { events.push_back(line); };
    start(kWeek);
    window->actionOf("Menu_Impr_Graph")->trigger();
    QWidget* camera = window->widgetOf("Img_Cam1");
    ASSERT_TRUE(camera->isVisible());
    QTest::mouseClick(camera, Qt::LeftButton, {}, QPoint(4, 4));
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
