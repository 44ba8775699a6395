#pragma once
// The recovery copy of the job being edited: written after every change, atomically, so that a
// crash or kill at any moment loses at most the last edit. Each running window has its own file in
// the program's data folder, locked while it runs; a file whose lock is free at start belongs to a
// window that ended without closing, and is offered back.
#include <QLockFile>
#include <QString>
#include <QStringList>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "job.h"

class RecoveryFile {
  public:
    // `folder` empty: QStandardPaths::AppDataLocation + "/recovery".
    explicit RecoveryFile(QString folder = QString());
    ~RecoveryFile();

    RecoveryFile(const RecoveryFile&) = delete;
    RecoveryFile& operator=(const RecoveryFile&) = delete;

    // Recovery files left by windows that are no longer running, newest first.
    QStringList orphans() const;
    // Reads an orphan back, with the path of the file the job came from (empty if none).
    static std::optional<balance4::job::Job> Read(const QString& path, QString& originalPath,
                                                  QString& error);
    static void Discard(const QString& path);

    // Writes the job (and the path of the file it came from, if any) in the background, one write
    // after another; a write waiting behind a running one is replaced by a newer one.
    void write(const balance4::job::Job& job, const QString& originalPath);
    // Writes now, on this thread; false with `error` when it could not.
    bool writeNow(const balance4::job::Job& job, const QString& originalPath, QString& error);
    // Waits for the background writes to end.
    void flush();
    // The job is saved or given up: no recovery is needed.
    void remove();

    QString path() const { return m_path; }
    QString folder() const { return m_folder; }

  private:
    struct Shared;

    QString m_folder;
    QString m_path;
    std::unique_ptr<QLockFile> m_lock;
    std::shared_ptr<Shared> m_shared;
};
