#pragma once
// A table view with a spreadsheet's habits over a JobTableModel: typing replaces a cell's text, F2
// edits it, Esc restores it; Enter and Tab commit and move on along the row, then to the next
// row, and leave the table after its last cell; Up and Down commit and move, and on the first or
// last row just commit. Ctrl+V pastes a block, Ctrl+C copies one, Delete empties the selection.
#include <QTableView>

class JobTableModel;

class SheetView : public QTableView {
    Q_OBJECT
  public:
    enum class Move { Next, Previous, Up, Down };

    explicit SheetView(QWidget* parent = nullptr);

    void setJobModel(JobTableModel* model);
    bool isEditing() const { return state() == QAbstractItemView::EditingState; }
    JobTableModel* jobModel() const { return m_model; }

    // Moves the current cell as the key would, leaving the table past either end for Next and
    // Previous.
    void moveFrom(Move move);
    // Height for every row and the header (and the horizontal scroll bar when it may show), so
    // that a small table never hides a row under its scroll bar.
    void fitHeightToRows();

  signals:
    // The current cell's refusal, or empty: for the status bar.
    void currentRefusal(const QString& message);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

  private:
    void copySelection() const;
    void reportCurrent();

    JobTableModel* m_model = nullptr;
    bool m_fitHeight = false;
};
