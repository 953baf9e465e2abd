#include "desktop/model_scrollbar.h"

#include <QApplication>
#include <QKeyEvent>
#include <QProxyStyle>
#include <QSignalBlocker>
#include <QStyleFactory>
#include <QWheelEvent>
#include <cstdlib>

#include "desktop/model_field.h"

namespace dx {

namespace {

// A click in the trough moves by one large step whatever the desktop's
// style prefers (some jump to the place clicked).
class TroughPagesStyle : public QProxyStyle {
public:
    // Over a copy of the application's own style.
    TroughPagesStyle() : QProxyStyle(QStyleFactory::create(QApplication::style()->name())) {}
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == SH_ScrollBar_LeftClickAbsolutePosition) return 0;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

// One notch of an ordinary mouse wheel, in eighths of a degree.
constexpr int kNotch = 120;

}  // namespace

ModelScrollbar::ModelScrollbar(const Scrollbar& model, QWidget* parent)
    : QScrollBar(Qt::Horizontal, parent), model_(model) {
    auto* style = new TroughPagesStyle;
    style->setParent(this);
    setStyle(style);
    // The keys need the focus; a click gives it, Tab never lands here.
    setFocusPolicy(Qt::ClickFocus);
    // The thumb moves freely while held; its value is asked for when let go.
    setTracking(false);
    connect(this, &QAbstractSlider::actionTriggered, this, [this](int a) { takeAction(a); });
}

void ModelScrollbar::showModel() {
    const QSignalBlocker quiet(this);
    setEnabled(model_.enabled);
    setVisible(model_.visible);
    // A held thumb stays under the mouse: a timer tick in the middle of a
    // drag must not put it back.
    if (isSliderDown()) return;
    setRange(model_.min, model_.max);
    setSingleStep(model_.smallChange);
    setPageStep(model_.largeChange);
    setValue(model_.value());
}

// Qt has already moved the thumb by its own reckoning; the move is taken
// back and the core is asked for the value the model's steps give.
void ModelScrollbar::takeAction(int action) {
    int value = model_.value();
    switch (action) {
        case SliderSingleStepSub:
            value = model_.stepped(-1, false);
            break;
        case SliderSingleStepAdd:
            value = model_.stepped(+1, false);
            break;
        case SliderPageStepSub:
            value = model_.stepped(-1, true);
            break;
        case SliderPageStepAdd:
            value = model_.stepped(+1, true);
            break;
        case SliderToMinimum:
            value = model_.min;
            break;
        case SliderToMaximum:
            value = model_.max;
            break;
        case SliderMove:
            value = sliderPosition();
            break;
        default:
            return;
    }
    setSliderPosition(model_.value());
    ask(value);
}

void ModelScrollbar::ask(int value) {
    if (onMove) onMove(value);
    showModel();
}

void ModelScrollbar::keyPressEvent(QKeyEvent* e) {
    switch (e->key()) {
        case Qt::Key_Left:
        case Qt::Key_Up:
            ask(model_.stepped(-1, false));
            break;
        case Qt::Key_Right:
        case Qt::Key_Down:
            ask(model_.stepped(+1, false));
            break;
        case Qt::Key_PageUp:
            ask(model_.stepped(-1, true));
            break;
        case Qt::Key_PageDown:
            ask(model_.stepped(+1, true));
            break;
        case Qt::Key_Home:
            ask(model_.min);
            break;
        case Qt::Key_End:
            ask(model_.max);
            break;
        case Qt::Key_Escape:
            if (onEscape) onEscape();
            break;
        default:
            e->ignore();  // menu access keys and window shortcuts
            return;
    }
    e->accept();
}

// Turning the wheel away from the user (or tilting it left) goes back in
// time, one small step per notch; a fine-grained wheel adds up its turns.
void ModelScrollbar::wheelEvent(QWheelEvent* e) {
    const QPoint angle = e->angleDelta();
    wheelAngle_ += std::abs(angle.x()) > std::abs(angle.y()) ? angle.x() : angle.y();
    while (std::abs(wheelAngle_) >= kNotch) {
        const int direction = wheelAngle_ > 0 ? -1 : +1;
        wheelAngle_ += direction * kNotch;
        ask(model_.stepped(direction, false));
    }
    e->accept();
}

void ModelScrollbar::focusInEvent(QFocusEvent* e) {
    QScrollBar::focusInEvent(e);
    if (onFocus && movedByUser(e->reason())) onFocus();
}

}  // namespace dx
