#include "Unit1.h"

#include <QEvent>
#include <QFocusEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <exception>
#include <vector>

#include "NSOUnit.h"
#include "UnitAbout.h"
#include "deferred_fonts.h"
#include "key_preview.h"
#include "modal_display.h"
#include "window_colours.h"
#include "window_fonts.h"
#include "window_look.h"
#include "window_placement.h"

using balance4::kReadingFields;
using balance4::ReadingField;
using balance4::ReadingKind;

namespace {

struct GroupPlace {
    const char* Name;
    int Run;  // -1: the result group
    int Left, Top;
    const char* Caption;
};

// In creation order; the focus order is set separately.
constexpr GroupPlace kGroups[] = {
    {"GroupBox1", 0, 8, 8, "Пуск 1 (без груза)"},
    {"GroupBox2", 1, 8, 106, "Пуск 2 (Груз в плоскости 1)"},
    {"GroupBox3", 2, 8, 203, "Пуск 3 (Груз в плоскости 2)"},
    {"GroupBox4", -1, 8, 496, "Результат"},
    {"GroupBox5", 3, 8, 301, "Пуск 4 (Груз в плоскости 3)"},
    {"GroupBox6", 4, 7, 398, "Пуск 5 (Груз в плоскости 4)"},
};
constexpr QSize kGroupSize(993, 92);

// Left edges of the four plane columns inside a group.
constexpr int kCaptionLeft[] = {17, 273, 529, 785};
constexpr int kValueLeft[] = {112, 368, 624, 880};
constexpr int kPlaneLabelLeft[] = {94, 353, 606, 862};
constexpr int kUpperRowTop = 25;
constexpr int kLowerRowTop = 57;
constexpr int kPlaneLabelTop = 12;
constexpr QSize kCaptionSize(95, 28);
constexpr QSize kValueSize(100, 28);

// Tab order inside a run group: both amplitudes and phases of planes 1 and 2, then plane 3,
// plane 4.
constexpr std::pair<ReadingKind, int> kFocusOrderInGroup[] = {
    {ReadingKind::Amplitude, 1}, {ReadingKind::Amplitude, 2}, {ReadingKind::Phase, 1},
    {ReadingKind::Phase, 2},     {ReadingKind::Amplitude, 3}, {ReadingKind::Phase, 3},
    {ReadingKind::Amplitude, 4}, {ReadingKind::Phase, 4},
};

int FieldIndex(int plane, int run, ReadingKind kind) {
    for (int i = 0; i < balance4::kReadingFieldCount; ++i) {
        const ReadingField& f = kReadingFields[i];
        if (f.Plane == plane && f.Run == run && f.Kind == kind) return i;
    }
    return -1;
}

QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QLabel* MakeLabel(DeferredFonts& fonts, QWidget* parent, const QString& text, const QFont& font) {
    auto* label = new QLabel(text, parent);
    fonts.set(label, font);
    return label;
}

}  // namespace

TForm1::TForm1(QWidget* parent) : QDialog(parent) {
    SetUpWindow(this, "Form1", "Балансировочный калькулятор в 4-х плоскостях",
                Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                    Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint,
                kGrey);
    resize(1016, 647);  // client area of the 1024 x 674 frame

    // The window is first seen long after start: its texts are laid out in their fonts then. Its
    // own font waits too, so that until then its controls lay out in the application's font,
    // which a text field needs anyway, and no other font is loaded for them.
    m_fonts = new DeferredFonts(this);
    m_fonts->set(this, font());
    setFont(QFont());
    createGroups();
    createButtons();
    createFocusOrder();
    readDecimalSeparator();
    HideDefaultButtonOutsideButtons(this);

    m_keys = new KeyPreview(this, {
                                      {Qt::Key_F1, [this] { ShowAbout(); }},
                                      {Qt::Key_F8, [this] { Button2Click(); }},
                                      {Qt::Key_F9, [this] { Button1Click(); }},
                                      {Qt::Key_F10, [this] { close(); }},
                                  });
    m_keys->attach();
}

