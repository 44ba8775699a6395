#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include "manual_opener.h"

namespace {

// Stands in for the desktop's viewer of local files.
class FileViewer : public QObject {
    Q_OBJECT
  public slots:
    void open(const QUrl& url) { opened << url; }

  public:
    QList<QUrl> opened;
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
    QTemporaryDir m_folder;
    QString m_previousFolder;
};

void OpenerTests::init() {
    QVERIFY(m_folder.isValid());
    m_previousFolder = QDir::currentPath();
    QVERIFY(QDir::setCurrent(m_folder.path()));
}

void OpenerTests::cleanup() {
    QDir::setCurrent(m_previousFolder);
    QFile::remove(m_folder.filePath(kManualFileName));
    QDir(m_folder.path()).rmdir(kManualFileName);
}

void OpenerTests::desktopOpener_data() {
    QTest::addColumn<QString>("present");  // "file", "folder" or "" for nothing
    QTest::addColumn<bool>("viewer");      // whether the desktop takes the request
    QTest::addColumn<bool>("opened");

    QTest::newRow("file in the working folder, viewer takes it") << "file" << true << true;
    QTest::newRow("file missing: the viewer is not asked") << "" << true << false;
    QTest::newRow("a folder of that name is no manual") << "folder" << true << false;
    QTest::newRow("file present but the desktop refuses") << "file" << false << false;
}

void OpenerTests::desktopOpener() {
    QFETCH(QString, present);
    QFETCH(bool, viewer);
    QFETCH(bool, opened);

    if (present == "file") {
        QFile file(kManualFileName);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("%PDF-1.4\n");
    } else if (present == "folder") {
        QVERIFY(QDir().mkdir(kManualFileName));
    }
    // Offscreen, openUrl answers false when no handler is set, which is the refusing desktop.
    FileViewer fileViewer;
    if (viewer) QDesktopServices::setUrlHandler("file", &fileViewer, "open");
    const auto unset = qScopeGuard([] { QDesktopServices::unsetUrlHandler("file"); });

    DesktopManualOpener opener;
    QCOMPARE(opener.open(kManualFileName), opened);
    if (opened) {
        const QString expected = QDir(m_folder.path()).absoluteFilePath(kManualFileName);
        QCOMPARE(fileViewer.opened, QList<QUrl>{QUrl::fromLocalFile(expected)});
    } else if (present.isEmpty() || present == "folder") {
        QVERIFY(fileViewer.opened.isEmpty());
    }
}

int RunOpenerTests(int argc, char** argv) {
    OpenerTests tests;
    return QTest::qExec(&tests, argc, argv);
}

#include "opener_tests.moc"
