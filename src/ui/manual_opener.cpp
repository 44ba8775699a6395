#include "manual_opener.h"

#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTimer>
#include <memory>

namespace {

// Readable by this user, tried for real: permission bits say nothing to root, and access() looks
// at the real, not the effective, user.
bool IsReadableFile(const QString& path) {
    if (!QFileInfo(path).isFile()) return false;
    QFile file(path);
    return file.open(QIODevice::ReadOnly);
}

}  // namespace

QString FindManual(const QString& fileName, const QString& programFolder) {
    const QDir program(programFolder);
    const QString candidates[] = {
        QDir::current().absoluteFilePath(fileName),
        program.absoluteFilePath(fileName),
        program.absoluteFilePath(QStringLiteral("../share/balance4/") + fileName),
    };
    for (const QString& path : candidates) {
        if (IsReadableFile(path)) return QFileInfo(path).absoluteFilePath();
    }
    return QString();
}

DesktopManualOpener::DesktopManualOpener(QString programFolder, QString launcher,
                                         int settleMilliseconds)
    : m_programFolder(std::move(programFolder)),
      m_launcher(std::move(launcher)),
      m_settleMilliseconds(settleMilliseconds) {}

DesktopManualOpener::~DesktopManualOpener() {
    // An opener still running belongs to a viewer the user is reading; the viewer stays open after
    // the program ends, so it is let go rather than killed with its QProcess.
    for (QProcess* process : findChildren<QProcess*>()) {
        if (process->state() == QProcess::NotRunning) continue;
        process->disconnect();
        process->setParent(nullptr);
    }
}

void DesktopManualOpener::open(const QString& fileName, Done done) {
    const QString programFolder =
        m_programFolder.isEmpty() ? QCoreApplication::applicationDirPath() : m_programFolder;
    const QString path = FindManual(fileName, programFolder);
    if (path.isEmpty()) {
        done(false);
        return;
    }

    // The answer is given once: by the opener's exit, by its failure to start, or by its still
    // running when the settle time is over.
    struct Request {
        Done Answer;
        bool Answered = false;
        void answer(bool opened) {
            if (Answered) return;
            Answered = true;
            Answer(opened);
        }
    };
    auto request = std::make_shared<Request>();
    request->Answer = std::move(done);

    auto* process = new QProcess(this);
    process->setProgram(m_launcher);
    process->setArguments({path});
    process->setStandardInputFile(QProcess::nullDevice());
    // Its failures are told in the message window; the program writes nothing of its own.
    process->setStandardOutputFile(QProcess::nullDevice());
    process->setStandardErrorFile(QProcess::nullDevice());
    // Its own session: the viewer does not end with the terminal the program was started from.
    process->setChildProcessModifier([] { ::setsid(); });

    auto* settle = new QTimer(process);
    settle->setSingleShot(true);
    connect(settle, &QTimer::timeout, process, [request] { request->answer(true); });
    connect(process, &QProcess::finished, this,
            [request, process](int exitCode, QProcess::ExitStatus status) {
                process->deleteLater();
                const bool opened = status == QProcess::NormalExit && exitCode == 0;
                // Answered from a fresh turn of the event loop: the answer may show a modal window.
                QTimer::singleShot(0, [request, opened] { request->answer(opened); });
            });
    connect(process, &QProcess::errorOccurred, this,
            [request, process](QProcess::ProcessError error) {
                if (error != QProcess::FailedToStart) return;
                process->deleteLater();
                QTimer::singleShot(0, [request] { request->answer(false); });
            });
    process->start();
    settle->start(m_settleMilliseconds);
}
