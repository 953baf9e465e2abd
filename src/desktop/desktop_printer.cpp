#include "desktop/desktop_printer.h"

#include <QDateTime>
#include <QFileInfo>
#include <QPainter>
#include <QPixmap>
#include <QPrinter>
#include <QPrinterInfo>
#include <QWidget>

namespace dx {

namespace {

// "Dextrel-print-YYYYMMDD-HHMMSS.pdf", with a count added when a printout of
// the same second is already there.
QString freePdfName(const QString& folder) {
    const QString stem = folder + QStringLiteral("Dextrel-print-") +
                         QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString name = stem + QStringLiteral(".pdf");
    for (int n = 2; QFileInfo::exists(name); ++n) name = stem + QStringLiteral("-%1.pdf").arg(n);
    return name;
}

// The image centred on the page, as large as the page allows, proportions kept.
void paintScaled(QPrinter& printer, const QPixmap& image) {
    printer.setPageOrientation(image.width() > image.height() ? QPageLayout::Landscape
                                                              : QPageLayout::Portrait);
    QPainter painter;
    if (!painter.begin(&printer)) return;
    const QRect page = painter.viewport();
    QSize size = image.size();
    size.scale(page.size(), Qt::KeepAspectRatio);
    const QRect target(page.x() + (page.width() - size.width()) / 2,
                       page.y() + (page.height() - size.height()) / 2, size.width(), size.height());
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(target, image);
    painter.end();
}

}  // namespace

DesktopPrinter::DesktopPrinter(std::function<QWidget*()> window, std::string programDir)
    : window_(std::move(window)), programDir_(std::move(programDir)) {}

void DesktopPrinter::printWindow() {
    if (beforePrint) beforePrint();
    QWidget* widget = window_ ? window_() : nullptr;
    if (widget == nullptr) return;
    const QPixmap image = widget->grab();
    if (image.isNull()) return;
    const QPrinterInfo defaultPrinter = QPrinterInfo::defaultPrinter();
    if (!defaultPrinter.isNull()) {
        lastPdf_.clear();
        QPrinter printer(defaultPrinter, QPrinter::HighResolution);
        paintScaled(printer, image);
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    const QString file = freePdfName(QString::fromStdString(programDir_));
    printer.setOutputFileName(file);
    paintScaled(printer, image);
    lastPdf_ = file.toStdString();
}

}  // namespace dx
