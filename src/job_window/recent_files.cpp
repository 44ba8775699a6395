#include "recent_files.h"

#include <QFileInfo>
#include <QSettings>

namespace {
constexpr const char* kKey = "recentFiles";
}  // namespace

QStringList RecentFiles::list() {
    return QSettings().value(kKey).toStringList();
}

void RecentFiles::add(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    QStringList files = list();
    files.removeAll(absolute);
    files.prepend(absolute);
    while (files.size() > kKept) files.removeLast();
    QSettings().setValue(kKey, files);
}

void RecentFiles::remove(const QString& path) {
    QStringList files = list();
    files.removeAll(path);
    QSettings().setValue(kKey, files);
}
