// The recovery file under kill -9: a child edits a job as fast as it can and is killed at a random
// moment, many times; each time the file left behind reads back whole, as one of the child's edits,
// and a new window offers it back.
#include <QApplication>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>

#include <QMessageBox>
#include <QPushButton>

#include "job_controller.h"
#include "job_document.h"
#include "job_window.h"
#include "manual_opener.h"
#include "modal_driver.h"
#include "recovery_file.h"

namespace {

class NoManual : public ManualOpener {
  public:
    void open(const QString&, Done done) override { done(false); }
};

// Starts the writer, lets it edit for a while and kills it; false if it never got going.
bool KillWriterMidway(const QString& folder, int milliseconds) {
    QProcess writer;
    writer.start(QStringLiteral(RECOVERY_WRITER), {folder});
    if (!writer.waitForReadyRead(10000)) return false;
    if (milliseconds > 0) QThread::msleep(ulong(milliseconds));
    ::kill(pid_t(writer.processId()), SIGKILL);
    writer.waitForFinished(10000);
    return writer.exitStatus() == QProcess::CrashExit;
}

}  // namespace

class RecoveryKillTest : public QObject {
    Q_OBJECT

  private slots:
    void killedInMidSave() {
        QTemporaryDir folder;
        QRandomGenerator random(9);
        for (int round = 0; round < 40; ++round) {
            QVERIFY(KillWriterMidway(folder.path(), int(random.bounded(40))));
            RecoveryFile probe(folder.path());
            const QStringList orphans = probe.orphans();
            QCOMPARE(orphans.size(), 1);
            QString origin;
            QString error;
            const auto job = RecoveryFile::Read(orphans[0], origin, error);
            QVERIFY2(job, qPrintable(error));
            const std::string edit = job->Title.substr(job->Title.rfind(' ') + 1);
            QCOMPARE(job->Readings[4][7].Phase, edit);
            QCOMPARE(job->ControlRun[7].Phase, edit);
            QCOMPARE(origin, QStringLiteral("/tmp/работа.json"));
            RecoveryFile::Discard(orphans[0]);
        }
    }

    void offeredBackAfterACrash() {
        QTemporaryDir folder;
        QVERIFY(KillWriterMidway(folder.path(), 20));
        NoManual manual;
        JobWindow window(&manual, folder.path());
        window.document()->setAsynchronous(false);
        ModalDriver driver([](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            for (QAbstractButton* button : box ? box->buttons() : QList<QAbstractButton*>()) {
                if (button->text() == QStringLiteral("Восстановить")) button->click();
            }
            return box != nullptr;
        });
        window.controller()->offerRecovery();
        QCOMPARE(driver.Count, 1);
        const balance4::job::Job& job = window.document()->job();
        QVERIFY(job.Title.starts_with("правка "));
        QCOMPARE(job.Points, 8);
        // The control run typed before the crash comes back with the rest.
        QCOMPARE(job.ControlRun.size(), std::size_t(8));
        QVERIFY(window.document()->isModified());
        QVERIFY(window.isWindowModified());
        QCOMPARE(window.document()->path(), QStringLiteral("/tmp/работа.json"));
        // Offered once: the running window's own copy is not an orphan.
        window.document()->recovery()->flush();
        QCOMPARE(RecoveryFile(folder.path()).orphans().size(), 0);
    }
};

QTEST_MAIN(RecoveryKillTest)
#include "recovery_kill_test.moc"
