#pragma once
#include <QDialog>

class QLabel;
class QPushButton;
class QFrame;
class BannerPanels;
class KeyPreview;
class ManualOpener;
class TNSOForm;

// The about window: product, version and maker, and the way to the user manual (F1).
class TFormAbout : public QDialog {
    Q_OBJECT
  public:
    explicit TFormAbout(ManualOpener* opener, QWidget* parent = nullptr);

    // Where "Запрашиваемый документ не найден" is shown when the manual cannot be opened.
    void setMessageWindow(TNSOForm* messages) { m_messages = messages; }

    // Shows the window modally and returns when it is closed; a request while it is already shown
    // opens no second copy.
    void ShowModal();

    // Controls, named as in the layout.
    QFrame* Panel1 = nullptr;
    QFrame* Panel2 = nullptr;
    QPushButton* Button5 = nullptr;
    QPushButton* Button1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Label7 = nullptr;
    QLabel* Label8 = nullptr;
    QLabel* Image1 = nullptr;
    QLabel* Image2 = nullptr;
    QLabel* Image3 = nullptr;

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    void Button5Click();
    void Button1Click();
    void Panel2Resize();

    ManualOpener* m_opener;
    TNSOForm* m_messages = nullptr;
    BannerPanels* m_panels = nullptr;
    KeyPreview* m_keys = nullptr;
};