void TForm1::createGroups() {
    for (int g = 0; g < 6; ++g) {
        const GroupPlace& place = kGroups[g];
        const bool results = place.Run < 0;
        auto* box = new QGroupBox(place.Caption, this);
        box->setObjectName(place.Name);
        box->setGeometry(QRect(QPoint(place.Left, place.Top), kGroupSize));
        m_fonts->set(box, WindowFont(13, results));
        SetBackground(box, results ? kRed : kLime);
        GroupBoxes[QString(place.Name).back().digitValue() - 1] = box;

        for (int plane = 1; plane <= 4; ++plane) {
            const int column = plane - 1;
            MakeLabel(*m_fonts, box, QString("плоск.%1").arg(plane), WindowFont(11))
                ->move(kPlaneLabelLeft[column], kPlaneLabelTop);
            for (int row = 0; row < 2; ++row) {
                const int top = row == 0 ? kUpperRowTop : kLowerRowTop;
                const QString caption = results ? (row == 0 ? QString(" М%1, %").arg(plane)
                                                            : QString(" F%1,град.").arg(plane))
                                                : (row == 0 ? QString("Vo%1, ед.").arg(plane)
                                                            : QString("Fo%1,град.").arg(plane));
                QLabel* captionLabel = MakeLabel(*m_fonts, box, caption, WindowFont(19, true));
                captionLabel->setGeometry(QRect(QPoint(kCaptionLeft[column], top), kCaptionSize));
                SetBackground(captionLabel, kYellow);

                const QRect valueRect(QPoint(kValueLeft[column], top), kValueSize);
                if (results) {
                    const int index = row * 4 + column;
                    QLabel* label =
                        MakeLabel(*m_fonts, box, FromUtf8(balance4::kNoDataText), WindowFont(19));
                    label->setObjectName(FromUtf8(balance4::kResultLabelNames[index]));
                    label->setAccessibleName(caption.trimmed());
                    label->setGeometry(valueRect);
                    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
                    SetBackground(label, kLime);
                    ResultLabels[index] = label;
                } else {
                    const int index = FieldIndex(
                        plane, place.Run, row == 0 ? ReadingKind::Amplitude : ReadingKind::Phase);
                    const ReadingField& field = kReadingFields[index];
                    // A field lays out its text whenever it or its font changes: its text is
                    // laid out once, in its own font, which the splash's button needs anyway.
                    auto* edit = new QLineEdit(box);
                    edit->setFont(WindowFont(19, true));
                    edit->setText(FromUtf8(field.DefaultText));
                    edit->setObjectName(FromUtf8(field.Name));
                    // What a screen reader speaks: the reading and its run, as in the messages.
                    edit->setAccessibleName(
                        QString("%1o%2, пуск %3")
                            .arg(field.Kind == ReadingKind::Amplitude ? 'V' : 'F')
                            .arg(field.Plane)
                            .arg(field.Run + 1));
                    SetFieldColours(edit);
                    edit->setGeometry(valueRect);
                    edit->installEventFilter(this);  // the Enter handlers
                    Fields[index] = edit;
                }
            }
        }
    }
}

void TForm1::createButtons() {
    struct ButtonPlace {
        QPushButton** Control;
        const char* Name;
        int Left;
        const char* Caption;
        void (TForm1::*Click)();
    };
    const ButtonPlace buttons[] = {
        {&Button2, "Button2", 40, "F8 - Очистить", &TForm1::Button2Click},
        {&Button1, "Button1", 424, "F9 - Расчёт", &TForm1::Button1Click},
        {&Button3, "Button3", 807, "F10 - Выход", &TForm1::Button3Click},
    };
    for (const ButtonPlace& b : buttons) {
        auto* button = new QPushButton(b.Caption, this);
        button->setObjectName(b.Name);
        button->setGeometry(b.Left, 592, 170, 45);
        m_fonts->set(button, WindowFont(19, true));
        connect(button, &QPushButton::clicked, this, b.Click);
        *b.Control = button;
    }
}

