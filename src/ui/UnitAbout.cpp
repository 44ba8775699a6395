#include "UnitAbout.h"

#include <QEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPointer>
#include <QPushButton>

#include "NSOUnit.h"
#include "key_preview.h"
#include "maker.h"
#include "manual_opener.h"
#include "modal_display.h"
#include "pictures.h"
#include "window_support.h"

namespace {

const QColor kYellow(0xFF, 0xFF, 0x00);
const QColor kMaroon(0x80, 0x00, 0x00);
const QColor kBlue(0x00, 0x00, 0xFF);
constexpr int kBottomPanelHeight = 60;

// A transparent label with centred text on top; the colour is the window-text colour when invalid.
QLabel* MakeLabel(const char* name, const QString& text, const QRect& geometry, const QFont& font,
                  const QColor& colour, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setFont(font);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label->setGeometry(geometry);
    if (colour.isValid()) {
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, colour);
        label->setPalette(palette);
    }
    return label;
}

// A label sized to its text, at its top-left corner.
QLabel* MakeAutoSizeLabel(const char* name, const QString& text, QPoint topLeft, const QFont& font,
                          const QColor& colour, QWidget* parent) {
    QLabel* label = MakeLabel(name, text, QRect(topLeft, QSize(1, 1)), font, colour, parent);
    label->adjustSize();
    return label;
}

QPushButton* MakeButton(const char* name, const QString& caption, int left, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setFont(WindowFont(19, true));
    button->setGeometry(left, 7, 166, 45);
    return button;
}

}  // namespace

TFormAbout::TFormAbout(ManualOpener* opener, QWidget* parent) : QDialog(parent), m_opener(opener) {
    SetUpWindow(this, "FormAbout", "О программе",
                Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                    Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint,
                QColor(0x80, 0x80, 0x00));
    resize(584, 444);

    Panel1 = MakePanel("Panel1", kBlue, this);
    Button5 = MakeButton("Button5", "F10 - Выход", 11, Panel1);
    Button1 = MakeButton("Button1", "F1 - Справка", 419, Panel1);
    connect(Button5, &QPushButton::clicked, this, &TFormAbout::Button5Click);
    connect(Button1, &QPushButton::clicked, this, &TFormAbout::Button1Click);

    // Creation order is painting order: each later item is drawn over the earlier ones.
    Panel2 = MakePanel("Panel2", kBlue, this);
    Label1 = MakeLabel("Label1", "Балансировочный комплекс", {0, 40, 616, 24}, WindowFont(19, true),
                       QColor(), Panel2);
    Label2 = MakeLabel("Label2", "\" Тар Вел - 5Н \"", {0, 102, 584, 37}, WindowFont(32, true),
                       kYellow, Panel2);
    Label3 = MakeLabel("Label3", "версия 3.05 Русская", {0, 148, 584, 37}, WindowFont(24, true),
                       kYellow, Panel2);
    Label4 = MakeLabel("Label4", "разработано \"ООО \"Тальмерон\"", {0, 194, 584, 35},
                       WindowFont(24, true), kYellow, Panel2);
    Image1 = MakeStretchedPicture("Image1", {1, 1, 582, 96}, Picture::Banner, Panel2);
    Image2 = MakeStretchedPicture("Image2", {1, 241, 150, 150}, Picture::CogwheelJpeg, Panel2);
    Image3 = MakeStretchedPicture("Image3", {442, 242, 150, 150}, Picture::CogwheelBitmap, Panel2);
    Label5 =
        MakeLabel("Label5", "2013", {-24, 328, 616, 57}, WindowFont(48, true), kYellow, Panel2);
    Label6 = MakeAutoSizeLabel("Label6", kMakerWebAddress, {18, 307}, WindowFont(16, true), kMaroon,
                               Panel2);
    Label8 =
        MakeAutoSizeLabel("Label8", kMakerEmail, {453, 307}, WindowFont(16, true), kMaroon, Panel2);
    Label7 =
        MakeLabel("Label7", kMakerCity, {0, 240, 584, 50}, WindowFont(24, true), kYellow, Panel2);
    Panel2->installEventFilter(this);
    layOutPanels();
    Panel2Resize();

    setTabOrder(Button5, Button1);
    Button5->setFocus();

    m_keys = new KeyPreview(this, [this](int key) { FormKeyDown(key); });
    m_keys->attach();
}

void TFormAbout::ShowModal() {
    ExecModal(this);
}

void TFormAbout::FormKeyDown(int key) {
    switch (key) {
        case Qt::Key_F1:
            Button1->click();
            break;
        case Qt::Key_F10:
            close();
            break;
        default:
            break;
    }
}

void TFormAbout::Button5Click() {
    close();
}

void TFormAbout::Button1Click() {
    // The answer may come later, from the event loop, when this window may have been closed: the
    // failure is reported all the same.
    QPointer<TNSOForm> messages = m_messages;
    const auto reportFailure = [messages](bool opened) {
        if (!opened && messages) messages->ShowMessage("Запрашиваемый документ не найден");
    };
    if (m_opener)
        m_opener->open(kManualFileName, reportFailure);
    else
        reportFailure(false);
}

void TFormAbout::Panel2Resize() {
    const int width = Panel2->width();
    for (QLabel* label : {Label1, Label2, Label3, Label4, Label5, Label7})
        label->resize(width - 1, label->height());
    Button1->move(width - 182, Button1->y());
}

// Panel1 is docked to the bottom edge, Panel2 fills the rest, and the banner is docked to the top
// of Panel2 inside its bevel.
void TFormAbout::layOutPanels() {
    const int panel2Height = qMax(0, height() - kBottomPanelHeight);
    Panel1->setGeometry(0, panel2Height, width(), kBottomPanelHeight);
    Panel2->setGeometry(0, 0, width(), panel2Height);
}

bool TFormAbout::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Panel2 && event->type() == QEvent::Resize) {
        Image1->setGeometry(1, 1, qMax(0, Panel2->width() - 2), Image1->height());
        Panel2Resize();
    }
    return QDialog::eventFilter(watched, event);
}

void TFormAbout::resizeEvent(QResizeEvent* event) {
    layOutPanels();
    QDialog::resizeEvent(event);
}

// Esc must not close this window, and Enter is handled by the focused button itself.
void TFormAbout::keyPressEvent(QKeyEvent* event) {
    event->ignore();
}

void TFormAbout::showEvent(QShowEvent* event) {
    CenterOnScreen(this);
    QDialog::showEvent(event);
}
