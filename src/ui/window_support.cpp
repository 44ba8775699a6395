#include "window_support.h"

#include <QAbstractButton>
#include <QAbstractNativeEventFilter>
#include <QApplication>
#include <QEvent>
#include <QFontDatabase>
#include <QFrame>
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>
#include <QLabel>
#include <QLibraryInfo>
#include <QLocale>
#include <QPalette>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QTranslator>
#include <QWidget>
#include <QWindow>
#include <cstring>

#include "pictures.h"

void InstallFontSubstitutions() {
    QFont::insertSubstitutions("MS Sans Serif",
                               {"Liberation Sans", "Arimo", "DejaVu Sans Condensed"});
}

QString InstalledFamily(const QStringList& families) {
    const QStringList installed = QFontDatabase::families();
    for (const QString& family : families) {
        if (installed.contains(family, Qt::CaseInsensitive)) return family;
    }
    return families.value(0);
}

namespace {

// MS Sans Serif if the machine has it, else the substitute that the toolkit would take for it.
// Naming that face spares every font look-up a failed search for MS Sans Serif, and the list of
// fallback faces that the font configuration works out for it.
const QString& WindowFace() {
    static const QString face =
        InstalledFamily({"MS Sans Serif", "Liberation Sans", "Arimo", "DejaVu Sans Condensed"});
    return face;
}

}  // namespace

QTranslator* InstallQtTranslations(const QLocale& locale) {
    auto* translator = new QTranslator(qApp);
    if (!translator->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
        !QCoreApplication::installTranslator(translator)) {
        delete translator;
        return nullptr;
    }
    return translator;
}

QFont WindowFont(int pixelSize, bool bold, bool underline) {
    QFont font(WindowFace());
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    font.setUnderline(underline);
    return font;
}

QIcon ProgramIcon() {
    // Decoded when the program was built: reading the icon file costs more than the whole window.
    static const QIcon icon = [] {
        const QImage image = IconPicture();
        return image.isNull() ? QIcon() : QIcon(QPixmap::fromImage(image));
    }();
    return icon;
}

void SetUpWindow(QWidget* window, const char* name, const QString& caption, Qt::WindowFlags frame,
                 const QColor& background) {
    window->setObjectName(name);
    window->setWindowTitle(caption);
    window->setWindowFlags(frame);
    window->setWindowIcon(ProgramIcon());
    window->setFont(WindowFont(11));
    SetBackground(window, background);
}

void HideDefaultButtonOutsideButtons(QWidget* window) {
    // focusChanged comes after the focus events, in which Qt picks its default button.
    QObject::connect(qApp, &QApplication::focusChanged, window, [window](QWidget*, QWidget* now) {
        if (!now || now->window() != window || qobject_cast<QAbstractButton*>(now)) return;
        for (QPushButton* button : window->findChildren<QPushButton*>()) button->setDefault(false);
    });
}

