#include "desktop/desktop_shell.h"

#include <QDesktopServices>
#include <QStandardPaths>
#include <QUrl>

#include "banner/address.h"

namespace dx {

bool DesktopShell::openFile(const std::string& path) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(path)));
}

BrowserResult DesktopShell::openUrl(const std::string& url) {
    if (!isWebAddress(url)) return BrowserResult::Failed;
    const QUrl address(QString::fromStdString(url), QUrl::StrictMode);
    const QString scheme = address.scheme().toLower();
    if (!address.isValid() || address.host().isEmpty() ||
        (scheme != QLatin1String("http") && scheme != QLatin1String("https")))
        return BrowserResult::Failed;
    if (QDesktopServices::openUrl(address)) return BrowserResult::Opened;
    // Without xdg-open the desktop has no way to find a browser at all.
    if (QStandardPaths::findExecutable(QStringLiteral("xdg-open")).isEmpty())
        return BrowserResult::NotFound;
    return BrowserResult::Failed;
}

}  // namespace dx
