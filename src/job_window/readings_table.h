#pragma once
// A table of readings with a spreadsheet's habits: one row per run, an amplitude and a phase column
// per measuring point. Typing replaces a cell's text, F2 edits it, Esc restores it, Tab moves along
// the run; Ctrl+V pastes a block, Ctrl+C copies one, Delete empties the selected cells. A cell
// whose text is not a valid reading is drawn red, with the reason in its tooltip.
#include <QStringList>
#include <QTableWidget>
#include <functional>

class ReadingsTable : public QTableWidget {
    Q_OBJECT
  public:
    // Why a cell's text is not a valid reading; empty when it is, or when the cell is empty.
    using CellCheck = std::function<QString(int row, int column, const QString& text)>;
    // Offered a pasted text first; returns true when it handled the text itself (a whole job's
    // reading line, say).
    using PasteHook = std::function<bool(const QString& text)>;

    explicit ReadingsTable(QWidget* parent = nullptr);

    // Rows titled as given, two columns (amplitude, phase) per point. Texts in cells that still
    // exist are kept.
    void setShape(const QStringList& rowTitles, int points);
    int points() const { return columnCount() / 2; }

    QString cellText(int row, int column) const;
    // Sets the texts of a block starting at (row, column); what falls outside the table is dropped.
    // One `edited` signal for the whole block.
    void setBlock(int row, int column, const QList<QStringList>& block);
    QList<QStringList> texts() const;
    void clearTexts();

    void setCellCheck(CellCheck check);
    void setPasteHook(PasteHook hook) { m_pasteHook = std::move(hook); }
    // Re-checks every cell, after the check's rules changed.
    void recheck();

    // Cells whose text is bad, and cells still empty.
    int badCells() const;
    int emptyCells() const;
    // The first bad cell's row, column and reason; false when there is none.
    bool firstProblem(int& row, int& column, QString& reason) const;

    // The accessible name and tooltip name of a cell: "Пуск 1, точка 2, фаза".
    QString cellName(int row, int column) const;

  signals:
    // The user changed texts (typing, paste, delete). Not emitted for setShape or loading.
    void edited();
    // The current cell is bad (reason given) or fine (empty reason): for the status bar.
    void problemAtCurrentCell(const QString& message);

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void paste();
    void copySelection() const;
    void clearSelection();
    void markCell(QTableWidgetItem* item);
    void reportCurrentCell();

    CellCheck m_check;
    PasteHook m_pasteHook;
    bool m_loading = false;
};
