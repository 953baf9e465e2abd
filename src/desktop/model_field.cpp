#include "desktop/model_field.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>

#include "desktop/look.h"

namespace dx {

bool movedByUser(Qt::FocusReason reason) {
    return reason == Qt::MouseFocusReason || reason == Qt::TabFocusReason ||
           reason == Qt::BacktabFocusReason || reason == Qt::ShortcutFocusReason;
}

ModelField::ModelField(const TextField& model, QWidget* parent) : QLineEdit(parent), model_(model) {
    setContextMenuPolicy(Qt::NoContextMenu);  // its Undo, Cut and Delete would edit on their own
    setDragEnabled(false);
    setAcceptDrops(false);
    connect(this, &QLineEdit::selectionChanged, this, [this] { reportSelection(); });
    connect(this, &QLineEdit::cursorPositionChanged, this, [this] { reportSelection(); });
}

void ModelField::showModel() {
    showing_ = true;
    const QString text = QString::fromStdString(model_.text());
    if (QLineEdit::text() != text) setText(text);
    const int start = utf16Index(text, model_.selStart());
    const int end = utf16Index(text, model_.selStart() + model_.selLength());
    if (end > start)
        setSelection(start, end - start);
    else
        setCursorPosition(start);
    showing_ = false;
}

void ModelField::reportSelection() {
    if (showing_ || !onSelect) return;
    const QString t = text();
    if (hasSelectedText()) {
        const int a = selectionStart();
        const int b = selectionEnd();
        onSelect(codePointIndex(t, a), codePointIndex(t, b) - codePointIndex(t, a));
    } else {
        onSelect(codePointIndex(t, cursorPosition()), 0);
    }
}

void ModelField::replaceText(const QString& text, int caret) {
    if (onReplace) onReplace(text);
    // The model leaves the caret at the end; put it where the edit was, as
    // long as the core kept the text.
    if (onSelect && QString::fromStdString(model_.text()) == text)
        onSelect(codePointIndex(text, caret), 0);
    showModel();
}

void ModelField::typeText(const QString& text) {
    for (char32_t c : text.toUcs4())
        if (c >= 32 && onKey) onKey(c);
}

void ModelField::keyPressEvent(QKeyEvent* e) {
    const auto mods = e->modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier);
    if (e->key() == Qt::Key_Escape) {
        if (onEscape) onEscape();
        return;
    }
    if (e->matches(QKeySequence::Paste)) {
        // A paste is one change of the whole text, with no key press.
        QString clip = QApplication::clipboard()->text();
        clip.remove(u'\r');
        clip = clip.section(u'\n', 0, 0);
        QString t = text();
        const int at = hasSelectedText() ? selectionStart() : cursorPosition();
        if (hasSelectedText()) t.remove(at, static_cast<int>(selectedText().size()));
        t.insert(at, clip);
        replaceText(t, at + static_cast<int>(clip.size()));
        return;
    }
    if (e->matches(QKeySequence::Copy)) {
        QLineEdit::keyPressEvent(e);
        return;
    }
    if (e->matches(QKeySequence::Cut)) {
        if (hasSelectedText()) {
            QApplication::clipboard()->setText(selectedText());
            if (onKey) onKey(8);
        }
        return;
    }
    if (e->key() == Qt::Key_Backspace && mods == Qt::NoModifier) {
        if (onKey) onKey(8);
        return;
    }
    if (e->key() == Qt::Key_Delete && mods == Qt::NoModifier) {
        // Delete raises no key press of its own, only the change of text.
        QString t = text();
        const int at = hasSelectedText() ? selectionStart() : cursorPosition();
        const int count = hasSelectedText() ? static_cast<int>(selectedText().size())
                          : at < t.size() && t[at].isHighSurrogate() ? 2
                                                                     : 1;
        if (at >= t.size() && !hasSelectedText()) return;
        t.remove(at, count);
        replaceText(t, at);
        return;
    }
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        if (onKey) onKey(13);
        return;
    }
    switch (e->key()) {
        case Qt::Key_Left:
        case Qt::Key_Right:
        case Qt::Key_Home:
        case Qt::Key_End:
            QLineEdit::keyPressEvent(e);  // moves the caret only; reported to the model
            return;
        default:
            break;
    }
    if (e->matches(QKeySequence::SelectAll)) {
        selectAll();
        return;
    }
    if ((mods & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) == 0 &&
        !e->text().isEmpty()) {
        typeText(e->text());
        return;
    }
    e->ignore();  // menu access keys and window shortcuts
}

void ModelField::inputMethodEvent(QInputMethodEvent* e) {
    typeText(e->commitString());
    e->accept();
}

void ModelField::focusInEvent(QFocusEvent* e) {
    // Qt selects the whole text when the focus comes by Tab; the model's
    // selection stays as it was.
    showing_ = true;
    QLineEdit::focusInEvent(e);
    showing_ = false;
    showModel();
    if (onFocus && movedByUser(e->reason())) onFocus();
}

void ModelField::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() == Qt::MiddleButton) return;  // the X11 selection paste would edit on its own
    QLineEdit::mouseReleaseEvent(e);
}

}  // namespace dx
