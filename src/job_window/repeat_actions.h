#pragma once
// Adding and removing repeat rows in the readings table: a repeat of the current row's run goes
// under that run's rows, empty, with the cursor on its first cell; the current repeat row can be
// removed. Both are undoable edits of the document, offered in the table's context menu and in
// the window's «Правка» menu.
#include <QObject>

class JobDocument;
class QAction;
class QMenu;
class SheetView;

class RepeatActions : public QObject {
    Q_OBJECT
  public:
    RepeatActions(JobDocument* document, SheetView* readings);

    QAction* addRepeat() const { return m_add; }
    QAction* removeRepeat() const { return m_remove; }
    void addTo(QMenu* menu) const;

  private:
    void add();
    void remove();
    void updateEnabled();

    JobDocument* m_document;
    SheetView* m_readings;
    QAction* m_add;
    QAction* m_remove;
};
