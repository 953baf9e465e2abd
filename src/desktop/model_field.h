#pragma once

// A text field that never edits its own text: every key, paste and cut goes
// to the core, which edits the model's field; the widget then shows the
// model's text, caret and selection. Caret moves and selections made with the
// mouse or the arrow keys are reported back to the model.

#include <QLineEdit>
#include <functional>

#include "platform/controls.h"

namespace dx {

// Whether a control got the keyboard focus from the user (a click, Tab, an
// access key) rather than from the window coming back to the front or from
// the front itself showing the model's focus. Only the user's moves go to the
// core.
bool movedByUser(Qt::FocusReason reason);

class ModelField : public QLineEdit {
public:
    ModelField(const TextField& model, QWidget* parent);

    std::function<void(char32_t)> onKey;            // a typed character, 8 for Backspace
    std::function<void(const QString&)> onReplace;  // the whole new text (paste, Delete)
    std::function<void(int, int)> onSelect;         // start and length, in code points
    std::function<void()> onFocus;
    std::function<void()> onEscape;

    // Shows the model's text, caret and selection.
    void showModel();

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void inputMethodEvent(QInputMethodEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    void typeText(const QString& text);
    void replaceText(const QString& text, int caret);
    void reportSelection();
    const TextField& model_;
    bool showing_ = false;
};

}  // namespace dx
