#pragma once

// How the control model's fonts, colours and pointers look on this system.

#include <QColor>
#include <QCursor>
#include <QFont>
#include <QString>

#include "platform/controls.h"

namespace dx {

// Points of the window's design are enlarged by this factor, so that the
// texts read well on today's screens beside the enlarged chart.
inline constexpr double kFontScale = 1.2;

// The family to use for a family the window names: the family itself when
// installed, else its metric-compatible or look-alike stand-in.
QString installedFamily(const std::string& family);
// The font drawn at `zoom` times its size (the window drawn smaller to fit a
// small screen).
QFont qtFont(const Font& font, double zoom = 1);

// Text shown for a caption in a font: the symbol font's "n" is its black square.
QString shownCaption(const std::string& caption, const Font& font);

inline QColor qtColor(Rgb c) { return QColor(c.r, c.g, c.b); }
Qt::CursorShape cursorShape(MousePointer p);

// Characters are counted as code points by the model and as UTF-16 units by
// Qt; these convert positions between the two.
int codePointIndex(const QString& text, int utf16Index);
int utf16Index(const QString& text, int codePoints);

}  // namespace dx
