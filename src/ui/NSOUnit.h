#pragma once
#include <QDialog>

class QLabel;
class QPushButton;
class KeyPreview;
class TFormAbout;

// The message window: one centred line of text, an error sign and OK. One instance, reused for
// every message of the program.
class TNSOForm : public QDialog {
    Q_OBJECT
  public:
    explicit TNSOForm(QWidget* parent = nullptr);

    // F1 shows this about window over the message.
    void setAboutWindow(TFormAbout* about) { m_about = about; }

    // Sets the text line and shows the window modally; returns when the user has closed it. While
    // the window is already shown, the text line changes but no second showing opens.
    void ShowMessage(const QString& text);

    QLabel* Label1 = nullptr;
    QLabel* Image2 = nullptr;
    QPushButton* Button1 = nullptr;

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    void ShowAbout();
    void Button1Click();

    TFormAbout* m_about = nullptr;
    KeyPreview* m_keys = nullptr;
};
