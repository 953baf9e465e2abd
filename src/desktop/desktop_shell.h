#pragma once

// The system's viewer for the journal and its browser for the banner's link,
// through the desktop's URL opener.

#include "platform/platform.h"

namespace dx {

class DesktopShell : public Shell {
public:
    bool openFile(const std::string& path) override;
    // Only http and https addresses are handed over; anything else is
    // Failed. NotFound when the desktop has no URL opener at all.
    BrowserResult openUrl(const std::string& url) override;
};

}  // namespace dx
