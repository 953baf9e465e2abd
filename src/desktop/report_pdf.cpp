#include "desktop/report_pdf.h"

#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>
#include <QSaveFile>
#include <algorithm>
#include <cmath>

#include "journal/datetext.h"
#include "platform/datetime.h"
#include "platform/text.h"
#include "report/report_texts.h"
#include "settings/units.h"

namespace dx {

namespace {

namespace T = report_texts;

QString qs(const std::string& s) { return QString::fromStdString(s); }

// The page is laid out in tenths of a millimetre; fonts are sized in the same unit.
constexpr double kFooter = 80;
constexpr double kGap = 60;
constexpr double kChartHeight = 620;
constexpr double kRowHeight = 46;

const QColor kBandColours[report::kRangeBands] = {QColor(139, 0, 0), QColor(220, 50, 47),
                                                  QColor(46, 139, 87), QColor(240, 180, 0),
                                                  QColor(230, 110, 20)};
const QColor kGrid(210, 210, 210);
const QColor kTargetShade(46, 139, 87, 28);

QFont fontOf(double size, bool bold = false) {
    QFont f(QStringLiteral("Liberation Sans"));
    f.setStyleHint(QFont::SansSerif);
    f.setPixelSize(static_cast<int>(size));
    f.setBold(bold);
    return f;
}

QString percentText(double p) { return QString::number(p, 'f', 0) + QStringLiteral(" %"); }

// The limits of the consensus target, in the report's unit.
std::pair<double, double> targetOf(int16_t unite) {
    return isMgDl(unite) ? std::pair(70.0, 180.0) : std::pair(3.9, 10.0);
}

// Paints page by page, top to bottom: each block asks for its height and
// starts a new page when the rest of this one cannot hold it.
class PageFlow {
public:
    PageFlow(QPagedPaintDevice& device, QPainter& painter, int16_t langue)
        : device_(device), p_(painter), langue_(langue) {
        const double perUnit = device.width() / (device.widthMM() * 10.0);
        p_.scale(perUnit, perUnit);
        size_ = QSizeF(device.widthMM() * 10.0, device.heightMM() * 10.0);
        footer();
    }

    QPainter& painter() { return p_; }
    double width() const { return size_.width(); }
    double y() const { return y_; }
    int pages() const { return page_; }
    void advance(double h) { y_ += h; }

    // True when a new page was begun to make room.
    bool reserve(double h) {
        if (y_ + h <= size_.height() - kFooter || y_ == 0) return false;
        device_.newPage();
        ++page_;
        y_ = 0;
        footer();
        return true;
    }

    void text(const QString& s, double size, bool bold = false, double gapAfter = 10) {
        p_.setFont(fontOf(size, bold));
        const double h = QFontMetricsF(p_.font()).height();
        reserve(h);
        p_.setPen(Qt::black);
        p_.drawText(QRectF(0, y_, width(), h), Qt::AlignLeft | Qt::AlignVCenter, s);
        y_ += h + gapAfter;
    }

private:
    void footer() {
        p_.setFont(fontOf(30));
        p_.setPen(Qt::darkGray);
        p_.drawText(QRectF(0, size_.height() - kFooter * 0.7, width(), kFooter * 0.7),
                    Qt::AlignRight | Qt::AlignBottom,
                    QString::fromUtf8(pick(T::kPage, langue_)) + QString::number(page_));
    }

