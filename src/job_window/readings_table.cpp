#include "readings_table.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStyledItemDelegate>

#include "reading_grid.h"

namespace {

// Red with white text reads under light and dark palettes alike.
const QColor kBadBackground(200, 40, 40);
const QColor kBadText(255, 255, 255);

// The cell editor carries the cell's name for screen readers.
class CellDelegate : public QStyledItemDelegate {
  public:
    explicit CellDelegate(ReadingsTable* table) : QStyledItemDelegate(table), m_table(table) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        editor->setAccessibleName(m_table->cellName(index.row(), index.column()));
        return editor;
    }

  private:
    ReadingsTable* m_table;
};

}  // namespace

ReadingsTable::ReadingsTable(QWidget* parent) : QTableWidget(parent) {
    setItemDelegate(new CellDelegate(this));
    setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::DoubleClicked);
    setTabKeyNavigation(true);
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setDefaultSectionSize(64);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
    setWordWrap(false);
    connect(this, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
        markCell(item);
        if (item == currentItem()) reportCurrentCell();
        if (!m_loading) emit edited();
    });
    connect(this, &QTableWidget::currentCellChanged, this, [this] { reportCurrentCell(); });
}

void ReadingsTable::setShape(const QStringList& rowTitles, int points) {
    const QList<QStringList> old = texts();
    m_loading = true;
    blockSignals(true);
    setRowCount(int(rowTitles.size()));
    setColumnCount(points * 2);
    blockSignals(false);
    setVerticalHeaderLabels(rowTitles);
    QStringList columns;
    for (int point = 1; point <= points; ++point) {
        columns << tr("Т%1 ампл.").arg(point) << tr("Т%1 фаза°").arg(point);
    }
    setHorizontalHeaderLabels(columns);
    for (int row = 0; row < rowCount(); ++row) {
        for (int column = 0; column < columnCount(); ++column) {
            QTableWidgetItem* cell = item(row, column);
            if (!cell) {
                cell = new QTableWidgetItem;
                setItem(row, column, cell);
            }
            const bool kept = row < old.size() && column < old[row].size();
            cell->setText(kept ? old[row][column] : QString());
            markCell(cell);
        }
    }
    m_loading = false;
}

QString ReadingsTable::cellText(int row, int column) const {
    const QTableWidgetItem* cell = item(row, column);
    return cell ? cell->text() : QString();
}

void ReadingsTable::setBlock(int row, int column, const QList<QStringList>& block) {
    m_loading = true;
    bool changed = false;
    for (int r = 0; r < block.size() && row + r < rowCount(); ++r) {
        for (int c = 0; c < block[r].size() && column + c < columnCount(); ++c) {
            QTableWidgetItem* cell = item(row + r, column + c);
            const QString text = block[r][c].trimmed();
            if (cell && cell->text() != text) {
                cell->setText(text);
                changed = true;
            }
        }
    }
    m_loading = false;
    if (changed) emit edited();
}

QList<QStringList> ReadingsTable::texts() const {
    QList<QStringList> rows;
    for (int row = 0; row < rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < columnCount(); ++column) cells << cellText(row, column);
        rows << cells;
    }
    return rows;
}

void ReadingsTable::clearTexts() {
    m_loading = true;
    for (int row = 0; row < rowCount(); ++row) {
        for (int column = 0; column < columnCount(); ++column) item(row, column)->setText({});
    }
    m_loading = false;
}

void ReadingsTable::setCellCheck(CellCheck check) {
    m_check = std::move(check);
    recheck();
}

void ReadingsTable::recheck() {
    for (int row = 0; row < rowCount(); ++row) {
        for (int column = 0; column < columnCount(); ++column) markCell(item(row, column));
    }
    reportCurrentCell();
}

int ReadingsTable::badCells() const {
    int count = 0;
    for (int row = 0; row < rowCount(); ++row) {
        for (int column = 0; column < columnCount(); ++column) {
            if (!item(row, column)->toolTip().isEmpty()) ++count;
        }
    }
    return count;
}

