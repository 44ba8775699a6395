#include "manual_opener.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

bool DesktopManualOpener::open(const QString& fileName) {
    // The opener's answer alone proves nothing: xdg-open reports success for a missing file too.
    const QFileInfo file(fileName);
    if (!file.exists() || !file.isFile()) return false;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(file.absoluteFilePath()));
}