    QPagedPaintDevice& device_;
    QPainter& p_;
    int16_t langue_;
    QSizeF size_;
    double y_ = 0;
    int page_ = 1;
};

void paintHeading(PageFlow& flow, const report::ReportContent& c) {
    flow.text(qs(c.title), 90, true, 20);
    flow.text(qs(c.periodText), 40);
    flow.text(qs(c.unitName), 40, false, kGap);
}

void paintFigures(PageFlow& flow, const report::ReportContent& c) {
    QPainter& p = flow.painter();
    const double labelWidth = flow.width() * 0.45;
    for (size_t i = 0; i < c.figures.size(); ++i) {
        flow.reserve(kRowHeight);
        const QRectF row(0, flow.y(), flow.width() * 0.8, kRowHeight);
        if (i % 2 == 0) p.fillRect(row, QColor(242, 242, 242));
        p.setPen(Qt::black);
        p.setFont(fontOf(34));
        p.drawText(
            row.adjusted(15, 0, 0, 0).intersected(QRectF(0, row.y(), labelWidth, kRowHeight)),
            Qt::AlignLeft | Qt::AlignVCenter, qs(c.figures[i].label));
        p.setFont(fontOf(34, true));
        p.drawText(QRectF(labelWidth, row.y(), row.width() - labelWidth, kRowHeight),
                   Qt::AlignLeft | Qt::AlignVCenter, qs(c.figures[i].value));
        flow.advance(kRowHeight);
    }
    if (c.stats.gmi) {
        flow.advance(10);
        flow.text(QString::fromUtf8(pick(T::kGmiNote, c.langue)), 28);
    }
    flow.advance(kGap);
}

// One bar of the five bands side by side, each labelled with its share, and
// a legend under it naming the bands and their limits.
void paintTimeInRange(PageFlow& flow, const report::ReportContent& c) {
    const double barHeight = 110, legendRow = 44;
    flow.reserve(60 + barHeight + 20 + legendRow * report::kRangeBands);
    flow.text(QString::fromUtf8(pick(T::kTimeInRange, c.langue)), 44, true);
    QPainter& p = flow.painter();
    const double top = flow.y();
    double x = 0;
    p.setFont(fontOf(30, true));
    for (int b = 0; b < report::kRangeBands; ++b) {
        const double w = flow.width() * c.stats.rangePercent[static_cast<size_t>(b)] / 100.0;
        if (w <= 0) continue;
        const QRectF part(x, top, w, barHeight);
        p.fillRect(part, kBandColours[b]);
        const QString label = percentText(c.stats.rangePercent[static_cast<size_t>(b)]);
        if (QFontMetricsF(p.font()).horizontalAdvance(label) + 10 < w) {
            p.setPen(b == 3 ? Qt::black : Qt::white);
            p.drawText(part, Qt::AlignCenter, label);
        }
        x += w;
    }
    p.setPen(Qt::black);
    p.drawRect(QRectF(0, top, flow.width(), barHeight));
    flow.advance(barHeight + 20);
    p.setFont(fontOf(30));
    for (int b = report::kRangeBands - 1; b >= 0; --b) {
        const double y = flow.y();
        p.fillRect(QRectF(0, y + 8, 30, 30), kBandColours[b]);
        p.setPen(Qt::black);
        const auto at = static_cast<size_t>(b);
        p.drawText(
            QRectF(50, y, flow.width() - 50, legendRow), Qt::AlignLeft | Qt::AlignVCenter,
            qs(c.rangeLabels[at]) + QStringLiteral(": ") + percentText(c.stats.rangePercent[at]));
        flow.advance(legendRow);
    }
    flow.advance(kGap);
}

// A chart's frame: the value axis from 0 to a round top over the target
// band shaded, and the drawing area it leaves.
struct ChartFrame {
    QRectF area;
    double top = 0;
    double yOf(double v) const { return area.bottom() - v / top * area.height(); }
};

double roundTop(double highest, int16_t unite) {
    const double step = isMgDl(unite) ? 50 : 2;
    return std::max(step, std::ceil(highest * 1.05 / step) * step);
}

ChartFrame paintChartFrame(PageFlow& flow, const QString& title, double highest, int16_t unite) {
    flow.reserve(60 + kChartHeight + 60);
    flow.text(title, 44, true);
    QPainter& p = flow.painter();
    const double left = 110;
    ChartFrame f;
    f.area = QRectF(left, flow.y() + 20, flow.width() - left - 10, kChartHeight - 20);
    f.top = roundTop(std::max(highest, targetOf(unite).second), unite);
    const auto [low, high] = targetOf(unite);
    p.fillRect(QRectF(f.area.left(), f.yOf(high), f.area.width(), f.yOf(low) - f.yOf(high)),
               kTargetShade);
    const double step = isMgDl(unite) ? (f.top > 300 ? 100 : 50) : (f.top > 16 ? 4 : 2);
    p.setFont(fontOf(26));
    for (double v = 0; v <= f.top + 1e-9; v += step) {
        p.setPen(kGrid);
        p.drawLine(QPointF(f.area.left(), f.yOf(v)), QPointF(f.area.right(), f.yOf(v)));
        p.setPen(Qt::black);
        p.drawText(QRectF(0, f.yOf(v) - 20, left - 15, 40), Qt::AlignRight | Qt::AlignVCenter,
                   QString::number(v));
    }
    p.drawText(QRectF(0, f.area.top() - 45, left + 200, 30), Qt::AlignLeft | Qt::AlignVCenter,
               QString::fromUtf8(unitName(unite)));
    p.setPen(Qt::black);
    p.drawRect(f.area);
    flow.advance(kChartHeight + 60);
    return f;
}

// A label under the time axis, centred on x.
void axisLabel(QPainter& p, const ChartFrame& f, double x, const QString& s) {
    p.setPen(Qt::black);
    p.drawLine(QPointF(x, f.area.bottom()), QPointF(x, f.area.bottom() + 10));
    p.drawText(QRectF(x - 150, f.area.bottom() + 10, 300, 40), Qt::AlignHCenter | Qt::AlignTop, s);
}

// The median of each hour as a line, the 25 to 75 % band shaded around it;
// hours without a test break both.
void paintProfile(PageFlow& flow, const report::ReportContent& c) {
    double highest = 0;
    for (const report::HourProfile& h : c.stats.profile)
        if (h.count > 0) highest = std::max(highest, h.p75);
    const ChartFrame f =
        paintChartFrame(flow, QString::fromUtf8(pick(T::kProfile, c.langue)), highest, c.unite);
    QPainter& p = flow.painter();
    auto xOf = [&](double hour) { return f.area.left() + hour / 24.0 * f.area.width(); };
    p.setRenderHint(QPainter::Antialiasing);
    size_t h = 0;
    while (h < 24) {
        if (c.stats.profile[h].count == 0) {
            ++h;
            continue;
        }
        QPolygonF upper, lower, median;
        for (; h < 24 && c.stats.profile[h].count > 0; ++h) {
            const report::HourProfile& hp = c.stats.profile[h];
            const double x = xOf(static_cast<double>(h) + 0.5);
            upper << QPointF(x, f.yOf(hp.p75));
            lower.prepend(QPointF(x, f.yOf(hp.p25)));
            median << QPointF(x, f.yOf(hp.median));
        }
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(70, 130, 180, 90));
        p.drawPolygon(upper + lower);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(25, 60, 120), 6));
        if (median.size() == 1)
            p.drawEllipse(median.first(), 6, 6);
        else
            p.drawPolyline(median);
    }
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setFont(fontOf(26));
    for (int hour = 0; hour <= 24; hour += 3)
        axisLabel(p, f, xOf(hour), QStringLiteral("%1:00").arg(hour, 2, 10, QLatin1Char('0')));
}

