#pragma once

// The window's image on paper: the default printer, or a PDF file in the
// program's directory where no printer is configured.

#include <functional>
#include <string>

#include "platform/platform.h"

class QWidget;

namespace dx {

class DesktopPrinter : public Printer {
public:
    // window gives the widget to print, drawn as the control model stands at
    // the moment of the call; programDir ends with "/".
    DesktopPrinter(std::function<QWidget*()> window, std::string programDir);
    void printWindow() override;

    // Runs first: the front draws the control model as it stands now, since
    // the printout is taken in the middle of a handler (print colours on).
    std::function<void()> beforePrint;

    // The PDF file the last printout went to, "" when it went to a printer.
    const std::string& lastPdf() const { return lastPdf_; }

private:
    std::function<QWidget*()> window_;
    std::string programDir_;
    std::string lastPdf_;
};

}  // namespace dx
