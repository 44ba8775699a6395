#pragma once
// The recovery copy of the job being edited, so that a crash or a kill loses at most the last
// moment's typing. Edits are written a short while after they begin (one write for a burst of
// keys), each write whole through a file renamed over the last, so the copy on disk is always
// some complete state of the job. Each running window has its own file in the program's data
// folder, locked while it runs; a file whose lock is free at start belongs to a window that ended
// without closing, and is offered back.
#include <QLockFile>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <memory>
#include <optional>

#include "job/job.h"

class RecoveryFile : public QObject {
    Q_OBJECT
  public:
    // How long after the first unsaved edit the copy is written.
    static constexpr int kDelayMs = 250;

    // `folder` empty: QStandardPaths::AppDataLocation + "/recovery".
    explicit RecoveryFile(QString folder = QString(), QObject* parent = nullptr);
    ~RecoveryFile() override;

    // Recovery files left by windows that are no longer running, newest first.
    QStringList orphans() const;
    // Reads an orphan back, with the path of the file the job came from (empty if none).
    static std::optional<balance4::job::Job> Read(const QString& path, QString& originalPath,
                                                  QString& error);
    static void Discard(const QString& path);

    // Keeps the job (and the path of the file it came from, if any) to be written shortly.
    void write(const balance4::job::Job& job, const QString& originalPath);
    // Writes now; false with `error` when it could not.
    bool writeNow(const balance4::job::Job& job, const QString& originalPath, QString& error);
    // Writes what is waiting now.
    void flush();
    // The job is saved or given up: no recovery is needed.
    void remove();

    QString path() const { return m_path; }
    QString folder() const { return m_folder; }

  private:
    QString m_folder;
    QString m_path;
    QString m_lastOrigin;
    std::unique_ptr<QLockFile> m_lock;
    std::optional<std::pair<balance4::job::Job, QString>> m_waiting;
    QTimer m_timer;
};
