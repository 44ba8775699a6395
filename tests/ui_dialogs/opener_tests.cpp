#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <optional>

#include "manual_opener.h"

namespace {

// A stand-in for xdg-open: notes the path it was given and exits with a fixed status.
QString WriteLauncher(const QDir& folder, int exitStatus) {
    const QString path = folder.filePath("opener.sh");
    QFile script(path);
    if (!script.open(QIODevice::WriteOnly)) return QString();
    script.write(QString("#!/bin/sh\nprintf '%s' \"$1\" > \"$(dirname \"$0\")/opened\"\nexit %1\n")
                     .arg(exitStatus)
                     .toUtf8());
    script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                          QFile::ReadOther | QFile::ExeOther);
    return path;
}

void WriteManual(const QString& path) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly)) file.write("%PDF-1.4\n");
}

// Root reads every file whatever its mode: for the unreadable-file case the check runs as nobody.
class AsNobody {
  public:
    AsNobody() : m_switched(geteuid() == 0 && seteuid(65534) == 0) {}
    ~AsNobody() {
        if (m_switched && seteuid(0) != 0) qFatal("could not return to root");
    }
    // False when root could not become nobody, so every file stays readable.
    bool effective() const { return m_switched || geteuid() != 0; }

  private:
    bool m_switched;
};

}  // namespace

class OpenerTests : public QObject {
    Q_OBJECT
  private slots:
    void init();
    void cleanup();
    void desktopOpener_data();
    void desktopOpener();

  private:
    std::optional<QTemporaryDir> m_root;
    QString m_previousFolder;
};

void OpenerTests::init() {
    m_root.emplace();
    QVERIFY(m_root->isValid());
    QFile::setPermissions(m_root->path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                              QFile::ReadOther | QFile::ExeOther);
    m_previousFolder = QDir::currentPath();
}

void OpenerTests::cleanup() {
    QDir::setCurrent(m_previousFolder);
    m_root.reset();
}

// The folders: <root>/work (the working folder), <root>/bin (the program's), <root>/share/balance4.
void OpenerTests::desktopOpener_data() {
    QTest::addColumn<QString>("manualAt");  // relative to the root; "" for nowhere
    QTest::addColumn<QString>("kind");      // "file", "folder" or "unreadable"
    QTest::addColumn<int>("launcherExit");  // -1: no launcher installed
    QTest::addColumn<bool>("opened");
    QTest::addColumn<QString>("launchedWith");  // relative to the root; "" for not started

    const QString work = "work/Ostrelin_manual.pdf";
    QTest::newRow("in the working folder, viewer opens it") << work << "file" << 0 << true << work;
    QTest::newRow("beside the program, started from elsewhere")
        << "bin/Ostrelin_manual.pdf"
        << "file" << 0 << true << "bin/Ostrelin_manual.pdf";
    QTest::newRow("installed under share/balance4")
        << "share/balance4/Ostrelin_manual.pdf"
        << "file" << 0 << true << "share/balance4/Ostrelin_manual.pdf";
    QTest::newRow("missing: the opener is not started") << ""
                                                        << "file" << 0 << false << "";
    QTest::newRow("a folder of that name is no manual") << work << "folder" << 0 << false << "";
    QTest::newRow("unreadable: the opener is not started")
        << work << "unreadable" << 0 << false << "";
    QTest::newRow("no viewer for the file (xdg-open exits 3)")
        << work << "file" << 3 << false << work;
    QTest::newRow("the viewer fails to open it (xdg-open exits 4)")
        << work << "file" << 4 << false << work;
    QTest::newRow("no xdg-open at all") << work << "file" << -1 << false << "";
}

void OpenerTests::desktopOpener() {
    QFETCH(QString, manualAt);
    QFETCH(QString, kind);
    QFETCH(int, launcherExit);
    QFETCH(bool, opened);
    QFETCH(QString, launchedWith);

    const QDir root(m_root->path());
    for (const char* folder : {"work", "bin", "share/balance4"}) QVERIFY(root.mkpath(folder));
    QVERIFY(QDir::setCurrent(root.filePath("work")));
    if (kind == "folder") {
        QVERIFY(root.mkpath(manualAt));
    } else if (!manualAt.isEmpty()) {
        WriteManual(root.filePath(manualAt));
        if (kind == "unreadable") QFile::setPermissions(root.filePath(manualAt), {});
    }
    const QString launcher =
        launcherExit < 0 ? root.filePath("no-such-opener") : WriteLauncher(root, launcherExit);

    DesktopManualOpener opener(root.filePath("bin"), launcher);
    std::optional<bool> answer;
    {
        std::optional<AsNobody> user;
        if (kind == "unreadable") {
            user.emplace();
            if (!user->effective()) QSKIP("running as root, and nobody's user id is not available");
        }
        opener.open(kManualFileName, [&](bool result) { answer = result; });
    }
    QTRY_VERIFY(answer.has_value());
    QCOMPARE(*answer, opened);
    QFile launched(root.filePath("opened"));
    if (launchedWith.isEmpty()) {
        QVERIFY(!launched.exists());
    } else {
        QVERIFY(launched.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(launched.readAll()), root.filePath(launchedWith));
    }
}

QTEST_GUILESS_MAIN(OpenerTests)

#include "opener_tests.moc"
