#pragma once
// The last job files opened or saved, newest first, kept in the program's settings.
#include <QStringList>

class RecentFiles {
  public:
    static constexpr int kKept = 8;

    static QStringList list();
    static void add(const QString& path);
    static void remove(const QString& path);
};
