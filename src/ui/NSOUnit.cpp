#include "NSOUnit.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

#include "UnitAbout.h"
#include "key_preview.h"
#include "modal_display.h"
#include "pictures.h"
#include "window_colours.h"
#include "window_fonts.h"
#include "window_look.h"
#include "window_placement.h"

TNSOForm::TNSOForm(QWidget* parent) : QDialog(parent) {
    SetUpWindow(this, "NSOForm", "Предупреждение !!!",
                Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                    Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint,
                kSilver);
    resize(779, 146);

    Label1 = new QLabel("Необходимо самостоятельно задать коэффициенты:", this);
    Label1->setObjectName("Label1");
    Label1->setGeometry(9, 16, 761, 16);
    Label1->setFont(WindowFont(13, true));
    Label1->setAlignment(Qt::AlignHCenter | Qt::AlignTop);

    // Natural size from the top-left corner, clipped by the frame.
    Image2 = new QLabel(this);
    Image2->setObjectName("Image2");
    Image2->setGeometry(348, 40, 81, 57);
    Image2->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Image2->setPixmap(QPixmap::fromImage(ErrorSignPicture()));

    Button1 = new QPushButton("OK", this);
    Button1->setObjectName("Button1");
    Button1->setGeometry(352, 112, 75, 25);
    Button1->setFocus();
    connect(Button1, &QPushButton::clicked, this, &TNSOForm::Button1Click);

    const auto close = [this] { this->close(); };
    m_keys = new KeyPreview(this, {
                                      {Qt::Key_Escape, close},
                                      {Qt::Key_Insert, close},
                                      {Qt::Key_F10, close},
                                      {Qt::Key_F1, [this] { ShowAbout(); }},
                                  });
    m_keys->attach();
}

void TNSOForm::ShowMessage(const QString& text) {
    Label1->setText(text);
    ExecModal(this);
}

void TNSOForm::ShowAbout() {
    if (m_about) m_about->ShowModal();
}

void TNSOForm::Button1Click() {
    Label1->setText("Нестандартное оборудование");
    close();
}

// The window's own keys are all handled by its command keys; QDialog's would close on Esc without a
// close event and press a default button on Enter.
void TNSOForm::keyPressEvent(QKeyEvent* event) {
    event->ignore();
}

void TNSOForm::showEvent(QShowEvent* event) {
    CenterOnScreen(this);
    QDialog::showEvent(event);
}
