#include "desktop/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QSvgRenderer>
#include <algorithm>
#include <set>

#include "desktop/look.h"
#include "desktop/model_field.h"
#include "desktop/model_scrollbar.h"
#include "desktop/report_menu.h"
#include "desktop/surfaces.h"
#include "desktop/window_layout.h"

namespace dx {

namespace {

QString qs(const std::string& s) { return QString::fromStdString(s); }

template <class... Ts>
struct Overloaded : Ts... {
    using Ts::operator()...;
};
template <class... Ts>
Overloaded(Ts...) -> Overloaded<Ts...>;

// The artwork of each picture, and where it stands inside its picture box
// (in twips, before the model's own offset).
struct SpritePlace {
    const char* file;
    QRectF twips;
};
const std::map<std::string, SpritePlace> kSprites = {
    {"Img_Therm",
     {"thermometer.svg", {0, 0, layout::kThermTwips.width(), layout::kThermTwips.height()}}},
    {"Probe_Vide", {"probe_empty.svg", {150, 380, 900, 170}}},
    {"Probe_Rouge", {"probe_filled.svg", {150, 380, 900, 170}}},
    {"Goutte", {"drop.svg", {540, 0, 120, 160}}},
};

Qt::Alignment labelAlignment(const std::string& name) {
    static const std::set<std::string> kLeft = {"Aff_Test",    "Aff_mmol",       "Information",
                                                "Aff_Optimal", "Aff_Suboptimal", "Aff_Compromis",
                                                "Aff_Mois_Jr1"};
    static const std::set<std::string> kRight = {"Aff_Dial_Date", "Aff_Dial_Heure", "Aff_Dial_Taux",
                                                 "Aff_Dial_Note"};
    if (kLeft.count(name)) return Qt::AlignLeft | Qt::AlignVCenter;
    if (kRight.count(name) || name.rfind("Aff_Niveau", 0) == 0)
        return Qt::AlignRight | Qt::AlignVCenter;
    return Qt::AlignCenter;
}

void setColours(QWidget* w, Rgb fore, Rgb back) {
    QPalette pal = w->palette();
    // A disabled label keeps the style's greyed text.
    pal.setColor(QPalette::Active, QPalette::WindowText, qtColor(fore));
    pal.setColor(QPalette::Inactive, QPalette::WindowText, qtColor(fore));
    pal.setColor(QPalette::Window, qtColor(back));
    if (pal != w->palette()) w->setPalette(pal);
}

// A label whose background is the window's own colour is drawn without one,
// so that it sits cleanly on frames and panels.
void showLabel(QLabel* q, const Label& l, Rgb windowBack, double zoom) {
    q->setAutoFillBackground(!(l.back == windowBack));
    const QString text = qs(l.caption);
    if (q->text() != text) q->setText(text);
    const QFont f = qtFont(l.font, zoom);
    if (q->font() != f) q->setFont(f);
    setColours(q, l.fore, l.back);
    q->setEnabled(l.enabled);
    q->setToolTip(qs(l.tooltip));
    q->setVisible(l.visible);
}

void showMenuItem(QAction* a, const MenuItem& m) {
    if (!a->isSeparator()) a->setText(qs(m.caption));
    a->setVisible(m.visible);
    a->setEnabled(m.enabled);
    // Only a checked item is checkable, so that the others show no box.
    if (m.checked) {
        a->setCheckable(true);
        a->setChecked(true);
    } else {
        a->setChecked(false);
        a->setCheckable(false);
    }
}

Line lineOf(const std::optional<Line>& l) { return l ? *l : Line{0, 0, 0, 0, {}, 1, false}; }

}  // namespace

MainWindow::MainWindow(Fenetre& window, QSize available, QWidget* parent)
    : QMainWindow(parent), w_(window) {
    central_ = new QWidget(this);
    central_->setAutoFillBackground(true);
    setCentralWidget(central_);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    setWindowIcon(QIcon(":/artwork/dextrel.png"));

    buildMenus();
    if (!available.isValid()) available = screen()->availableGeometry().size();
    zoom_ = layout::zoomToFit(available, menuBar()->sizeHint().height());
    central_->setFixedSize(place(QRect(QPoint(0, 0), layout::kWindow)).size());
    buildSurfaces();
    for (const ControlEntry& e : w_.controls()) buildControl(e);
    buildArrays();
    // The decorative panel of the level display lies under its labels.
    if (QWidget* shape = widgetOf("Shape2")) shape->lower();

    tick_.setSingleShot(true);
    tick_.setTimerType(Qt::PreciseTimer);
    connect(&tick_, &QTimer::timeout, this, [this] { timerDue(); });
    w_.doubleClickMs = QApplication::doubleClickInterval();
    render();
}

MainWindow::~MainWindow() = default;

QSvgRenderer* MainWindow::art(const std::string& file) {
    auto& r = art_[file];
    if (!r) r = std::make_unique<QSvgRenderer>(QString(":/artwork/") + qs(file));
    return r.get();
}

QWidget* MainWindow::widgetOf(const std::string& name) const {
    const auto it = widgets_.find(name);
    return it == widgets_.end() ? nullptr : it->second;
}

QAction* MainWindow::actionOf(const std::string& name) const {
    const auto it = actions_.find(name);
    return it == actions_.end() ? nullptr : it->second;
}

void MainWindow::watch(QWidget* widget, const std::string& name) {
    widget->setProperty("dxName", qs(name));
    widget->installEventFilter(this);
    widgets_[name] = widget;
}

QWidget* MainWindow::parentFor(const ControlEntry& entry) const {
    if (entry.container.empty()) return central_;
    QWidget* p = widgetOf(entry.container);
    return p != nullptr ? p : central_;
}

// ---- Building the widgets ---------------------------------------------------

void MainWindow::buildMenus() {
    for (const ControlEntry& e : w_.controls()) {
        const auto* item = std::get_if<MenuItem*>(&e.ref);
        if (item == nullptr) continue;
        const MenuItem* m = *item;
        const std::string name = e.name;
        QAction* a = nullptr;
        if (m->parent == nullptr) {
            QMenu* menu = menuBar()->addMenu(qs(m->caption));
            menus_[m] = menu;
            a = menu->menuAction();
            // Opening the History and Test menus runs their own handlers,
            // which set the items' states before the menu shows.
            connect(menu, &QMenu::aboutToShow, this,
                    [this, name] { forward([&] { w_.openMenu(name); }); });
        } else {
            QMenu* menu = menus_.at(m->parent);
            if (m->isSeparator()) {
                a = menu->addSeparator();
            } else {
                a = menu->addAction(qs(m->caption));
                connect(a, &QAction::triggered, this,
                        [this, name] { forward([&] { w_.click(name); }); });
            }
        }
        actions_[name] = a;
        renderers_.push_back([a, m] { showMenuItem(a, *m); });
    }
    report_ = std::make_unique<ReportMenu>(w_, menuBar(), this, [this] { render(); });
    renderers_.push_back([this] { report_->render(); });
}

void MainWindow::buildSurfaces() {
    // The chart: a sunken border around the drawing surface.
    auto* frame = new QFrame(central_);
    frame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    frame->setLineWidth(layout::kChartBorder);
    frame->setGeometry(place(layout::kChart));
    chart_ = new ModelSurface(layout::kChartTwips, 1.5 * zoom_, frame);
    chart_->setGeometry(frame->contentsRect());
    renderers_.push_back([this] {
        std::vector<Line> lines{w_.Objectif1, w_.Objectif2};
        for (size_t i = 1; i < w_.Ligne.size(); ++i) lines.push_back(lineOf(w_.Ligne[i]));
        chart_->setBack(w_.Graphique.back);
        chart_->setScene({}, std::move(lines));
    });

    // The information line reads as the window's status strip.
    auto* strip = new QFrame(central_);
    strip->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    strip->setGeometry(place(layout::controlRect("Information").adjusted(-8, -7, 2, 7)));

    // The thermometer: one pixel of a line's width is 15 twips, so that its
    // three lines make one solid column as on the original screen.
    const double thermScale = layout::kTherm.height() * zoom_ / layout::kThermTwips.height();
    therm_ = new ModelSurface(layout::kThermTwips, 15 * thermScale, central_);
    therm_->setFlatCaps(true);
    anim_ = new ModelSurface(layout::kAnimTwips, zoom_, central_);
    renderers_.push_back([this] {
        auto sprite = [this](const char* name, const Picture& p) {
            const SpritePlace& place = kSprites.at(name);
            return Sprite{art(place.file), place.twips.translated(p.left, p.top), p.visible};
        };
        therm_->setBack(w_.Thermometre.back);
        therm_->setScene({sprite("Img_Therm", w_.Img_Therm)},
                         {w_.Ligne_Therm1, w_.Ligne_Therm2, w_.Ligne_Therm3});
        anim_->setBack(w_.Animation.back);
        anim_->setScene({sprite("Probe_Vide", w_.Probe_Vide), sprite("Probe_Rouge", w_.Probe_Rouge),
                         sprite("Goutte", w_.Goutte)},
                        {});
    });
}

QLabel* MainWindow::addLabel(const std::string& name, const Label& model, QWidget* parent,
                             QRect rect) {
    auto* q = new QLabel(parent);
    q->setTextFormat(Qt::PlainText);
    q->setAlignment(labelAlignment(name));
    q->setGeometry(rect);
    watch(q, name);
    renderers_.push_back([this, q, &model] { showLabel(q, model, w_.form.back, zoom_); });
    return q;
}

void MainWindow::buildControl(const ControlEntry& e) {
    QWidget* parent = parentFor(e);
    const QRect rect = place(layout::controlRect(e.name));
    const std::string name = e.name;
    std::visit(
        Overloaded{
            [&](WindowProps* f) {
                renderers_.push_back([this, f] {
                    setWindowTitle(qs(f->caption));
                    QPalette pal = central_->palette();
                    pal.setColor(QPalette::Window, qtColor(f->back));
                    if (pal != central_->palette()) central_->setPalette(pal);
                    central_->setCursor(cursorShape(f->pointer));
                });
            },
            [&](Label* l) { addLabel(name, *l, parent, rect); },
            [&](Button* b) {
                auto* q = new QPushButton(parent);
                q->setFocusPolicy(Qt::NoFocus);  // a click leaves the keyboard focus where it was
                q->setGeometry(rect);
                watch(q, name);
                connect(q, &QPushButton::clicked, this,
                        [this, name] { forward([&] { w_.click(name); }); });
                renderers_.push_back([this, q, b] {
                    q->setText(shownCaption(b->caption, b->font));
                    const QFont f = qtFont(b->font, zoom_);
                    if (q->font() != f) q->setFont(f);
                    q->setEnabled(b->enabled);
                    q->setToolTip(qs(b->tooltip));
                    q->setVisible(b->visible);
                });
            },
            [&](Frame* f) {
                QWidget* q = nullptr;
                if (f->caption.empty() && name == "Cadre_Ajouter") {
                    auto* panel = new QFrame(parent);
                    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
                    panel->setLineWidth(2);
                    panel->setAutoFillBackground(true);
                    q = panel;
                    renderers_.push_back([panel, f] { panel->setVisible(f->visible); });
                } else {
                    auto* box = new QGroupBox(parent);
                    q = box;
                    renderers_.push_back([this, box, f] {
                        box->setTitle(qs(f->caption));
                        const QFont font = qtFont(f->font, zoom_);
                        if (box->font() != font) box->setFont(font);
                        box->setVisible(f->visible);
                    });
                }
                q->setGeometry(rect);
                watch(q, name);
            },
            [&](Picture* p) {
                QWidget* q = nullptr;
                if (name == "Graphique")
                    q = chart_;
                else if (name == "Thermometre")
                    q = therm_;
                else if (name == "Animation")
                    q = anim_;
                else if (kSprites.count(name)) {
                    widgets_[name] = parent;  // drawn by its picture box
                    return;
                } else if (name == "Shape2") {
                    auto* shape = new QFrame(parent);
                    shape->setFrameStyle(QFrame::Box | QFrame::Sunken);
                    q = shape;
                } else if (name == "Image_FTP") {
                    auto* view = new PictureView(art("banner.svg"), parent);
                    q = view;
                    renderers_.push_back([this, view, p] {
                        std::string image = p->image;
                        if (image != "builtin" && !image.empty() && image[0] != '/')
                            image = w_.platform.env.programDir() + image;
                        view->setImage(image.empty() ? "builtin" : image);
                    });
                } else if (name == "Img_Cam1" || name == "Img_Cam2") {
                    q = new PictureView(art(name == "Img_Cam1" ? "camera1.svg" : "camera2.svg"),
                                        parent);
                } else {
                    q = new QWidget(parent);  // a plain picture box: Calibrateur, Picture2
                }
                if (rect.isValid() && q != chart_)
                    q->setGeometry(rect);  // the chart sits in its border
                watch(q, name);
                const bool paintsBack = name == "Calibrateur" || name == "Picture2";
                q->setAutoFillBackground(paintsBack);
                renderers_.push_back([q, p, paintsBack, name] {
                    if (paintsBack) setColours(q, colour::kBlack, p->back);
                    q->setCursor(cursorShape(p->pointer));
                    q->setToolTip(qs(p->tooltip));
                    q->setVisible(p->visible);
                });
            },
            [&](Line*) { widgets_[name] = parent; },  // drawn by its picture box
            [&](MenuItem*) {},
            [&](TextField* t) {
                auto* q = new ModelField(*t, parent);
                q->setGeometry(rect);
                watch(q, name);
                if (e.container == "Calibrateur") q->setFocusPolicy(Qt::NoFocus);  // readings only
                q->onKey = [this, name](char32_t c) { forward([&] { w_.keyPress(name, c); }); };
                q->onReplace = [this, name](const QString& text) {
                    forward([&] { w_.pasteText(name, text.toStdString()); });
                };
                q->onSelect = [this, name](int start, int length) {
                    if (!rendering_ && !busy_) w_.selectText(name, start, length);
                };
                q->onFocus = [this, name] { forward([&] { w_.focus(name); }); };
                q->onEscape = [this] { forward([&] { w_.escape(); }); };
                renderers_.push_back([this, q, t] {
                    const QFont f = qtFont(t->font, zoom_);
                    if (q->font() != f) q->setFont(f);
                    q->setEnabled(t->enabled);
                    q->setToolTip(qs(t->tooltip));
                    q->setVisible(t->visible);
                    q->showModel();
                });
            },
            [&](Scrollbar* s) {
                auto* q = new ModelScrollbar(*s, parent);
                q->setGeometry(rect);
                watch(q, name);
                q->onMove = [this](int v) { forward([&] { w_.userScroll(v); }); };
                q->onFocus = [this, name] { forward([&] { w_.focus(name); }); };
                q->onEscape = [this] { forward([&] { w_.escape(); }); };
                renderers_.push_back([q] { q->showModel(); });
            },
            [&](Timer*) {},
        },
        e.ref);
}

void MainWindow::buildArrays() {
    for (int i = 1; i <= 7; ++i) {
        const auto& l = w_.Aff_Jour[static_cast<size_t>(i)];
        QLabel* q = addLabel("Aff_Jour(" + std::to_string(i) + ")", *l, central_,
                             place(layout::dayLabelRect(i)));
        renderers_.back() = [this, q, &l] {
            l ? showLabel(q, *l, w_.form.back, zoom_) : q->hide();
        };
    }
    for (int i = 1; i <= 12; ++i) {
        const auto& l = w_.Aff_Mois[static_cast<size_t>(i)];
        QLabel* q = addLabel("Aff_Mois(" + std::to_string(i) + ")", *l, central_,
                             place(layout::monthLabelRect(i)));
        renderers_.back() = [this, q, &l] {
            l ? showLabel(q, *l, w_.form.back, zoom_) : q->hide();
        };
    }
    for (int i = 1; i <= 5; ++i) {
        const auto& l = w_.Aff_Niveau[static_cast<size_t>(i)];
        QLabel* q = addLabel("Aff_Niveau(" + std::to_string(i) + ")", *l, central_,
                             place(layout::levelLabelRect(i)));
        renderers_.back() = [this, q, &l] {
            l ? showLabel(q, *l, w_.form.back, zoom_) : q->hide();
        };
    }
}

// ---- Showing the model ------------------------------------------------------

void MainWindow::render() {
    if (finished_) return;
    rendering_ = true;
    for (const auto& r : renderers_) r();
    showFocus();
    rendering_ = false;
}

// The keyboard focus is the model's: the control the core names has it, and
// no control has it when the core names none. Set while rendering, so the
// widgets' own focus reports are not sent back.
void MainWindow::showFocus() {
    QWidget* wanted = widgetOf(w_.focused());
    if (wanted != nullptr && (wanted->focusPolicy() == Qt::NoFocus || !wanted->isEnabled()))
        wanted = nullptr;
    QWidget* has = focusWidget();
    if (wanted != nullptr) {
        if (has != wanted) wanted->setFocus(Qt::OtherFocusReason);
    } else if (has != nullptr && has->property("dxName").isValid()) {
        has->clearFocus();
    }
}

// ---- Events -----------------------------------------------------------------

void MainWindow::forward(const std::function<void()>& event) {
    // A handler that opened a box is still running: the window takes no
    // other event until it returns.
    // Widgets shown or hidden while the window is being set (a focus that
    // moves away from a hidden field) report nothing.
    if (busy_ || finished_ || rendering_) return;
    busy_ = true;
    event();
    busy_ = false;
    settle();
}

void MainWindow::settle() {
    if (w_.ended()) {
        // The program ends at once: nothing else runs, nothing is shown.
        finished_ = true;
        tick_.stop();
        hide();
        QCoreApplication::exit(0);
        return;
    }
    render();
    armTimer();
}

void MainWindow::startProgram() {
    forward([this] { w_.start(); });
}

void MainWindow::armTimer() {
    const std::optional<int64_t> due = w_.nextDueAt();
    if (!due) {
        tick_.stop();
        return;
    }
    const int64_t wait = *due - w_.platform.clock.monotonicMs();
    tick_.start(static_cast<int>(std::clamp<int64_t>(wait, 0, 24 * 3600 * 1000)));
}

// A handler still running (a box open) keeps the ticks: the window is armed
// again when it returns.
void MainWindow::timerDue() {
    forward([this] { w_.runDueTimers(w_.platform.clock.monotonicMs()); });
}

// A picture with a click procedure takes the mouse's clicks itself; the
// other controls' clicks come through their widgets.
bool MainWindow::clickablePicture(const std::string& name) const {
    const ControlEntry* e = w_.findControl(name);
    return e != nullptr && std::holds_alternative<Picture*>(e->ref) && e->on.click != nullptr;
}

bool MainWindow::eventFilter(QObject* watched, QEvent* e) {
    const std::string name = watched->property("dxName").toString().toStdString();
    switch (e->type()) {
        case QEvent::Enter:
            forward([&] { w_.hover(name); });
            break;
        case QEvent::MouseButtonRelease:
            if (clickablePicture(name) && static_cast<QMouseEvent*>(e)->button() == Qt::LeftButton)
                forward([&] { w_.mouseClick(name); });
            break;
        case QEvent::MouseButtonDblClick:
            if (clickablePicture(name)) forward([&] { w_.mouseDoubleClick(name); });
            break;
        default:
            break;
    }
    return QMainWindow::eventFilter(watched, e);
}

void MainWindow::keyPressEvent(QKeyEvent* e) {
    // Keys that reach the window itself: no text field has the focus.
    if (e->key() == Qt::Key_Escape) {
        forward([this] { w_.escape(); });
        return;
    }
    QMainWindow::keyPressEvent(e);
}

void MainWindow::closeEvent(QCloseEvent* e) {
    if (!finished_) forward([this] { w_.close(); });
    // The window stays open unless the quit dialogue ended the program.
    if (finished_)
        e->accept();
    else
        e->ignore();
}

}  // namespace dx
