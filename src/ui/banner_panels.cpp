#include "banner_panels.h"

#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "window_colours.h"
#include "window_fonts.h"
#include "window_look.h"

namespace {

constexpr int kBottomPanelHeight = 60;

void Style(QLabel* label, BannerLook look) {
    QColor colour;
    switch (look) {
        case BannerLook::WindowText:
            label->setFont(WindowFont(19, true));
            break;
        case BannerLook::Title:
            label->setFont(WindowFont(32, true));
            colour = kYellow;
            break;
        case BannerLook::Line:
            label->setFont(WindowFont(24, true));
            colour = kYellow;
            break;
        case BannerLook::RedLine:
            label->setFont(WindowFont(24, true, true));
            colour = kRed;
            break;
        case BannerLook::Year:
            label->setFont(YearFont());
            colour = kYellow;
            break;
        case BannerLook::Address:
            label->setFont(WindowFont(16, true));
            colour = kMaroon;
            break;
        case BannerLook::Banner:
        case BannerLook::Picture:
            return;
    }
    if (!colour.isValid()) return;  // the panel's window-text colour
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
}

QLabel* MakeLabel(const BannerItem& item, QWidget* parent) {
    auto* label = new QLabel(QString::fromUtf8(item.Text), parent);
    label->setObjectName(item.Name);
    Style(label, item.Look);
    label->setAlignment(item.Align);
    if (item.Place.width() > 0) {
        label->setGeometry(item.Place);
    } else {
        label->move(item.Place.topLeft());
        label->adjustSize();
    }
    return label;
}

}  // namespace

BannerPanels::BannerPanels(QWidget* window, std::span<const BannerItem> items,
                           std::function<void()> panel2Resize)
    : QObject(window), m_table(items), m_panel2Resize(std::move(panel2Resize)) {
    Panel2 = MakePanel("Panel2", kBlue, window);
    Panel1 = MakePanel("Panel1", kBlue, window);
    Panel1->setFixedHeight(kBottomPanelHeight);
    auto* layout = new QVBoxLayout(window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(Panel2, 1);
    layout->addWidget(Panel1);

    for (const BannerItem& item : items) {
        const bool picture = item.Look == BannerLook::Banner || item.Look == BannerLook::Picture;
        m_items.insert(QString::fromLatin1(item.Name),
                       picture ? MakeStretchedPicture(item.Name, item.Place, item.Image, Panel2)
                               : MakeLabel(item, Panel2));
    }
    Panel1->installEventFilter(this);
    Panel2->installEventFilter(this);
}

QPushButton* BannerPanels::addButton(const char* name, const QString& caption, int left,
                                     int width) {
    auto* button = new QPushButton(caption, Panel1);
    button->setObjectName(name);
    button->setGeometry(left, 7, width, 45);
    button->setFont(WindowFont(19, true));
    // The focus is drawn in the highlight colour, which would vanish on the blue panel.
    QPalette palette = button->palette();
    palette.setColor(QPalette::Highlight, kYellow);
    button->setPalette(palette);
    return button;
}

void BannerPanels::layOut() {
    Panel1->parentWidget()->layout()->activate();
    // A hidden panel is told of its new size only when shown.
    followWidth();
    if (m_panel2Resize) m_panel2Resize();
}

bool BannerPanels::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Resize && (watched == Panel1 || watched == Panel2)) {
        followWidth();
        if (m_panel2Resize) m_panel2Resize();
    }
    return false;
}

void BannerPanels::followWidth() {
    const int width = Panel2->width();
    for (const BannerItem& item : m_table) {
        QLabel* label = m_items.value(QString::fromLatin1(item.Name));
        if (item.Look == BannerLook::Banner)
            label->resize(width - 2, label->height());
        else if (item.FollowsWidth)
            label->resize(width - 1, label->height());
    }
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
