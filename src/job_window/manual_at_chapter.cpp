#include "manual_at_chapter.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTimer>
#include <QUrl>
#include <memory>

void ChapterManualOpener::open(const QString& fileName, Done done) {
    openAt(fileName, QString(), [done](const ManualOpening& opening) {
        done(opening.What == ManualOpening::Outcome::AtChapter ||
             opening.What == ManualOpening::Outcome::AtFirstPage);
    });
}

int NamedDestinationPage(const QByteArray& pdf, const QByteArray& destination) {
    if (destination.isEmpty()) return 0;
    // "(job) [ 308 0 R /XYZ …" in the name tree: the page object's number.
    const QRegularExpression named(
        QStringLiteral("\\(%1\\)\\s*\\[\\s*(\\d+)\\s+0\\s+R")
            .arg(QRegularExpression::escape(QString::fromLatin1(destination))));
    const QString text = QString::fromLatin1(pdf);
    const QRegularExpressionMatch at = named.match(text);
    if (!at.hasMatch()) return 0;
    const QString page = at.captured(1);
    // The page tree's kids in reading order; the typesetter writes one flat list.
    const QRegularExpression kids(
        QStringLiteral("/Type\\s*/Pages\\b[^>]*?/Kids\\s*\\[([^\\]]*)\\]"));
    const QRegularExpressionMatch list = kids.match(text);
    if (!list.hasMatch()) return 0;
    const QRegularExpression reference(QStringLiteral("(\\d+)\\s+0\\s+R"));
    int index = 0;
    for (auto it = reference.globalMatch(list.captured(1)); it.hasNext();) {
        ++index;
        if (it.next().captured(1) == page) return index;
    }
    return 0;
}

QStringList ViewerCommandAt(const QString& desktopEntry, const QString& path,
                            const QString& destination, int page) {
    const QString entry = desktopEntry.toLower();
    const QString number = QString::number(page);
    if (entry.contains(QLatin1String("evince")) && !destination.isEmpty())
        return {QStringLiteral("evince"), QStringLiteral("--named-dest=") + destination, path};
    if (page <= 0) return {};
    if (entry.contains(QLatin1String("okular")))
        return {QStringLiteral("okular"), QStringLiteral("--page"), number, path};
    if (entry.contains(QLatin1String("atril")))
        return {QStringLiteral("atril"), QStringLiteral("--page-label=") + number, path};
    if (entry.contains(QLatin1String("xreader")))
        return {QStringLiteral("xreader"), QStringLiteral("--page-label=") + number, path};
    if (entry.contains(QLatin1String("zathura")))
        return {QStringLiteral("zathura"), QStringLiteral("--page=") + number, path};
    if (entry.contains(QLatin1String("qpdfview")))
        return {QStringLiteral("qpdfview"), path + QLatin1Char('#') + number};
    if (entry.contains(QLatin1String("mupdf"))) return {QStringLiteral("mupdf"), path, number};
    if (entry.contains(QLatin1String("firefox"))) {
        QUrl url = QUrl::fromLocalFile(path);
        url.setFragment(destination.isEmpty() ? QStringLiteral("page=") + number
                                              : QStringLiteral("nameddest=") + destination);
        return {QStringLiteral("firefox"), url.toString(QUrl::FullyEncoded)};
    }
    if (entry.contains(QLatin1String("chromium"))) {
        QUrl url = QUrl::fromLocalFile(path);
        url.setFragment(QStringLiteral("page=") + number);
        return {QStringLiteral("chromium"), url.toString(QUrl::FullyEncoded)};
    }
    return {};
}

DesktopChapterOpener::DesktopChapterOpener(QObject* parent) : QObject(parent) {}

void DesktopChapterOpener::openAt(const QString& fileName, const QString& destination,
                                  Opened done) {
    const QString path = FindManual(fileName, QCoreApplication::applicationDirPath());
    if (path.isEmpty()) {
        done({ManualOpening::Outcome::NoManual, 0});
        return;
    }
    int page = 0;
    QFile file(path);
    if (file.open(QIODevice::ReadOnly))
        page = NamedDestinationPage(file.readAll(), destination.toLatin1());

    // The desktop's viewer is asked for without blocking the window; a missing xdg-mime leaves
    // page 1 through the opener.
    auto* query = new QProcess(this);
    auto answered = std::make_shared<bool>(false);
    const auto fallBack = [this, fileName, page, done] {
        m_firstPage.open(fileName, [page, done](bool opened) {
            done({opened ? ManualOpening::Outcome::AtFirstPage : ManualOpening::Outcome::NoViewer,
                  page});
        });
    };
    connect(query, &QProcess::finished, this,
            [query, answered, path, destination, page, done, fallBack](
                int exitCode, QProcess::ExitStatus status) {
                query->deleteLater();
                if (*answered) return;
                *answered = true;
                const QString entry =
                    status == QProcess::NormalExit && exitCode == 0
                        ? QString::fromLocal8Bit(query->readAllStandardOutput()).trimmed()
                        : QString();
                const QStringList command = ViewerCommandAt(entry, path, destination, page);
                if (!command.isEmpty() &&
                    !QStandardPaths::findExecutable(command.first()).isEmpty() &&
                    QProcess::startDetached(command.first(), command.mid(1))) {
                    done({ManualOpening::Outcome::AtChapter, page});
                    return;
                }
                fallBack();
            });
    connect(query, &QProcess::errorOccurred, this,
            [this, query, answered, fallBack](QProcess::ProcessError error) {
                if (error != QProcess::FailedToStart || *answered) return;
                *answered = true;
                query->deleteLater();
                QTimer::singleShot(0, this, fallBack);
            });
    query->setStandardInputFile(QProcess::nullDevice());
    query->setStandardErrorFile(QProcess::nullDevice());
    query->start(QStringLiteral("xdg-mime"), {QStringLiteral("query"), QStringLiteral("default"),
                                              QStringLiteral("application/pdf")});
}
