#include "Unit0.h"

#include <QCloseEvent>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include "Unit1.h"
#include "UnitAbout.h"
#include "key_preview.h"
#include "maker.h"
#include "pictures.h"
#include "window_support.h"

namespace {

const QColor kBlue(0x00, 0x00, 0xFF);
const QColor kYellow(0xFF, 0xFF, 0x00);
const QColor kRed(0xFF, 0x00, 0x00);
const QColor kMaroon(0x80, 0x00, 0x00);

constexpr int kButtonWidth = 209;
constexpr int kBottomPanelHeight = 60;
constexpr int kBannerHeight = 96;

enum class Look { WindowText, Title, Line, RedLine, Year, Address };

struct LabelPlace {
    int Number;                    // LabelN
    int Left, Top, Width, Height;  // Width 0: sized to its text
    Look Style;
    const char* Text;
};

// Painting order: the pictures are drawn between Label4 and Label5 (see createContents).
constexpr LabelPlace kLabelsBelowPictures[] = {
    {1, 0, 40, 616, 24, Look::WindowText, "Балансировочный комплекс"},
    {2, 0, 110, 582, 37, Look::Title, "Балансировочный калькулятор"},
    {3, 0, 178, 582, 37, Look::Line, "Редакция «Стандарт», версия 4.05"},
    {4, 0, 212, 582, 35, Look::RedLine, "Полный комплекс оснащён датчиками"},
};
constexpr LabelPlace kLabelsOverPictures[] = {
    {5, 0, 376, 592, 57, Look::Year, "2014"},
    {6, 18, 355, 0, 0, Look::Address, kMakerWebAddress},
    {8, 453, 355, 0, 0, Look::Address, kMakerEmail},
    {7, 0, 336, 592, 50, Look::Line, kMakerCity},
    {9, 0, 280, 582, 35, Look::RedLine, "выполняющим все измерения"},
    {10, 0, 246, 582, 35, Look::RedLine, "и измерительным блоком,"},
    {11, 0, 144, 582, 37, Look::Line, "четырёхплоскостной"},
};

// Labels whose centred text follows the window's width.
constexpr int kWidthFollowingLabels[] = {1, 2, 3, 4, 5, 7};

QFont YearFont() {
    // The face found, by name: a look-up of a face the machine lacks costs a search of them all.
    QFont font(InstalledFamily({"Arial Unicode MS", "Arial", "Liberation Sans"}));
    font.setPixelSize(48);
    font.setBold(true);
    return font;
}

void Style(QLabel* label, Look look) {
    QColor colour = Qt::black;
    switch (look) {
        case Look::WindowText:
            label->setFont(WindowFont(19, true));
            colour = label->palette().color(QPalette::WindowText);
            break;
        case Look::Title:
            label->setFont(WindowFont(32, true));
            colour = kYellow;
            break;
        case Look::Line:
            label->setFont(WindowFont(24, true));
            colour = kYellow;
            break;
        case Look::RedLine:
            label->setFont(WindowFont(24, true, true));
            colour = kRed;
            break;
        case Look::Year:
            label->setFont(YearFont());
            colour = kYellow;
            break;
        case Look::Address:
            label->setFont(WindowFont(16, true));
            colour = kMaroon;
            break;
    }
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
}

}  // namespace

TForm0::TForm0(QWidget* parent) : QWidget(parent) {
    SetUpWindow(
        this, "Form0", "ООО Тальмерон",
        Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint,
        kBlue);
    resize(592, 503);  // client area of the 600 x 530 frame

    createPanels();
    createContents();

    m_keys = new KeyPreview(this, [this](int key) { FormKeyDown(key); });
    m_keys->attach();
    OnBlockedActivation(this, [this] { BringCalculatorBack(); });
}

int TForm0::CentredButtonLeft(int panelWidth) {
    const int twice = panelWidth - kButtonWidth;
    int left = twice >> 1;  // floor of the half
    if ((twice & 1) != 0 && (left & 1) != 0) ++left;
    return left;
}