// Every test of the range at its day and time, joined oldest to newest.
void paintCurve(PageFlow& flow, const report::ReportContent& c) {
    double highest = 0;
    for (const report::CurvePoint& pt : c.curve) highest = std::max(highest, pt.value);
    const ChartFrame f =
        paintChartFrame(flow, QString::fromUtf8(pick(T::kCurve, c.langue)), highest, c.unite);
    QPainter& p = flow.painter();
    const double days = std::max<double>(1, static_cast<double>(c.range.last - c.range.first + 1));
    auto xOf = [&](int64_t day, int minute) {
        const double at = static_cast<double>(day - c.range.first) + minute / 1440.0;
        return f.area.left() + std::clamp(at / days, 0.0, 1.0) * f.area.width();
    };
    QPolygonF line;
    for (const report::CurvePoint& pt : c.curve)
        line << QPointF(xOf(pt.day, pt.minute), f.yOf(pt.value));
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(25, 60, 120), 4));
    p.drawPolyline(line);
    // Each test as a dot: a round pen's points, one call for the whole curve.
    p.setPen(QPen(QColor(25, 60, 120), 14, Qt::SolidLine, Qt::RoundCap));
    p.drawPoints(line);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setFont(fontOf(26));
    const int64_t stepDays = std::max<int64_t>(1, static_cast<int64_t>(std::ceil(days / 6)));
    for (int64_t d = c.range.first; d <= c.range.last + 1; d += stepDays)
        axisLabel(p, f, xOf(d, 0), qs(formatShortDate(DateTime::fromDays(d), "yyyy-MM-dd")));
}

