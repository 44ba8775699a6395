#pragma once
#include <QFont>
#include <QObject>
#include <QPointer>
#include <utility>
#include <vector>

class QWidget;

// The fonts of a window's controls, given to them when the window is first polished, which
// happens when it is first shown or drawn. Until then the controls look up no font and lay out no
// text in it: a window that is created at start but seen later costs nothing for its fonts at
// start.
class DeferredFonts : public QObject {
  public:
    explicit DeferredFonts(QWidget* window);

    // The font the control will have; it has it at once if the window is polished already.
    void set(QWidget* control, const QFont& font);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void apply();

    QWidget* m_window;
    std::vector<std::pair<QPointer<QWidget>, QFont>> m_pending;
    bool m_applied = false;
};
