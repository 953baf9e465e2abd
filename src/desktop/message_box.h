#pragma once

// The window's message boxes. A question with Yes and No has no escape
// answer: Escape and the close button of its title bar do nothing, so that
// "Do you want to save your data?" is never answered by accident. A box with
// OK closes on Escape as usual. Every box is wide enough for the window
// manager to show its whole title, which on the quit questions is the
// question itself.

#include <QMessageBox>
#include <string>

#include "platform/platform.h"

namespace dx {

// Room the window manager takes in a title bar besides the title: the
// window's icon, its buttons and the margins.
inline constexpr int kTitleBarRoom = 120;

// The width a title bar needs for `title`: the title in a bold version of
// the box's font (title bars use a bold font) and the manager's room.
int titleBarWidth(const QString& title, const QFont& font);

class MessageBox : public QMessageBox {
public:
    MessageBox(QWidget* parent, const std::string& title, const std::string& text,
               MsgButtons buttons, MsgIcon icon);

    // Shows the box, waits for the user and gives the answer.
    MsgAnswer ask();

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    bool question_;
};

}  // namespace dx