int ReadingsTable::emptyCells() const {
    int count = 0;
    for (int row = 0; row < rowCount(); ++row) {
        for (int column = 0; column < columnCount(); ++column) {
            if (cellText(row, column).trimmed().isEmpty()) ++count;
        }
    }
    return count;
}

bool ReadingsTable::firstProblem(int& row, int& column, QString& reason) const {
    for (row = 0; row < rowCount(); ++row) {
        for (column = 0; column < columnCount(); ++column) {
            reason = item(row, column)->toolTip();
            if (!reason.isEmpty()) return true;
        }
    }
    return false;
}

QString ReadingsTable::cellName(int row, int column) const {
    const QTableWidgetItem* header = verticalHeaderItem(row);
    const QString run = header ? header->text().section(QStringLiteral(" — "), 0, 0) : QString();
    return tr("%1, точка %2, %3")
        .arg(run)
        .arg(column / 2 + 1)
        .arg(column % 2 == 0 ? tr("амплитуда") : tr("фаза"));
}

void ReadingsTable::markCell(QTableWidgetItem* cell) {
    if (!cell) return;
    const bool wasLoading = m_loading;
    m_loading = true;
    const QSignalBlocker blocker(this);
    const QString text = cell->text().trimmed();
    const QString reason =
        (text.isEmpty() || !m_check) ? QString() : m_check(cell->row(), cell->column(), text);
    const QString name = cellName(cell->row(), cell->column());
    cell->setData(Qt::AccessibleTextRole, name);
    if (reason.isEmpty()) {
        cell->setToolTip({});
        cell->setData(Qt::BackgroundRole, {});
        cell->setData(Qt::ForegroundRole, {});
    } else {
        cell->setToolTip(name + QStringLiteral(": ") + reason);
        cell->setBackground(kBadBackground);
        cell->setForeground(kBadText);
    }
    m_loading = wasLoading;
}

void ReadingsTable::reportCurrentCell() {
    const QTableWidgetItem* cell = currentItem();
    emit problemAtCurrentCell(cell ? cell->toolTip() : QString());
}

void ReadingsTable::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Paste)) {
        paste();
        return;
    }
    if (event->matches(QKeySequence::Copy)) {
        copySelection();
        return;
    }
    if (event->key() == Qt::Key_Delete && state() != QAbstractItemView::EditingState) {
        clearSelection();
        return;
    }
    QTableWidget::keyPressEvent(event);
}

void ReadingsTable::paste() {
    const QString text = QApplication::clipboard()->text();
    if (text.isEmpty()) return;
    if (m_pasteHook && m_pasteHook(text)) return;
    const int row = std::max(currentRow(), 0);
    const int column = std::max(currentColumn(), 0);
    setBlock(row, column, SplitSpreadsheetBlock(text));
}

void ReadingsTable::copySelection() const {
    const QList<QTableWidgetSelectionRange> ranges = selectedRanges();
    if (ranges.isEmpty()) return;
    const QTableWidgetSelectionRange& range = ranges.first();
    QStringList lines;
    for (int row = range.topRow(); row <= range.bottomRow(); ++row) {
        QStringList cells;
        for (int column = range.leftColumn(); column <= range.rightColumn(); ++column)
            cells << cellText(row, column);
        lines << cells.join(QLatin1Char('\t'));
    }
    QApplication::clipboard()->setText(lines.join(QLatin1Char('\n')) + QLatin1Char('\n'));
}

void ReadingsTable::clearSelection() {
    m_loading = true;
    bool changed = false;
    for (const QTableWidgetSelectionRange& range : selectedRanges()) {
        for (int row = range.topRow(); row <= range.bottomRow(); ++row) {
            for (int column = range.leftColumn(); column <= range.rightColumn(); ++column) {
                QTableWidgetItem* cell = item(row, column);
                if (!cell->text().isEmpty()) {
                    cell->setText({});
                    changed = true;
                }
            }
        }
    }
    m_loading = false;
    if (changed) emit edited();
}
