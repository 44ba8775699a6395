#pragma once
#include <QDialog>
#include <QString>
#include <array>

#include "balancing_calculator.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class DeferredFonts;
class KeyPreview;
class TFormAbout;
class TNSOForm;

// The calculator window: the 40 readings of five runs at four planes, the eight results, and the
// commands F1 (about), F8 (clear), F9 (calculate) and F10 (close).
class TForm1 : public QDialog {
    Q_OBJECT
  public:
    explicit TForm1(QWidget* parent = nullptr);

    void setAboutWindow(TFormAbout* about) { m_about = about; }
    void setMessageWindow(TNSOForm* messages) { m_messages = messages; }

    // Shows the window centred and modally; returns when it is closed. A request while it is
    // already shown is ignored: there is only one calculator.
    void ShowModal();

    // The separator the readings are read and the results written with.
    QString DecimalSeparator() const { return m_separator; }
    const balance4::BalancingCalculator& Calculator() const { return m_calculator; }

    // Controls, named as in the layout; fields and result labels in the core's order.
    std::array<QGroupBox*, 6> GroupBoxes{};  // GroupBox1 .. GroupBox6
    std::array<QLineEdit*, balance4::kReadingFieldCount> Fields{};
    std::array<QLabel*, balance4::kResultLabelCount> ResultLabels{};
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;
    QPushButton* Button3 = nullptr;

  protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void createGroups();
    void createButtons();
    void createFocusOrder();
    void readDecimalSeparator();

    void FormShow();
    void ShowAbout();
    void Button1Click();
    void Button2Click();
    void Button3Click();
    void EditEnter(QLineEdit* field);
    void ShowMessage(const QString& text);

    // The program-wide measurement set and influence matrix live as long as this window.
    balance4::BalancingCalculator m_calculator;
    QString m_separator = QStringLiteral(".");
    TFormAbout* m_about = nullptr;
    TNSOForm* m_messages = nullptr;
    KeyPreview* m_keys = nullptr;
    DeferredFonts* m_fonts = nullptr;
};
