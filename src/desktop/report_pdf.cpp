#include "desktop/report_pdf.h"

#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <algorithm>
#include <cmath>

#include "desktop/profile_painter.h"
#include "platform/text.h"
#include "report/profile_texts.h"
#include "report/report_texts.h"
#include "settings/units.h"

namespace dx {

namespace {

namespace T = report_texts;
namespace P = profile_texts;

QString qs(const std::string& s) { return QString::fromStdString(s); }

// The page is laid out in tenths of a millimetre; fonts are sized in the same unit.
constexpr double kFooter = 80;
// Four sizes of text only: each size of a face costs the font engine a
// set-up whenever the page switches to it.
constexpr double kTitle = 80, kHeading = 40, kText = 30, kSmall = 24;
// The profile page uses the regular face only, headings and key figures in
// colour: each face a PDF holds is embedded whole, the bold one only with
// the list's header.
const QColor kHeadingColour(20, 45, 110);
constexpr double kGap = 60;
constexpr double kRowHeight = 46;

const QColor kBandColours[report::kRangeBands] = {QColor(139, 0, 0), QColor(220, 50, 47),
                                                  QColor(46, 139, 87), QColor(240, 180, 0),
                                                  QColor(230, 110, 20)};
const QColor kGrid(210, 210, 210);
const QColor kTargetShade(46, 139, 87, 28);

QFont fontOf(double size, bool bold = false) {
    QFont f(QStringLiteral("Liberation Sans"));
    f.setStyleHint(QFont::SansSerif);
    // Pages and charts are drawn as vectors: hinting for the screen's pixels
    // would only cost time.
    f.setHintingPreference(QFont::PreferNoHinting);
    f.setPixelSize(static_cast<int>(size));
    f.setBold(bold);
    return f;
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
        newPage();
        return true;
    }

    void newPage() {
        device_.newPage();
        ++page_;
        y_ = 0;
        footer();
    }

