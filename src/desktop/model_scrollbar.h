#pragma once

// A scrollbar that never moves on its own: every gesture asks the core for a
// value, worked out from the model's value and steps, and the widget then
// shows the model's value. An arrow click, an arrow key and a notch of the
// wheel ask for one small step; a trough click and Page Up / Page Down for
// one large step; Home and End for the ends; a drag of the thumb for the
// value where it is let go. Nothing is asked while the thumb is held, and
// the model's value is not shown over a held thumb.

#include <QScrollBar>
#include <functional>

#include "platform/controls.h"

namespace dx {

class ModelScrollbar : public QScrollBar {
public:
    ModelScrollbar(const Scrollbar& model, QWidget* parent);

    std::function<void(int)> onMove;  // the value the user asks for
    std::function<void()> onFocus;
    std::function<void()> onEscape;

    // Shows the model's range, steps, value and state.
    void showModel();

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;

private:
    void takeAction(int action);
    void ask(int value);

    const Scrollbar& model_;
    int wheelAngle_ = 0;  // eighths of a degree turned since the last notch
};

}  // namespace dx