// The columns of the test list: date, time, level, note (the rest of the line).
constexpr double kColumnStarts[] = {0, 260, 420, 600};

void paintTableRow(PageFlow& flow, const std::vector<std::string>& cells, bool header,
                   bool shaded) {
    QPainter& p = flow.painter();
    const QRectF row(0, flow.y(), flow.width(), kRowHeight);
    if (shaded) p.fillRect(row, QColor(242, 242, 242));
    const QFont font = fontOf(30, header);
    if (p.font() != font) p.setFont(font);
    p.setPen(Qt::black);
    const QFontMetricsF metrics(font);
    const double baseline = row.y() + (kRowHeight + metrics.ascent() - metrics.descent()) / 2;
    for (size_t i = 0; i < cells.size() && i < std::size(kColumnStarts); ++i) {
        const double x = kColumnStarts[i] + 10;
        QString text = qs(cells[i]);
        // Only the note, the last column, can be longer than its room.
        if (i + 1 == std::size(kColumnStarts))
            text = metrics.elidedText(text, Qt::ElideRight, flow.width() - x - 10);
        p.drawText(QPointF(x, baseline), text);
    }
    if (header) p.drawLine(row.bottomLeft(), row.bottomRight());
    flow.advance(kRowHeight);
}

// The list of tests over as many pages as it needs, its header on each.
void paintTestList(PageFlow& flow, const report::ReportContent& c) {
    flow.reserve(60 + 3 * kRowHeight);
    flow.text(QString::fromUtf8(pick(T::kTestList, c.langue)), 44, true);
    paintTableRow(flow, c.tableHeader, true, false);
    for (size_t i = 0; i < c.tableRows.size(); ++i) {
        if (flow.reserve(kRowHeight)) paintTableRow(flow, c.tableHeader, true, false);
        paintTableRow(flow, c.tableRows[i], false, i % 2 == 1);
    }
}

}  // namespace

int paintReport(const report::ReportContent& content, QPagedPaintDevice& device) {
    QPainter painter;
    if (!painter.begin(&device)) return 0;
    PageFlow flow(device, painter, content.langue);
    paintHeading(flow, content);
    paintFigures(flow, content);
    if (content.stats.count == 0) {
        flow.text(QString::fromUtf8(pick(T::kNoTestInRange, content.langue)), 40);
    } else {
        paintTimeInRange(flow, content);
        paintProfile(flow, content);
        paintCurve(flow, content);
        paintTestList(flow, content);
    }
    painter.end();
    return flow.pages();
}

bool writeReportPdf(const report::ReportContent& content, const QString& path, QString* error) {
    QSaveFile file(path);
    auto fail = [&](const QString& why) {
        if (error != nullptr) *error = why;
        return false;
    };
    if (!file.open(QIODevice::WriteOnly)) return fail(file.errorString());
    int pages = 0;
    {
        QPdfWriter writer(&file);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                         QMarginsF(15, 15, 15, 12), QPageLayout::Millimeter));
        writer.setResolution(300);
        writer.setTitle(qs(content.title));
        writer.setCreator(QStringLiteral("Dextrel"));
        pages = paintReport(content, writer);
    }
    if (pages == 0) {
        file.cancelWriting();
        return fail(QStringLiteral("the page could not be painted"));
    }
    if (!file.commit()) return fail(file.errorString());
    return true;
}

}  // namespace dx
