#pragma once
#include <QWidget>
#include <array>

class QFrame;
class QLabel;
class QPushButton;
class BannerPanels;
class KeyPreview;
class TForm1;
class TFormAbout;

// The splash window and main window. Every way of closing it goes through the calculator: the
// calculator is shown modally first, and the splash (and with it the program) closes after it.
class TForm0 : public QWidget {
    Q_OBJECT
  public:
    explicit TForm0(QWidget* parent = nullptr);

    void setCalculatorWindow(TForm1* calculator) { m_calculator = calculator; }
    void setAboutWindow(TFormAbout* about) { m_about = about; }

    // The left edge that centres Button5 in a bottom panel of the given width; a half pixel goes
    // to the even neighbour.
    static int CentredButtonLeft(int panelWidth);

    QFrame* Panel1 = nullptr;
    QFrame* Panel2 = nullptr;
    QPushButton* Button5 = nullptr;
    std::array<QLabel*, 11> Labels{};  // Label1 .. Label11
    QLabel* Image1 = nullptr;
    QLabel* Image2 = nullptr;
    QLabel* Image3 = nullptr;

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void ShowAbout();
    void Button5Click();
    void Panel2Resize();
    void FormClose(QCloseEvent* event);
    void FollowCalculator();

    TForm1* m_calculator = nullptr;
    TFormAbout* m_about = nullptr;
    BannerPanels* m_panels = nullptr;
    KeyPreview* m_keys = nullptr;
    bool m_centred = false;
};
