#include "desktop/look.h"

#include <QFontDatabase>
#include <map>
#include <tuple>

namespace dx {

QString installedFamily(const std::string& family) {
    // Debian's fonts-comic-neue and fonts-liberation2 stand for the fonts of
    // the window's design; Liberation Sans has Arial's metrics.
    static const std::map<std::string, QString> kStandIns = {
        {"Comic Sans MS", "Comic Neue"},
        {"Arial", "Liberation Sans"},
        {"MS Sans Serif", "Liberation Sans"},
        {"Wingdings", "Liberation Sans"},
    };
    const QString name = QString::fromStdString(family);
    if (QFontDatabase::hasFamily(name)) return name;
    const auto it = kStandIns.find(family);
    if (it != kStandIns.end() && QFontDatabase::hasFamily(it->second)) return it->second;
    return QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
}

QFont qtFont(const Font& font, double zoom) {
    // Looking a family up asks fontconfig; every render asks for the same few fonts.
    static std::map<std::tuple<std::string, double, bool>, QFont> cache;
    const double points = font.size * kFontScale * zoom;
    const auto key = std::make_tuple(font.name, points, font.bold);
    const auto it = cache.find(key);
    if (it != cache.end()) return it->second;
    QFont f(installedFamily(font.name));
    f.setPointSizeF(points);
    f.setBold(font.bold);
    cache.emplace(key, f);
    return f;
}

QString shownCaption(const std::string& caption, const Font& font) {
    if (font.name == "Wingdings" && caption == "n") return QStringLiteral("\u25A0");
    return QString::fromStdString(caption);
}

Qt::CursorShape cursorShape(MousePointer p) {
    switch (p) {
        case MousePointer::Custom:
            return Qt::PointingHandCursor;
        case MousePointer::Hourglass:
            return Qt::WaitCursor;
        case MousePointer::Default:
            break;
    }
    return Qt::ArrowCursor;
}

int codePointIndex(const QString& text, int utf16Index) {
    return static_cast<int>(QStringView(text).left(utf16Index).toUcs4().size());
}

int utf16Index(const QString& text, int codePoints) {
    int units = 0;
    for (int cp = 0; cp < codePoints && units < text.size(); ++cp)
        units += text[units].isHighSurrogate() && units + 1 < text.size() ? 2 : 1;
    return units;
}

}  // namespace dx