    // A line of text; a heading in the headings' colour.
    void text(const QString& s, double size, bool heading = false, double gapAfter = 10) {
        p_.setFont(fontOf(size));
        const double h = QFontMetricsF(p_.font()).height();
        reserve(h);
        p_.setPen(heading ? kHeadingColour : QColor(Qt::black));
        p_.drawText(QRectF(0, y_, width(), h), Qt::AlignLeft | Qt::AlignVCenter, s);
        y_ += h + gapAfter;
    }

private:
    void footer() {
        p_.setFont(fontOf(kText));
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

const QColor kGoalMet(30, 120, 60);
const QColor kGoalMissed(190, 30, 30);

QColor bandColour(report::RangeBand band) { return kBandColours[static_cast<int>(band)]; }

void paintHeading(PageFlow& flow, const report::ReportContent& c) {
    const report::ProfilePage& page = c.page;
    QPainter& p = flow.painter();
    const double top = flow.y();
    p.setFont(fontOf(kText));
    p.setPen(Qt::darkGray);
    p.drawText(QRectF(0, top, flow.width(), 60), Qt::AlignRight | Qt::AlignVCenter,
               qs(page.createdLine));
    flow.text(qs(page.title), kTitle, true, 14);
    if (!page.nameLine.empty()) flow.text(qs(page.nameLine), kHeading, true, 6);
    flow.text(qs(page.periodLine) + QStringLiteral("   ") + qs(c.unitName), kText, false, 20);
    p.setPen(QPen(Qt::black, 3));
    p.drawLine(QPointF(0, flow.y()), QPointF(flow.width(), flow.y()));
    flow.advance(kGap * 0.6);
}

// One bar stacking the five ranges, highest on top (a share above nothing
// keeps at least a hairline), each range's row beside it with its share and
// its goal, green when met.
void paintRangeGoals(PageFlow& flow, const report::ReportContent& c, double width) {
    QPainter& p = flow.painter();
    const double top = flow.y(), barWidth = 120, rowHeight = 96;
    p.setFont(fontOf(kHeading));
    p.setPen(kHeadingColour);
    p.drawText(QRectF(0, top, width, 56), Qt::AlignLeft | Qt::AlignVCenter,
               QString::fromUtf8(pick(P::kRanges, c.langue)));
    const double barTop = top + 70, barHeight = rowHeight * report::kRangeBands;
    double y = barTop;
    for (const report::RangeGoalRow& row : c.page.ranges) {
        const double h = barHeight * row.percent / 100.0;
        p.fillRect(QRectF(0, y, barWidth, std::max(h, row.percent > 0 ? 3.0 : 0.0)),
                   bandColour(row.band));
        y += h;
    }
    p.setPen(Qt::black);
    p.drawRect(QRectF(0, barTop, barWidth, barHeight));
    const double x = barWidth + 40;
    p.setFont(fontOf(kText));
    for (size_t i = 0; i < c.page.ranges.size(); ++i) {
        const report::RangeGoalRow& row = c.page.ranges[i];
        const double rowTop = barTop + rowHeight * static_cast<double>(i);
        p.fillRect(QRectF(x, rowTop + 14, 24, 24), bandColour(row.band));
        p.setPen(Qt::black);
        p.drawText(QRectF(x + 40, rowTop, width - x - 40, 50), Qt::AlignLeft | Qt::AlignVCenter,
                   qs(row.label));
        p.setPen(kHeadingColour);
        p.drawText(QRectF(x + 40, rowTop + 44, width - x - 40, 46),
                   Qt::AlignLeft | Qt::AlignVCenter, qs(row.share));
        p.setPen(row.met ? kGoalMet : kGoalMissed);
        p.drawText(QRectF(x + 40, rowTop, width - x - 40, 50), Qt::AlignRight | Qt::AlignVCenter,
                   qs(row.goal));
    }
}

void paintProfileFigures(PageFlow& flow, const report::ReportContent& c, double left) {
    QPainter& p = flow.painter();
    const double width = flow.width() - left, rowHeight = 66;
    double y = flow.y() + 70;
    for (size_t i = 0; i < c.page.figures.size(); ++i) {
        const QRectF row(left, y, width, rowHeight);
        if (i % 2 == 0) p.fillRect(row, QColor(242, 242, 242));
        p.setPen(Qt::black);
        p.setFont(fontOf(kText));
        p.drawText(row.adjusted(14, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
                   qs(c.page.figures[i].label));
        p.setPen(kHeadingColour);
        p.drawText(row.adjusted(0, 0, -14, 0), Qt::AlignRight | Qt::AlignVCenter,
                   qs(c.page.figures[i].value));
        y += rowHeight;
    }
    if (c.stats.gmi) {
        p.setFont(fontOf(kSmall));
        p.setPen(Qt::darkGray);
        p.drawText(QRectF(left, y + 10, width, 90), Qt::AlignLeft | Qt::TextWordWrap,
                   QString::fromUtf8(pick(T::kGmiNote, c.langue)));
    }
}

void paintModalDaySection(PageFlow& flow, const report::ReportContent& c) {
    constexpr double kModalHeight = 700;
    flow.text(QString::fromUtf8(pick(P::kModalDay, c.langue)), kHeading, true, 6);
    const ModalDayLook look{.text = kSmall,
                            .line = 7,
                            .unite = c.unite,
                            .langue = c.langue,
                            .targetLow = c.page.targetLow,
                            .targetHigh = c.page.targetHigh};
    paintModalDay(flow.painter(), QRectF(0, flow.y(), flow.width(), kModalHeight),
                  c.page.profile.modalDay, look);
    flow.advance(kModalHeight + 6);
    if (!c.page.sparseNote.empty()) flow.text(qs(c.page.sparseNote), kSmall, false, 4);
    flow.advance(kGap * 0.5);
}

// One day's readings joined in time order over the target band, in a cell.
void paintDay(QPainter& p, const QRectF& cell, const report::DailyProfile& day,
              const QString& label, const report::ReportContent& c, double top) {
    p.setPen(Qt::black);
    p.setFont(fontOf(kSmall));
    p.drawText(QRectF(cell.left(), cell.top(), cell.width(), 36),
               Qt::AlignHCenter | Qt::AlignVCenter, label);
    const QRectF area = cell.adjusted(0, 40, 0, 0);
    auto yOf = [&](double v) { return area.bottom() - std::min(v, top) / top * area.height(); };
    auto xOf = [&](int minute) { return area.left() + minute / 1440.0 * area.width(); };
    p.fillRect(area, Qt::white);
    p.fillRect(QRectF(area.left(), yOf(c.page.targetHigh), area.width(),
                      yOf(c.page.targetLow) - yOf(c.page.targetHigh)),
               kTargetShade);
    p.setPen(kGrid);
    p.drawLine(QPointF(xOf(720), area.top()), QPointF(xOf(720), area.bottom()));
    QPolygonF line;
    for (const report::DayReading& r : day.readings) line << QPointF(xOf(r.minute), yOf(r.value));
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(25, 60, 120), 4));
    p.drawPolyline(line);
    p.setPen(QPen(QColor(25, 60, 120), 10, Qt::SolidLine, Qt::RoundCap));
    p.drawPoints(line);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(Qt::darkGray);
    p.drawRect(area);
}

// The last days of the range, a week to a row, on one value scale.
void paintDailyProfiles(PageFlow& flow, const report::ReportContent& c) {
    const auto& daily = c.page.profile.daily;
    if (daily.empty()) return;
    flow.text(QString::fromUtf8(pick(P::kDaily, c.langue)), kHeading, true, 6);
    constexpr size_t kColumns = 7;
    constexpr double kCellHeight = 300, kCellGap = 20;
    const double cellWidth = (flow.width() - kCellGap * (kColumns - 1)) / kColumns;
    double highest = c.page.targetHigh;
    for (const report::DailyProfile& d : daily)
        for (const report::DayReading& r : d.readings) highest = std::max(highest, r.value);
    const double top = chartTop(highest, c.unite);
    for (size_t i = 0; i < daily.size(); ++i) {
        const auto column = static_cast<double>(i % kColumns);
        const auto row = static_cast<double>(i / kColumns);
        const QRectF cell(column * (cellWidth + kCellGap),
                          flow.y() + row * (kCellHeight + kCellGap), cellWidth, kCellHeight);
        paintDay(flow.painter(), cell, daily[i], qs(c.page.dailyLabels[i]), c, top);
    }
    const auto rows = static_cast<double>((daily.size() + kColumns - 1) / kColumns);
    flow.advance(rows * (kCellHeight + kCellGap));
}

// The one page a clinic reads: heading, ranges and figures side by side,
// the modal day, the last days one by one.
void paintProfilePage(PageFlow& flow, const report::ReportContent& c) {
    paintHeading(flow, c);
    if (c.stats.count == 0) {
        flow.text(QString::fromUtf8(pick(T::kNoTestInRange, c.langue)), kHeading);
        return;
    }
    const double split = flow.width() * 0.54;
    paintRangeGoals(flow, c, split - 40);
    paintProfileFigures(flow, c, split);
    flow.advance(70 + 96 * report::kRangeBands + kGap * 0.6);
    paintModalDaySection(flow, c);
    paintDailyProfiles(flow, c);
}

// The columns of the test list: date, time, level, note (the rest of the line).
constexpr double kColumnStarts[] = {0, 260, 420, 600};

void paintTableRow(PageFlow& flow, const std::vector<std::string>& cells, bool header,
                   bool shaded) {
    QPainter& p = flow.painter();
    const QRectF row(0, flow.y(), flow.width(), kRowHeight);
    if (shaded) p.fillRect(row, QColor(242, 242, 242));
    const QFont font = fontOf(kText, header);
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

// The list of tests as an appendix, on pages of its own, its header on each.
void paintTestList(PageFlow& flow, const report::ReportContent& c) {
    flow.newPage();
    flow.text(QString::fromUtf8(pick(P::kAppendix, c.langue)), kHeading, true);
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
    paintProfilePage(flow, content);
    if (content.withList && !content.tableRows.empty()) paintTestList(flow, content);
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
