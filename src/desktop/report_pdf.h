#pragma once

// The doctor's report on paper: a vector PDF through QPdfWriter, or any
// paged device (a printer). Needs a QGuiApplication.

#include <QString>

#include "report/doctor_report.h"

class QPagedPaintDevice;

namespace dx {

// Paints every page of the report on the device; the number of pages.
int paintReport(const report::ReportContent& content, QPagedPaintDevice& device);
// Writes the report as a PDF file, atomically; false with the reason.
bool writeReportPdf(const report::ReportContent& content, const QString& path, QString* error);

}  // namespace dx
