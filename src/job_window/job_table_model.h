#pragma once
// One of the job's tables (readings, control run, planes, weights on the rotor) as a table model
// over the job document: the document holds the texts, the model shows them and sends every edit
// back as one undo step. A refused text is a role of its cell: red, with the reason.
#include <QAbstractTableModel>

#include "table_cells.h"

class JobDocument;

class JobTableModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    // Why a cell's text is refused; empty when it is not.
    static constexpr int RefusalRole = Qt::UserRole + 1;

    JobTableModel(JobDocument* document, JobTable table, QObject* parent = nullptr);

    JobTable table() const { return m_table; }
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

    // A block of texts from (row, column), rows of cells as a spreadsheet copies them; what falls
    // outside the table is dropped. One undo step.
    void setBlock(int row, int column, const QList<QStringList>& block, const QString& what);
    // Pasted text: a reading line of balance4-calc fills the readings table whole; anything else
    // is a block at (row, column).
    void paste(int row, int column, const QString& text);
    // Empties the cells of the given ranges (top, left, bottom, right), one undo step.
    void clear(const QList<QRect>& ranges);

  private:
    void documentChanged(bool reshaped);
    void refresh();

    JobDocument* m_document;
    JobTable m_table;
    int m_rows = 0;
    int m_columns = 0;
};
