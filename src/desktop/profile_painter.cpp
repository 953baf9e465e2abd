#include "desktop/profile_painter.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPolygonF>
#include <algorithm>
#include <cmath>

#include "report/profile_texts.h"
#include "settings/units.h"

namespace dx {

namespace {

namespace P = profile_texts;

const QColor kOuterBand(150, 185, 225);
const QColor kInnerBand(70, 120, 190);
const QColor kMedian(15, 40, 100);
const QColor kTarget(46, 139, 87, 40);
const QColor kTargetLine(46, 139, 87);
const QColor kGrid(215, 215, 215);
const QColor kSparse(120, 120, 120, 70);

QFont labelFont(double size) {
    QFont f(QStringLiteral("Liberation Sans"));
    f.setStyleHint(QFont::SansSerif);
    // The chart goes to PDF pages too, where hinting for a screen's pixels
    // only costs time.
    f.setHintingPreference(QFont::PreferNoHinting);
    f.setPixelSize(std::max(1, static_cast<int>(size)));
    return f;
}

struct Axes {
    QRectF plot;
    double top = 1;
    double x(double minute) const { return plot.left() + minute / (24.0 * 60) * plot.width(); }
    double y(double v) const { return plot.bottom() - std::min(v, top) / top * plot.height(); }
};

double highestDrawn(const report::ModalDay& day) {
    double highest = 0;
    for (const report::SlotBands& b : day)
        if (b.enough) highest = std::max(highest, b.p95);
    return highest;
}

// The runs of consecutive slots with enough readings, as [first, last].
std::vector<std::pair<int, int>> drawnRuns(const report::ModalDay& day) {
    std::vector<std::pair<int, int>> runs;
    for (int s = 0; s < report::kSlots; ++s) {
        if (!day[static_cast<size_t>(s)].enough) continue;
        if (!runs.empty() && runs.back().second == s - 1)
            runs.back().second = s;
        else
            runs.emplace_back(s, s);
    }
    return runs;
}

// A line through the slots' centres, running on to the outer edges of the
// run's first and last slots.
QPolygonF lineOf(const Axes& a, const report::ModalDay& day, std::pair<int, int> run,
                 double report::SlotBands::*member) {
    QPolygonF line;
    const double slot = report::kSlotMinutes;
    const auto value = [&](int s) { return day[static_cast<size_t>(s)].*member; };
    line << QPointF(a.x(run.first * slot), a.y(value(run.first)));
    for (int s = run.first; s <= run.second; ++s)
        line << QPointF(a.x((s + 0.5) * slot), a.y(value(s)));
    line << QPointF(a.x((run.second + 1) * slot), a.y(value(run.second)));
    return line;
}

QPolygonF bandOf(const Axes& a, const report::ModalDay& day, std::pair<int, int> run,
                 double report::SlotBands::*low, double report::SlotBands::*high) {
    QPolygonF upper = lineOf(a, day, run, high);
    const QPolygonF lower = lineOf(a, day, run, low);
    for (auto point = lower.rbegin(); point != lower.rend(); ++point) upper << *point;
    return upper;
}

void paintGrid(QPainter& p, const Axes& a, const ModalDayLook& look) {
    p.fillRect(QRectF(a.plot.left(), a.y(look.targetHigh), a.plot.width(),
                      a.y(look.targetLow) - a.y(look.targetHigh)),
               kTarget);
    const double step = isMgDl(look.unite) ? (a.top > 300 ? 100 : 50) : (a.top > 16 ? 4 : 2);
    p.setFont(labelFont(look.text));
    for (double v = 0; v <= a.top + 1e-9; v += step) {
        p.setPen(kGrid);
        p.drawLine(QPointF(a.plot.left(), a.y(v)), QPointF(a.plot.right(), a.y(v)));
        p.setPen(Qt::black);
        p.drawText(QRectF(a.plot.left() - 4 * look.text, a.y(v) - look.text, 3.6 * look.text,
                          2 * look.text),
                   Qt::AlignRight | Qt::AlignVCenter, QString::number(v));
    }
    p.setPen(QPen(kTargetLine, look.line / 3, Qt::DashLine));
    for (double v : {look.targetLow, look.targetHigh})
        p.drawLine(QPointF(a.plot.left(), a.y(v)), QPointF(a.plot.right(), a.y(v)));
    p.setPen(Qt::black);
    for (int hour = 0; hour <= 24; hour += 3) {
        const double x = a.x(hour * 60.0);
        p.drawLine(QPointF(x, a.plot.bottom()), QPointF(x, a.plot.bottom() + look.text / 3));
        p.drawText(QRectF(x - 3 * look.text, a.plot.bottom() + look.text / 3, 6 * look.text,
                          1.4 * look.text),
                   Qt::AlignHCenter | Qt::AlignTop,
                   QStringLiteral("%1:00").arg(hour, 2, 10, QLatin1Char('0')));
    }
}

void paintSparse(QPainter& p, const Axes& a, const report::ModalDay& day,
                 const ModalDayLook& look) {
    p.setFont(labelFont(look.text));
    const QString tooFew = QString::fromUtf8(pick(P::kTooFewShort, look.langue));
    for (const report::MinuteSpan& s : report::sparseSpans(day)) {
        const QRectF area(a.x(s.from), a.plot.top(), a.x(s.to) - a.x(s.from), a.plot.height());
        p.fillRect(area, QBrush(kSparse, Qt::BDiagPattern));
        if (QFontMetricsF(p.font()).horizontalAdvance(tooFew) + look.text < area.width()) {
            p.setPen(Qt::darkGray);
            p.drawText(area.adjusted(0, look.text / 2, 0, 0), Qt::AlignHCenter | Qt::AlignTop,
                       tooFew);
        }
    }
}

void paintBands(QPainter& p, const Axes& a, const report::ModalDay& day, const ModalDayLook& look) {
    using B = report::SlotBands;
    p.setRenderHint(QPainter::Antialiasing);
    for (const auto& run : drawnRuns(day)) {
        p.setPen(Qt::NoPen);
        p.setBrush(kOuterBand);
        p.drawPolygon(bandOf(a, day, run, &B::p5, &B::p95));
        p.setBrush(kInnerBand);
        p.drawPolygon(bandOf(a, day, run, &B::p25, &B::p75));
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(kMedian, look.line, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolyline(lineOf(a, day, run, &B::p50));
    }
    p.setRenderHint(QPainter::Antialiasing, false);
}

// The unit on the left above the axis, the legend on the right.
void paintLegend(QPainter& p, const QRectF& area, const ModalDayLook& look) {
    p.setFont(labelFont(look.text));
    p.setPen(Qt::black);
    const double h = 1.4 * look.text;
    p.drawText(QRectF(area.left(), area.top(), 10 * look.text, h), Qt::AlignLeft | Qt::AlignVCenter,
               QString::fromUtf8(unitName(look.unite)));
    const std::pair<const Bilingual*, QColor> items[] = {
        {&P::kLegendMedian, kMedian},
        {&P::kLegend25to75, kInnerBand},
        {&P::kLegend5to95, kOuterBand},
        {&P::kLegendTarget, kTargetLine},
    };
    const QFontMetricsF metrics(p.font());
    double x = area.right();
    for (auto item = std::rbegin(items); item != std::rend(items); ++item) {
        const QString label = QString::fromUtf8(pick(*item->first, look.langue));
        x -= metrics.horizontalAdvance(label);
        p.setPen(Qt::black);
        p.drawText(QRectF(x, area.top(), metrics.horizontalAdvance(label), h),
                   Qt::AlignLeft | Qt::AlignVCenter, label);
        x -= look.text * 1.3;
        p.fillRect(QRectF(x, area.top() + look.text * 0.25, look.text * 0.9, look.text * 0.9),
                   item->second);
        x -= look.text * 1.2;
    }
}

}  // namespace

double chartTop(double highest, int16_t unite) {
    const double step = isMgDl(unite) ? 50 : 2;
    return std::max(step, std::ceil(highest * 1.05 / step) * step);
}

void paintModalDay(QPainter& p, const QRectF& area, const report::ModalDay& day,
                   const ModalDayLook& look) {
    p.save();
    Axes a;
    a.plot = area.adjusted(4 * look.text, 2 * look.text, -look.text, -1.9 * look.text);
    a.top = chartTop(std::max(highestDrawn(day), look.targetHigh), look.unite);
    p.fillRect(a.plot, Qt::white);
    paintGrid(p, a, look);
    paintSparse(p, a, day, look);
    paintBands(p, a, day, look);
    paintLegend(p, area, look);
    p.setPen(Qt::black);
    p.setBrush(Qt::NoBrush);
    p.drawRect(a.plot);
    p.restore();
}

}  // namespace dx
