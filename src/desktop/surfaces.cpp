#include "desktop/surfaces.h"

#include <QFileInfo>
#include <QPainter>
#include <QSvgRenderer>
#include <algorithm>

#include "desktop/look.h"

namespace dx {

ModelSurface::ModelSurface(QSizeF twipSize, double penPixels, QWidget* parent)
    : QWidget(parent), twips_(twipSize), penPixels_(penPixels), back_(Qt::black) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ModelSurface::setBack(Rgb back) {
    const QColor c = qtColor(back);
    if (c == back_) return;
    back_ = c;
    update();
}

namespace {

bool sameLines(const std::vector<Line>& a, const std::vector<Line>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const Line& p, const Line& q) {
        return p.x1 == q.x1 && p.y1 == q.y1 && p.x2 == q.x2 && p.y2 == q.y2 && p.color == q.color &&
               p.width == q.width && p.visible == q.visible;
    });
}

bool sameSprites(const std::vector<Sprite>& a, const std::vector<Sprite>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const Sprite& p, const Sprite& q) {
        return p.art == q.art && p.twips == q.twips && p.visible == q.visible;
    });
}

}  // namespace

void ModelSurface::setScene(std::vector<Sprite> sprites, std::vector<Line> lines) {
    // The window is set again after every tick; repaint only what changed.
    if (sameSprites(sprites, sprites_) && sameLines(lines, lines_)) return;
    sprites_ = std::move(sprites);
    lines_ = std::move(lines);
    update();
}

QPointF ModelSurface::toWidget(double x, double y) const {
    return {x * width() / twips_.width(), y * height() / twips_.height()};
}

double ModelSurface::penWidth(int modelWidth) const {
    // Painting is in logical pixels: Qt multiplies by the screen's pixel
    // ratio, so a line keeps its look on a high-density display.
    return std::max(1, modelWidth) * penPixels_;
}

void ModelSurface::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), back_);
    p.setRenderHint(QPainter::Antialiasing);
    for (const Sprite& s : sprites_) {
        if (!s.visible || s.art == nullptr) continue;
        const QPointF a = toWidget(s.twips.left(), s.twips.top());
        const QPointF b = toWidget(s.twips.right(), s.twips.bottom());
        s.art->render(&p, QRectF(a, b));
    }
    for (const Line& l : lines_) {
        if (!l.visible) continue;
        QPen pen(qtColor(l.color), penWidth(l.width), Qt::SolidLine,
                 flatCaps_ ? Qt::FlatCap : Qt::RoundCap, Qt::RoundJoin);
        p.setPen(pen);
        p.drawLine(toWidget(l.x1, l.y1), toWidget(l.x2, l.y2));
    }
}

PictureView::PictureView(QSvgRenderer* builtin, QWidget* parent)
    : QWidget(parent), builtin_(builtin) {}

void PictureView::setImage(const std::string& image) {
    // A new download may replace the file under the same name.
    const QString path = QString::fromStdString(image);
    const QDateTime stamp = image == "builtin" ? QDateTime() : QFileInfo(path).lastModified();
    if (image == image_ && stamp == stamp_) return;
    image_ = image;
    stamp_ = stamp;
    file_ = image == "builtin" ? QImage() : QImage(path);
    update();
}

void PictureView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.setRenderHint(QPainter::Antialiasing);
    if (!file_.isNull())
        p.drawImage(QRectF(rect()), file_);
    else if (builtin_ != nullptr)
        builtin_->render(&p, QRectF(rect()));
}

}  // namespace dx
