#include "desktop/message_box.h"

#include <QCloseEvent>
#include <QFontMetrics>
#include <QGridLayout>
#include <QKeyEvent>
#include <QSpacerItem>

namespace dx {

namespace {

QMessageBox::Icon qtIcon(MsgIcon icon) {
    switch (icon) {
        case MsgIcon::Critical:
            return QMessageBox::Critical;
        case MsgIcon::Exclamation:
            return QMessageBox::Warning;
        case MsgIcon::Information:
            return QMessageBox::Information;
        case MsgIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

}  // namespace

int titleBarWidth(const QString& title, const QFont& font) {
    QFont bold = font;
    bold.setBold(true);
    return QFontMetrics(bold).horizontalAdvance(title) + kTitleBarRoom;
}

MessageBox::MessageBox(QWidget* parent, const std::string& title, const std::string& text,
                       MsgButtons buttons, MsgIcon icon)
    : QMessageBox(parent), question_(buttons == MsgButtons::YesNo) {
    setWindowTitle(QString::fromStdString(title));
    setText(QString::fromStdString(text));
    setTextFormat(Qt::PlainText);
    setIcon(qtIcon(icon));
    if (question_) {
        setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        setDefaultButton(QMessageBox::Yes);
        // No close button in the title bar where the window manager honours it.
        setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    } else {
        setStandardButtons(QMessageBox::Ok);
    }
    // The box sizes itself on its layout's minimum width: an empty item
    // across the bottom holds it as wide as the title bar needs.
    if (auto* grid = qobject_cast<QGridLayout*>(layout()))
        grid->addItem(new QSpacerItem(titleBarWidth(windowTitle(), font()), 0, QSizePolicy::Minimum,
                                      QSizePolicy::Minimum),
                      grid->rowCount(), 0, 1, grid->columnCount());
}

MsgAnswer MessageBox::ask() {
    const int button = exec();
    if (!question_) return MsgAnswer::Ok;
    return button == QMessageBox::Yes ? MsgAnswer::Yes : MsgAnswer::No;
}

void MessageBox::keyPressEvent(QKeyEvent* e) {
    // Qt would take No as the escape answer of a Yes/No box by itself.
    if (question_ && e->matches(QKeySequence::Cancel)) {
        e->accept();
        return;
    }
    QMessageBox::keyPressEvent(e);
}

void MessageBox::closeEvent(QCloseEvent* e) {
    if (question_) {
        e->ignore();
        return;
    }
    QMessageBox::closeEvent(e);
}

}  // namespace dx
