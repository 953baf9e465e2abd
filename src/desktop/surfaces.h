#pragma once

// Picture boxes that draw what the control model holds: line shapes given in
// twips and pictures placed in twips, scaled to the widget's size.

#include <QDateTime>
#include <QImage>
#include <QSizeF>
#include <QWidget>
#include <string>
#include <vector>

#include "platform/controls.h"

class QSvgRenderer;

namespace dx {

struct Sprite {
    QSvgRenderer* art = nullptr;
    QRectF twips;  // where the picture stands, its own offset included
    bool visible = true;
};

class ModelSurface : public QWidget {
public:
    // twipSize: the box's size in twips. penPixels: screen pixels drawn for
    // one pixel of a line's width.
    ModelSurface(QSizeF twipSize, double penPixels, QWidget* parent);

    void setBack(Rgb back);
    // Line ends cut square, as a column drawn from several lines needs.
    void setFlatCaps(bool flat) { flatCaps_ = flat; }
    void setScene(std::vector<Sprite> sprites, std::vector<Line> lines);
    // The box's point in widget coordinates.
    QPointF toWidget(double x, double y) const;
    double penWidth(int modelWidth) const;

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QSizeF twips_;
    double penPixels_;
    QColor back_;
    bool flatCaps_ = false;
    std::vector<Sprite> sprites_;
    std::vector<Line> lines_;
};

// A picture: the project's artwork, or an image file when the model names
// one (the downloaded banner).
class PictureView : public QWidget {
public:
    PictureView(QSvgRenderer* builtin, QWidget* parent);
    // "builtin" for the artwork, else the path of an image file; a file
    // that cannot be read shows the artwork.
    void setImage(const std::string& image);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QSvgRenderer* builtin_;
    std::string image_ = "builtin";
    QDateTime stamp_;
    QImage file_;
};

}  // namespace dx
