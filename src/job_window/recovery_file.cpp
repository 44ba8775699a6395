#include "recovery_file.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <atomic>
#include <condition_variable>
#include <exception>
#include <thread>

#include "atomic_file.h"
#include "job_file.h"

namespace {

constexpr const char* kSuffix = ".job.json";
constexpr const char* kOriginSuffix = ".origin";
constexpr const char* kLockSuffix = ".lock";

QString LockPathOf(const QString& path) {
    return path + QLatin1String(kLockSuffix);
}

}  // namespace

// The writer thread and what it is to write next.
struct RecoveryFile::Shared {
    std::mutex mutex;
    std::condition_variable wake;
    std::condition_variable idle;
    std::optional<std::pair<balance4::job::Job, std::string>> next;  // job, origin path
    bool writing = false;
    bool stop = false;
    std::string path;
    std::string lastOrigin;
    std::thread thread;

    void run() {
        std::unique_lock lock(mutex);
        for (;;) {
            wake.wait(lock, [this] { return stop || next; });
            if (!next) break;
            auto [job, origin] = std::move(*next);
            next.reset();
            writing = true;
            lock.unlock();
            std::string error;
            // A write that fails leaves the last good copy; nothing may end this thread.
            try {
                if (origin != lastOrigin) {
                    balance4::job::WriteFileAtomically(path + kOriginSuffix, origin, error);
                    lastOrigin = origin;
                }
                balance4::job::WriteFileAtomically(path, balance4::job::FormatJobFile(job), error);
            } catch (const std::exception&) {
            }
            lock.lock();
            writing = false;
            idle.notify_all();
        }
    }
};

RecoveryFile::RecoveryFile(QString folder) : m_folder(std::move(folder)) {
    if (m_folder.isEmpty()) {
        m_folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
                   QStringLiteral("/recovery");
    }
    QDir().mkpath(m_folder);
    // Unique per window: the process, the moment and the count of windows it made.
    static std::atomic<int> made{0};
    m_path = QDir(m_folder).filePath(QStringLiteral("%1-%2-%3%4")
                                         .arg(QCoreApplication::applicationPid())
                                         .arg(QDateTime::currentMSecsSinceEpoch())
                                         .arg(made++)
                                         .arg(QLatin1String(kSuffix)));
    m_lock = std::make_unique<QLockFile>(LockPathOf(m_path));
    m_lock->tryLock(0);
    m_shared = std::make_shared<Shared>();
    m_shared->path = QFile::encodeName(m_path).toStdString();
    m_shared->thread = std::thread([shared = m_shared.get()] { shared->run(); });
}

RecoveryFile::~RecoveryFile() {
    {
        std::lock_guard lock(m_shared->mutex);
        m_shared->stop = true;
    }
    m_shared->wake.notify_all();
    m_shared->thread.join();
}

QStringList RecoveryFile::orphans() const {
    QStringList found;
    const QFileInfoList files = QDir(m_folder).entryInfoList(
        {QStringLiteral("*") + QLatin1String(kSuffix)}, QDir::Files, QDir::Time);
    for (const QFileInfo& file : files) {
        if (file.absoluteFilePath() == QFileInfo(m_path).absoluteFilePath()) continue;
        // A lock still held belongs to a running window; a stale one (its process gone) is taken.
        QLockFile lock(LockPathOf(file.absoluteFilePath()));
        if (!lock.tryLock(0)) continue;
        lock.unlock();
        found << file.absoluteFilePath();
    }
    return found;
}

std::optional<balance4::job::Job> RecoveryFile::Read(const QString& path, QString& originalPath,
                                                     QString& error) {
    std::string message;
    std::optional<balance4::job::Job> job =
        balance4::job::LoadJobFile(QFile::encodeName(path).toStdString(), message);
    if (!job) error = QString::fromStdString(message);
    QFile origin(path + QLatin1String(kOriginSuffix));
    originalPath =
        origin.open(QIODevice::ReadOnly) ? QString::fromUtf8(origin.readAll()) : QString();
    return job;
}

void RecoveryFile::Discard(const QString& path) {
    QFile::remove(path);
    QFile::remove(path + QLatin1String(kOriginSuffix));
    QFile::remove(LockPathOf(path));
}

void RecoveryFile::write(const balance4::job::Job& job, const QString& originalPath) {
    {
        std::lock_guard lock(m_shared->mutex);
        m_shared->next.emplace(job, originalPath.toStdString());
    }
    m_shared->wake.notify_all();
}

bool RecoveryFile::writeNow(const balance4::job::Job& job, const QString& originalPath,
                            QString& error) {
    flush();
    std::lock_guard lock(m_shared->mutex);
    std::string message;
    const bool written = balance4::job::WriteFileAtomically(m_shared->path + kOriginSuffix,
                                                            originalPath.toStdString(), message) &&
                         balance4::job::WriteFileAtomically(
                             m_shared->path, balance4::job::FormatJobFile(job), message);
    m_shared->lastOrigin = originalPath.toStdString();
    if (!written) error = QString::fromStdString(message);
    return written;
}

void RecoveryFile::flush() {
    std::unique_lock lock(m_shared->mutex);
    m_shared->idle.wait(lock, [this] { return !m_shared->next && !m_shared->writing; });
}

void RecoveryFile::remove() {
    flush();
    QFile::remove(m_path);
    QFile::remove(m_path + QLatin1String(kOriginSuffix));
    std::lock_guard lock(m_shared->mutex);
    m_shared->lastOrigin.clear();
}
