#include "window_support.h"

#include <QEvent>
#include <QFontDatabase>
#include <QFrame>
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>
#include <QLabel>
#include <QPalette>
#include <QPixmap>
#include <QScreen>
#include <QWidget>

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

QFont WindowFont(int pixelSize, bool bold, bool underline) {
    QFont font(WindowFace());
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    font.setUnderline(underline);
    return font;
}

QIcon ProgramIcon() {
    static const QIcon icon = [] {
        // Read with the icon reader alone; by file name, every image plugin would be asked first.
        QImageReader reader(QStringLiteral(":/pictures/icon.ico"), "ico");
        reader.setAutoDetectImageFormat(false);
        const QImage image = reader.read();
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

void CenterOnScreen(QWidget* window) {
    QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    QRect frame = window->frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window->move(frame.topLeft());
}

void SetBackground(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
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

// Keeps a picture frame's pixmap at the frame's size, scaled from the whole picture as the frame
// itself would scale it for painting. The frame then holds only the pixels it shows, and the
// pictures of a hidden window are scaled when it is first shown or drawn: a hidden window's
// frames get their size then.
class StretchToFrame : public QObject {
  public:
    StretchToFrame(QLabel* frame, const QImage& picture)
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
        // From the pixel format a pixmap of the whole picture would have, for the same pixels.
        const QImage whole = QPixmap::fromImage(m_picture).toImage();
        m_frame->setPixmap(QPixmap::fromImage(
            whole.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)));
    }

    QLabel* m_frame;
    QImage m_picture;
};

}  // namespace

QLabel* MakeStretchedPicture(const char* name, const QRect& rect, const QImage& image,
                             QWidget* parent) {
    auto* picture = new QLabel(parent);
    picture->setObjectName(name);
    picture->setGeometry(rect);
    picture->setScaledContents(true);
    if (!image.isNull()) new StretchToFrame(picture, image);
    return picture;
}