void TForm0::createPanels() {
    Panel2 = MakePanel("Panel2", kBlue, this);
    Panel1 = MakePanel("Panel1", kBlue, this);
    Panel1->setFixedHeight(kBottomPanelHeight);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(Panel2, 1);
    layout->addWidget(Panel1);

    Button5 = new QPushButton("F9 - Продолжить", Panel1);
    Button5->setObjectName("Button5");
    Button5->setGeometry(184, 7, kButtonWidth, 45);
    Button5->setFont(WindowFont(19, true));
    Button5->setAutoDefault(true);  // Enter presses it
    connect(Button5, &QPushButton::clicked, this, &TForm0::Button5Click);

    Panel1->installEventFilter(this);
    Panel2->installEventFilter(this);
}

void TForm0::createContents() {
    auto addLabels = [this](const auto& places) {
        for (const LabelPlace& place : places) {
            auto* label = new QLabel(place.Text, Panel2);
            label->setObjectName(QString("Label%1").arg(place.Number));
            Style(label, place.Style);
            if (place.Width > 0) {
                label->setGeometry(place.Left, place.Top, place.Width, place.Height);
                label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
            } else {
                label->move(place.Left, place.Top);
                label->adjustSize();
            }
            Labels[place.Number - 1] = label;
        }
    };
    addLabels(kLabelsBelowPictures);
    Image1 =
        MakeStretchedPicture("Image1", QRect(1, 1, 590, kBannerHeight), Picture::Banner, Panel2);
    Image2 = MakeStretchedPicture("Image2", QRect(1, 289, 150, 150), Picture::CogwheelJpeg, Panel2);
    Image3 =
        MakeStretchedPicture("Image3", QRect(442, 290, 150, 150), Picture::CogwheelBitmap, Panel2);
    addLabels(kLabelsOverPictures);
}

void TForm0::showEvent(QShowEvent* event) {
    if (!m_centred) {
        CenterOnScreen(this);
        m_centred = true;
    }
    QWidget::showEvent(event);
}

bool TForm0::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Resize && (watched == Panel1 || watched == Panel2)) {
        Panel2Resize();
    }
    if (event->type() == QEvent::WindowStateChange && watched == m_calculator) FollowCalculator();
    return QWidget::eventFilter(watched, event);
}

void TForm0::Panel2Resize() {
    const int width = Panel2->width();
    for (int number : kWidthFollowingLabels) {
        QLabel* label = Labels[number - 1];
        label->resize(width - 1, label->height());
    }
    // The banner is docked to the top, inside the bevel.
    Image1->resize(width - 2, kBannerHeight);
    Button5->move(CentredButtonLeft(Panel1->width()), Button5->y());
}

void TForm0::FormKeyDown(int key) {
    switch (key) {
        case Qt::Key_F1:
            if (m_about) {
                m_about->ShowModal();
                activateWindow();
            }
            break;
        case Qt::Key_F9:
            Button5Click();
            break;
        case Qt::Key_F10:
            close();
            break;
        default:
            break;
    }
}

void TForm0::Button5Click() {
    close();
}

// Behind the calculator this window takes no input; activating it (a click, the taskbar, Alt+Tab)
// must not look like a hung program, so it brings the calculator back, even from minimised.
void TForm0::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) BringCalculatorBack();
}

void TForm0::BringCalculatorBack() {
    if (!isMinimized() && m_calculator && m_calculator->isVisible() && m_calculator->isModal())
        BringToFront(m_calculator);
}

// Behind the calculator, this window is minimised and restored with it: the program goes to the
// taskbar as a whole, and the desktop's handing the focus to this window when the calculator is
// minimised does not bring the calculator straight back.
void TForm0::FollowCalculator() {
    if (!m_calculator->isVisible() || !m_calculator->isModal()) return;
    if (m_calculator->isMinimized() && !isMinimized())
        showMinimized();
    else if (!m_calculator->isMinimized() && isMinimized())
        setWindowState(windowState() & ~Qt::WindowMinimized);
}

void TForm0::closeEvent(QCloseEvent* event) {
    FormClose(event);
}

void TForm0::FormClose(QCloseEvent* event) {
    if (m_calculator) {
        // Only one calculator: a close request that arrives while it is shown is ignored.
        if (m_calculator->isVisible()) {
            event->ignore();
            return;
        }
        m_calculator->removeEventFilter(this);
        m_calculator->installEventFilter(this);  // FollowCalculator
        m_calculator->ShowModal();
    }
    event->accept();
}
