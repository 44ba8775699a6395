#include "UnitAbout.h"

#include <QApplication>
#include <QEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <memory>

#include "NSOUnit.h"
#include "banner_panels.h"
#include "key_preview.h"
#include "maker.h"
#include "manual_opener.h"
#include "modal_display.h"
#include "window_colours.h"
#include "window_look.h"
#include "window_placement.h"

namespace {

const char* const kManualMissing = "Запрашиваемый документ не найден";

// Shows the late failure once no key has been pressed for a while and no message is shown.
void ReportAtPause(QPointer<TNSOForm> messages) {
    constexpr qint64 kPause = 1000;  // milliseconds without a key
    auto* wait = new QTimer(qApp);
    QObject::connect(wait, &QTimer::timeout, wait, [wait, messages] {
        if (messages && (messages->isVisible() || KeyPreview::SinceLastKey() < kPause)) return;
        wait->deleteLater();
        if (messages) messages->ShowMessage(kManualMissing);
    });
    wait->start(100);
}

using L = BannerLook;

// Painting order: each later item is drawn over the earlier ones. Label5 stays 24 px left of
// centre as it follows the width.
const BannerItem kPanel2[] = {
    {"Label1", {0, 40, 616, 24}, L::WindowText, "Балансировочный комплекс", {}, true},
    {"Label2", {0, 102, 584, 37}, L::Title, "\" Тар Вел - 5Н \"", {}, true},
    {"Label3", {0, 148, 584, 37}, L::Line, "версия 3.05 Русская", {}, true},
    {"Label4", {0, 194, 584, 35}, L::Line, "разработано \"ООО \"Тальмерон\"", {}, true},
    {"Image1", {1, 1, 582, 96}, L::Banner, "", Picture::Banner},
    {"Image2", {1, 241, 150, 150}, L::Picture, "", Picture::CogwheelJpeg},
    {"Image3", {442, 242, 150, 150}, L::Picture, "", Picture::CogwheelBitmap},
    {"Label5", {-24, 328, 616, 57}, L::Year, "2013", {}, true},
    {"Label6", {18, 307, 0, 0}, L::Address, kMakerWebAddress},
    {"Label8", {453, 307, 0, 0}, L::Address, kMakerEmail},
    {"Label7", {0, 240, 584, 50}, L::Line, kMakerCity, {}, true},
};

}  // namespace

TFormAbout::TFormAbout(ManualOpener* opener, QWidget* parent) : QDialog(parent), m_opener(opener) {
    SetUpWindow(this, "FormAbout", "О программе",
                Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                    Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint,
                kOlive);
    resize(584, 444);

    m_panels = new BannerPanels(this, kPanel2, [this] { Panel2Resize(); });
    Panel1 = m_panels->Panel1;
    Panel2 = m_panels->Panel2;
    Button5 = m_panels->addButton("Button5", "F10 - Выход", 11, 166);
    Button1 = m_panels->addButton("Button1", "F1 - Справка", 419, 166);
    connect(Button5, &QPushButton::clicked, this, &TFormAbout::Button5Click);
    connect(Button1, &QPushButton::clicked, this, &TFormAbout::Button1Click);
    Label1 = m_panels->item("Label1");
    Label2 = m_panels->item("Label2");
    Label3 = m_panels->item("Label3");
    Label4 = m_panels->item("Label4");
    Label5 = m_panels->item("Label5");
    Label6 = m_panels->item("Label6");
    Label7 = m_panels->item("Label7");
    Label8 = m_panels->item("Label8");
    Image1 = m_panels->item("Image1");
    Image2 = m_panels->item("Image2");
    Image3 = m_panels->item("Image3");
    m_panels->layOut();

    setTabOrder(Button5, Button1);
    Button5->setFocus();

    m_keys = new KeyPreview(this, {
                                      {Qt::Key_F1, [this] { Button1->click(); }},
                                      {Qt::Key_F10, [this] { close(); }},
                                  });
    m_keys->attach();
}

void TFormAbout::ShowModal() {
    ExecModal(this);
}

void TFormAbout::Button5Click() {
    close();
}

void TFormAbout::Button1Click() {
    // The answer may come later, from the event loop, when this window may have been closed and
    // the user be typing elsewhere: the failure is reported all the same, but at a pause, so that
    // the message window takes none of the keys meant for another window.
    QPointer<TNSOForm> messages = m_messages;
    const auto asking = std::make_shared<bool>(true);
    const auto reportFailure = [messages, asking](bool opened) {
        if (opened || !messages) return;
        if (*asking)
            messages->ShowMessage(kManualMissing);
        else
            ReportAtPause(messages);
    };
    if (m_opener)
        m_opener->open(kManualFileName, reportFailure);
    else
        reportFailure(false);
    *asking = false;
}

// The labels and the banner follow the width by themselves (BannerPanels); the help button keeps
// 16 pixels from the right edge.
void TFormAbout::Panel2Resize() {
    Button1->move(Panel2->width() - 182, Button1->y());
}

// Esc must not close this window, and Enter is handled by the focused button itself.
void TFormAbout::keyPressEvent(QKeyEvent* event) {
    event->ignore();
}

void TFormAbout::showEvent(QShowEvent* event) {
    CenterOnScreen(this);
    QDialog::showEvent(event);
}
