#pragma once

// The desktop window: one Qt widget per control of the model, laid out once.
// Every user action goes to the core's window as one event; after each event
// and each timer tick the widgets are set again from the model, so the screen
// never disagrees with it.

#include <QMainWindow>
#include <QTimer>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "desktop/window_layout.h"
#include "window/fenetre.h"

class QAction;
class QLabel;
class QMenu;
class QSvgRenderer;

namespace dx {

class ModelSurface;
class PictureView;
class ReportMenu;

class MainWindow : public QMainWindow {
public:
    // The window is drawn smaller, all of it alike, when it would not fit
    // the available area of the screen (an invalid size: the primary
    // screen's) with the window manager's frame.
    explicit MainWindow(Fenetre& window, QSize available = {}, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Runs the window's load handler.
    void startProgram();
    // Sets every widget from the model.
    void render();
    // True once the program has ended; the application is then quitting.
    bool finished() const { return finished_; }

    // The widget that shows a control (its container for pictures and lines
    // drawn inside a picture box); "Aff_Jour(3)" names an array element.
    QWidget* widgetOf(const std::string& name) const;
    QAction* actionOf(const std::string& name) const;
    // The factor the window is drawn at: 1 as designed, less on a small screen.
    double zoom() const { return zoom_; }
    // The desktop's own Report menu, after the window's menus.
    ReportMenu& reportMenu() const { return *report_; }

protected:
    void closeEvent(QCloseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    // Runs one event of the core, then shows its outcome.
    void forward(const std::function<void()>& event);
    void settle();
    void showFocus();
    void armTimer();
    void timerDue();
    bool clickablePicture(const std::string& name) const;

    void buildMenus();
    void buildControl(const ControlEntry& entry);
    void buildArrays();
    void buildSurfaces();
    QWidget* parentFor(const ControlEntry& entry) const;
    QLabel* addLabel(const std::string& name, const Label& model, QWidget* parent, QRect rect);
    void watch(QWidget* widget, const std::string& name);
    QSvgRenderer* art(const std::string& file);
    // A rectangle of the design as drawn at the window's zoom.
    QRect place(QRect design) const { return layout::zoomed(design, zoom_); }

    Fenetre& w_;
    double zoom_ = 1;
    QWidget* central_ = nullptr;
    ModelSurface* chart_ = nullptr;
    ModelSurface* therm_ = nullptr;
    ModelSurface* anim_ = nullptr;
    std::map<std::string, QWidget*> widgets_;
    std::map<std::string, QAction*> actions_;
    std::map<const MenuItem*, QMenu*> menus_;
    std::map<std::string, std::unique_ptr<QSvgRenderer>> art_;
    std::vector<std::function<void()>> renderers_;
    std::unique_ptr<ReportMenu> report_;
    QTimer tick_;
    bool busy_ = false;
    bool rendering_ = false;
    bool finished_ = false;
};

}  // namespace dx