void BringToFront(QWidget* window) {
    window->setWindowState((window->windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    window->raise();
    window->activateWindow();
    QWidget* modal = QApplication::activeModalWidget();
    if (modal && modal != window) {
        modal->raise();
        modal->activateWindow();
    }
}

namespace {

// The desktop's frame around a window, learnt from the first window that was shown; none before.
QMargins g_frameMargins;

// The top-left corner that centres the frame of a window with this client size on its screen.
void MoveFrameToCentre(QWidget* window) {
    QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    QRect frame(QPoint(), window->size().grownBy(g_frameMargins));
    frame.moveCenter(screen->availableGeometry().center());
    window->move(frame.topLeft());  // a top-level window's position is its frame's
}

// The frame is known only once the window is on the screen. If it differs from the one assumed,
// the window is centred again at its first exposure; later windows start with the frame learnt.
class FrameCentring : public QObject {
  public:
    explicit FrameCentring(QWidget* window) : QObject(window), m_window(window) {
        setObjectName(kName);
    }
    static constexpr const char* kName = "FrameCentring";

    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* handle = static_cast<QWindow*>(watched);
        if (event->type() != QEvent::Expose || !handle->isExposed()) return false;
        handle->removeEventFilter(this);
        const QMargins margins = handle->frameMargins();
        if (margins != g_frameMargins) {
            g_frameMargins = margins;
            MoveFrameToCentre(m_window);
        }
        return false;
    }

  private:
    QWidget* m_window;
};

// Watches the X11 events for the window gaining the input focus. The event's layout is the X
// protocol's: the code in the first byte (the top bit marks a sent event), the window in bytes 4
// to 7, the mode in byte 8.
class BlockedActivationFilter : public QObject, public QAbstractNativeEventFilter {
  public:
    BlockedActivationFilter(QWidget* window, std::function<void()> activated)
        : QObject(window), m_window(window), m_activated(std::move(activated)) {
        QCoreApplication::instance()->installNativeEventFilter(this);
    }
    ~BlockedActivationFilter() override {
        QCoreApplication::instance()->removeNativeEventFilter(this);
    }

    bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override {
        constexpr quint8 kFocusIn = 9;
        constexpr quint8 kNotifyGrab = 1, kNotifyUngrab = 2;  // passing focus changes of a grab
        if (type != "xcb_generic_event_t" || !m_window->isVisible()) return false;
        const auto* event = static_cast<const quint8*>(message);
        if ((event[0] & 0x7F) != kFocusIn || event[8] == kNotifyGrab || event[8] == kNotifyUngrab)
            return false;
        quint32 focused = 0;
        std::memcpy(&focused, event + 4, sizeof focused);
        QWindow* handle = m_window->windowHandle();
        if (!handle || focused != handle->winId() || !QApplication::activeModalWidget())
            return false;
        // Later, once the window states that came with this focus change are known: the desktop
        // also gives the focus to this window when the modal window above it is minimised.
        QTimer::singleShot(250, this, m_activated);
        return false;
    }

  private:
    QWidget* m_window;
    std::function<void()> m_activated;
};

}  // namespace

void OnBlockedActivation(QWidget* window, std::function<void()> activated) {
    new BlockedActivationFilter(window, std::move(activated));
}

void CenterOnScreen(QWidget* window) {
    MoveFrameToCentre(window);
    window->winId();  // the native window, to watch for its first exposure
    QWindow* handle = window->windowHandle();
    if (!handle) return;
    QObject* centring =
        window->findChild<QObject*>(FrameCentring::kName, Qt::FindDirectChildrenOnly);
    if (!centring) centring = new FrameCentring(window);
    handle->removeEventFilter(centring);
    handle->installEventFilter(centring);
}

void SetBackground(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    palette.setColor(QPalette::WindowText, Qt::black);
    palette.setColor(QPalette::Text, Qt::black);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

void SetFieldColours(QWidget* field) {
    QPalette palette = field->palette();
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::Text, Qt::black);
    field->setPalette(palette);
}

QFrame* MakePanel(const char* name, const QColor& colour, QWidget* parent) {
    auto* panel = new QFrame(parent);
    panel->setObjectName(name);
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setLineWidth(1);
    SetBackground(panel, colour);
    return panel;
}

namespace {

// Keeps a picture frame's pixmap at the frame's size, stretched from the whole picture as the
// frame itself would stretch it for painting. The frame then holds only the pixels it shows, and
// the pictures of a hidden window are scaled when it is first shown or drawn: a hidden window's
// frames get their size then.
class StretchToFrame : public QObject {
  public:
    StretchToFrame(QLabel* frame, Picture picture)
        : QObject(frame), m_frame(frame), m_picture(picture) {
        frame->installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == m_frame && event->type() == QEvent::Resize) fit();
        return false;
    }

  private:
    void fit() {
        const QSize size = m_frame->contentsRect().size() * m_frame->devicePixelRatio();
        if (size.isEmpty() || m_frame->pixmap().size() == size) return;
        m_frame->setPixmap(StretchedPicture(m_picture, size));
    }

    QLabel* m_frame;
    Picture m_picture;
};

}  // namespace

QLabel* MakeStretchedPicture(const char* name, const QRect& rect, Picture image, QWidget* parent) {
    auto* picture = new QLabel(parent);
    picture->setObjectName(name);
    picture->setGeometry(rect);
    picture->setScaledContents(true);
    new StretchToFrame(picture, image);
    return picture;
}
