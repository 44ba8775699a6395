// Preloaded into a Qt Widgets program by the start-up benchmark (LD_PRELOAD); the program itself
// has no switch for it. It registers with the application as it is constructed and watches every
// paint event:
//   - PROBE_ACTION unset or "exit": after the program's first paint is done, it reports the peak
//     resident memory and ends the process at once.
//   - PROBE_ACTION="key:<name>": after the first paint it sends the key (F1, F9) to the window
//     shown, then reports how long the next window took from the key to the end of its first
//     paint, and ends the process.
// Reports go to the file named by PROBE_REPORT (appended), one line "<peak KiB> <latency ms>".
// PROBE_GRAB=<file.png> also saves the window just painted, to compare how two builds look;
// PROBE_SMAPS=<file> copies the process's memory map with resident sizes, to see where memory goes.
#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QFile>
#include <QKeyEvent>
#include <QPixmap>
#include <QTimer>
#include <QWidget>

#include <unistd.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

long PeakResidentKiB() {
    std::FILE* status = std::fopen("/proc/self/status", "r");
    if (!status) return -1;
    char line[256];
    long kib = -1;
    while (std::fgets(line, sizeof line, status)) {
        if (std::strncmp(line, "VmHWM:", 6) == 0) kib = std::strtol(line + 6, nullptr, 10);
    }
    std::fclose(status);
    return kib;
}

[[noreturn]] void ReportAndExit(double latencyMs, QWidget* painted) {
    const char* path = std::getenv("PROBE_REPORT");
    std::FILE* out = path ? std::fopen(path, "a") : stderr;
    if (out) {
        std::fprintf(out, "%ld %.3f\n", PeakResidentKiB(), latencyMs);
        std::fflush(out);
    }
    if (const char* smaps = std::getenv("PROBE_SMAPS")) {
        QFile from("/proc/self/smaps");
        QFile to(QString::fromLocal8Bit(smaps));
        if (from.open(QIODevice::ReadOnly) && to.open(QIODevice::WriteOnly))
            to.write(from.readAll());
    }
    // After the report: grabbing allocates, and must not count in the peak.
    const char* grab = std::getenv("PROBE_GRAB");
    if (grab && painted) painted->grab().save(QString::fromLocal8Bit(grab));
    _exit(0);
}

class Probe : public QObject {
  public:
    explicit Probe(int key) : m_key(key) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Paint || !watched->isWidgetType()) return false;
        QWidget* window = static_cast<QWidget*>(watched)->window();
        if (m_firstWindow == nullptr) {
            m_firstWindow = window;
            // Queued: runs when the whole paint of this window is done and flushed.
            QTimer::singleShot(0, this, [this] { afterFirstPaint(); });
        } else if (m_keySent && !m_secondPainted && window != m_firstWindow) {
            m_secondPainted = true;
            QTimer::singleShot(0, this, [this, window] {
                ReportAndExit(m_sinceKey.nsecsElapsed() / 1e6, window);
            });
        }
        return false;
    }

  private:
    void afterFirstPaint() {
        if (m_key == 0) ReportAndExit(0, m_firstWindow);
        QWidget* focus =
            m_firstWindow->focusWidget() ? m_firstWindow->focusWidget() : m_firstWindow;
        m_keySent = true;
        m_sinceKey.start();
        // The key as the window system would deliver it: to the focused control of the window.
        QKeyEvent press(QEvent::KeyPress, m_key, Qt::NoModifier);
        QCoreApplication::sendEvent(focus, &press);
        // F9 opens the calculator modally and F1 the about window: their first paint happens
        // inside the nested event loop, and the report ends the process there.
    }

    int m_key;
    QWidget* m_firstWindow = nullptr;
    bool m_keySent = false;
    bool m_secondPainted = false;
    QElapsedTimer m_sinceKey;
};

void InstallProbe() {
    alarm(20);  // a program that never paints ends here instead of hanging the benchmark
    const char* action = std::getenv("PROBE_ACTION");
    int key = 0;
    if (action && std::strcmp(action, "key:F9") == 0) key = Qt::Key_F9;
    if (action && std::strcmp(action, "key:F1") == 0) key = Qt::Key_F1;
    qApp->installEventFilter(new Probe(key));
}

struct Registration {
    Registration() { qAddPreRoutine(InstallProbe); }
} registration;

}  // namespace