void TForm1::createFocusOrder() {
    std::vector<QWidget*> order{Button1};
    auto addGroup = [&](int run) {
        for (const auto& [kind, plane] : kFocusOrderInGroup) {
            order.push_back(Fields[FieldIndex(plane, run, kind)]);
        }
    };
    addGroup(0);
    addGroup(1);
    addGroup(2);
    order.push_back(Button2);
    order.push_back(Button3);
    addGroup(3);
    addGroup(4);
    for (size_t i = 0; i + 1 < order.size(); ++i) setTabOrder(order[i], order[i + 1]);
}

void TForm1::readDecimalSeparator() {
    const QString point = QLocale().decimalPoint();
    m_separator = point.isEmpty() ? QStringLiteral(".") : point;
}

void TForm1::ShowModal() {
    if (isVisible()) return;
    CenterOnScreen(this);
    ExecModal(this);
}

void TForm1::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) FormShow();
}

void TForm1::FormShow() {
    m_calculator.SetTrialMasses();
    Button1->setFocus(Qt::OtherFocusReason);
}

void TForm1::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LocaleChange) readDecimalSeparator();
    QDialog::changeEvent(event);
}

// Keys are commands, handled by the key preview; Esc and Enter must not close or calculate.
void TForm1::keyPressEvent(QKeyEvent* event) {
    event->ignore();
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn) {
        // Focus coming back from another window does not enter the field anew.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason == Qt::MouseFocusReason || reason == Qt::TabFocusReason ||
            reason == Qt::BacktabFocusReason) {
            EditEnter(static_cast<QLineEdit*>(watched));
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TForm1::EditEnter(QLineEdit* field) {
    field->clear();
}

void TForm1::ShowAbout() {
    if (m_about) m_about->ShowModal();
}

void TForm1::ShowMessage(const QString& text) {
    if (!m_messages) return;
    m_messages->ShowMessage(text);
    activateWindow();
}

void TForm1::Button1Click() {
    try {
        balance4::ReadingTexts texts;
        for (std::size_t i = 0; i < texts.size(); ++i) texts[i] = Fields[i]->text().toStdString();
        const QByteArray separator = m_separator.toUtf8();
        // The press is over before any message is shown: each refused field's message, one at a
        // time in visiting order, while the window waits.
        const balance4::PressResult result = m_calculator.Press(
            texts, std::string_view(separator.constData(), static_cast<size_t>(separator.size())));
        switch (result.Outcome) {
            case balance4::PressOutcome::Calculated:
                for (int i = 0; i < balance4::kResultLabelCount; ++i) {
                    ResultLabels[i]->setText(QString::fromStdString(result.Texts[i]));
                }
                break;
            case balance4::PressOutcome::InvalidTrialMass:
                ShowMessage(FromUtf8(balance4::kInvalidTrialMassMessage));
                break;
            case balance4::PressOutcome::Refused:
                for (const balance4::RefusedField& failure : result.Failures)
                    ShowMessage(QString::fromStdString(failure.Message));
                break;
        }
    } catch (const std::exception& error) {
        // A floating-point event ends the action; the program goes on waiting for input.
        QMessageBox box(QMessageBox::Critical, QStringLiteral("balance4"),
                        QString::fromUtf8(error.what()) + '.', QMessageBox::Ok, this);
        box.exec();
        activateWindow();
    }
}

void TForm1::Button2Click() {
    const QString noData = FromUtf8(balance4::kNoDataText);
    for (QLineEdit* field : Fields) field->setText(noData);
    for (QLabel* label : ResultLabels) label->setText(noData);
}

void TForm1::Button3Click() {
    close();
}
