#include "Unit0.h"

#include <QCloseEvent>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QPushButton>

#include "Unit1.h"
#include "UnitAbout.h"
#include "banner_panels.h"
#include "key_preview.h"
#include "maker.h"
#include "window_colours.h"
#include "window_look.h"
#include "window_placement.h"

namespace {

constexpr int kButtonWidth = 209;

using L = BannerLook;
constexpr Qt::Alignment kAddressAlign = Qt::AlignLeft | Qt::AlignVCenter;

// Painting order: each later item is drawn over the earlier ones.
const BannerItem kPanel2[] = {
    {"Label1", {0, 40, 616, 24}, L::WindowText, "Балансировочный комплекс", {}, true},
    {"Label2", {0, 110, 582, 37}, L::Title, "Балансировочный калькулятор", {}, true},
    {"Label3", {0, 178, 582, 37}, L::Line, "Редакция «Стандарт», версия 4.05", {}, true},
    {"Label4", {0, 212, 582, 35}, L::RedLine, "Полный комплекс оснащён датчиками", {}, true},
    {"Image1", {1, 1, 590, 96}, L::Banner, "", Picture::Banner},
    {"Image2", {1, 289, 150, 150}, L::Picture, "", Picture::CogwheelJpeg},
    {"Image3", {442, 290, 150, 150}, L::Picture, "", Picture::CogwheelBitmap},
    {"Label5", {0, 376, 592, 57}, L::Year, "2014", {}, true},
    {"Label6", {18, 355, 0, 0}, L::Address, kMakerWebAddress, {}, false, kAddressAlign},
    {"Label8", {453, 355, 0, 0}, L::Address, kMakerEmail, {}, false, kAddressAlign},
    {"Label7", {0, 336, 592, 50}, L::Line, kMakerCity, {}, true},
    {"Label9", {0, 280, 582, 35}, L::RedLine, "выполняющим все измерения"},
    {"Label10", {0, 246, 582, 35}, L::RedLine, "и измерительным блоком,"},
    {"Label11", {0, 144, 582, 37}, L::Line, "четырёхплоскостной"},
};

}  // namespace

TForm0::TForm0(QWidget* parent) : QWidget(parent) {
    SetUpWindow(
        this, "Form0", "ООО Тальмерон",
        Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint,
        kBlue);
    resize(592, 503);  // client area of the 600 x 530 frame

    m_panels = new BannerPanels(this, kPanel2, [this] { Panel2Resize(); });
    Panel1 = m_panels->Panel1;
    Panel2 = m_panels->Panel2;
    Button5 = m_panels->addButton("Button5", "F9 - Продолжить", 184, kButtonWidth);
    Button5->setAutoDefault(true);  // Enter presses it
    connect(Button5, &QPushButton::clicked, this, &TForm0::Button5Click);
    for (int n = 1; n <= 11; ++n)
        Labels[n - 1] = m_panels->item(qPrintable(QString("Label%1").arg(n)));
    Image1 = m_panels->item("Image1");
    Image2 = m_panels->item("Image2");
    Image3 = m_panels->item("Image3");

    m_keys = new KeyPreview(this, {
                                      {Qt::Key_F1, [this] { ShowAbout(); }},
                                      {Qt::Key_F9, [this] { Button5Click(); }},
                                      {Qt::Key_F10, [this] { close(); }},
                                  });
    m_keys->attach();
}

int TForm0::CentredButtonLeft(int panelWidth) {
    const int twice = panelWidth - kButtonWidth;
    int left = twice >> 1;  // floor of the half
    if ((twice & 1) != 0 && (left & 1) != 0) ++left;
    return left;
}

void TForm0::showEvent(QShowEvent* event) {
    if (!m_centred) {
        CenterOnScreen(this);
        m_centred = true;
    }
    QWidget::showEvent(event);
}

bool TForm0::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::WindowStateChange && watched == m_calculator) FollowCalculator();
    return QWidget::eventFilter(watched, event);
}

// The labels and the banner follow the width by themselves (BannerPanels).
void TForm0::Panel2Resize() {
    Button5->move(CentredButtonLeft(Panel1->width()), Button5->y());
}

void TForm0::ShowAbout() {
    if (m_about) m_about->ShowModal();
}

void TForm0::Button5Click() {
    close();
}

// Behind the calculator, this window is minimised and restored with it: the program goes to the
// taskbar as a whole, and the desktop's handing the focus to this window when the calculator is
// minimised does not bring the calculator straight back.
void TForm0::FollowCalculator() {
    if (!m_calculator->isVisible() || !m_calculator->isModal()) return;
    if (m_calculator->isMinimized() && !isMinimized())
        showMinimized();
    else if (!m_calculator->isMinimized() && isMinimized()) {
        setWindowState(windowState() & ~Qt::WindowMinimized);
        // Restored after the calculator, this window would come up over it and take its keys.
        m_calculator->raise();
        m_calculator->activateWindow();
    }
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
