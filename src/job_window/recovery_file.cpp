#include "recovery_file.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <atomic>

#include "job/job_file.h"

namespace {

constexpr const char* kSuffix = ".job.json";
constexpr const char* kOriginSuffix = ".origin";
constexpr const char* kLockSuffix = ".lock";

QString LockPathOf(const QString& path) {
    return path + QLatin1String(kLockSuffix);
}

// Written whole or not at all: a kill in the middle leaves the previous copy.
bool WriteWhole(const QString& path, const QByteArray& bytes, QString& error) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        error = file.errorString();
        return false;
    }
    return true;
}

}  // namespace

RecoveryFile::RecoveryFile(QString folder, QObject* parent)
    : QObject(parent), m_folder(std::move(folder)) {
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
    m_timer.setSingleShot(true);
    m_timer.setInterval(kDelayMs);
    connect(&m_timer, &QTimer::timeout, this, &RecoveryFile::flush);
}

RecoveryFile::~RecoveryFile() = default;

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
    m_waiting.emplace(job, originalPath);
    // Not restarted by later edits: steady typing is still written every so often.
    if (!m_timer.isActive()) m_timer.start();
}

bool RecoveryFile::writeNow(const balance4::job::Job& job, const QString& originalPath,
                            QString& error) {
    m_waiting.reset();
    m_timer.stop();
    // A failed write leaves the last good copy; the next edit tries again.
    if (originalPath != m_lastOrigin || !QFile::exists(m_path + QLatin1String(kOriginSuffix))) {
        if (!WriteWhole(m_path + QLatin1String(kOriginSuffix), originalPath.toUtf8(), error))
            return false;
        m_lastOrigin = originalPath;
    }
    try {
        return WriteWhole(m_path, QByteArray::fromStdString(balance4::job::FormatJobFile(job)),
                          error);
    } catch (const std::exception& exception) {
        error = QString::fromUtf8(exception.what());
        return false;
    }
}

void RecoveryFile::flush() {
    if (!m_waiting) return;
    const auto [job, origin] = std::move(*m_waiting);
    QString error;
    writeNow(job, origin, error);
}

void RecoveryFile::remove() {
    m_waiting.reset();
    m_timer.stop();
    QFile::remove(m_path);
    QFile::remove(m_path + QLatin1String(kOriginSuffix));
    m_lastOrigin.clear();
}
