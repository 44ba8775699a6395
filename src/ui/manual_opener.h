#pragma once
#include <QObject>
#include <QString>
#include <functional>

// Hands the user manual to the desktop's default viewer. Behind an interface so that tests never
// start a viewer.
class ManualOpener {
  public:
    // Told once whether the manual was opened; it may be told later, from the event loop.
    using Done = std::function<void(bool opened)>;

    virtual ~ManualOpener() = default;
    virtual void open(const QString& fileName, Done done) = 0;
};

// The manual as an installed program has it: the first readable regular file of that name in the
// working folder, beside the program, or in ../share/balance4/ from the program's folder. Empty
// when there is none.
QString FindManual(const QString& fileName, const QString& programFolder);

// The real one: runs the desktop's opener (xdg-open) on the manual and judges by its exit status,
// which is not zero when no viewer exists or the viewer could not open the file. The event loop
// is never blocked: an opener still running after a while has a viewer showing the file.
class DesktopManualOpener : public QObject, public ManualOpener {
    Q_OBJECT
  public:
    // Empty programFolder: the folder of the running program.
    explicit DesktopManualOpener(QString programFolder = QString(),
                                 QString launcher = QStringLiteral("xdg-open"),
                                 int settleMilliseconds = 10000);
    ~DesktopManualOpener() override;

    void open(const QString& fileName, Done done) override;

  private:
    QString m_programFolder;
    QString m_launcher;
    int m_settleMilliseconds;
};

inline constexpr const char* kManualFileName = "Ostrelin_manual.pdf";
