#include "sheet_view.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QKeyEvent>
#include <QScrollBar>
#include <QStyledItemDelegate>

#include "job_table_model.h"

namespace {

// The cell editor: carries the cell's name for screen readers, and hands the keys that end an
// edit to the view, which commits and moves as a spreadsheet does.
class SheetDelegate : public QStyledItemDelegate {
  public:
    explicit SheetDelegate(SheetView* view) : QStyledItemDelegate(view), m_view(view) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        editor->setAccessibleName(index.data(Qt::AccessibleTextRole).toString());
        return editor;
    }

  protected:
    bool eventFilter(QObject* object, QEvent* event) override {
        auto* editor = qobject_cast<QWidget*>(object);
        if (editor && event->type() == QEvent::KeyPress) {
            std::optional<SheetView::Move> move;
            switch (static_cast<QKeyEvent*>(event)->key()) {
                case Qt::Key_Return:
                case Qt::Key_Enter:
                case Qt::Key_Tab:
                    move = SheetView::Move::Next;
                    break;
                case Qt::Key_Backtab:
                    move = SheetView::Move::Previous;
                    break;
                case Qt::Key_Up:
                    move = SheetView::Move::Up;
                    break;
                case Qt::Key_Down:
                    move = SheetView::Move::Down;
                    break;
                default:
                    break;
            }
            if (move) {
                emit commitData(editor);
                emit closeEditor(editor, QAbstractItemDelegate::NoHint);
                m_view->moveFrom(*move);
                return true;
            }
        }
        return QStyledItemDelegate::eventFilter(object, event);
    }

  private:
    SheetView* m_view;
};

}  // namespace

SheetView::SheetView(QWidget* parent) : QTableView(parent) {
    setItemDelegate(new SheetDelegate(this));
    setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::DoubleClicked);
    setTabKeyNavigation(true);
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setWordWrap(false);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setMinimumSectionSize(fontMetrics().horizontalAdvance(QStringLiteral("0")) *
                                              6);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
}

void SheetView::setJobModel(JobTableModel* model) {
    m_model = model;
    setModel(model);
    const auto fitted = [this] {
        resizeColumnsToContents();
        if (m_fitHeight) fitHeightToRows();
    };
    connect(model, &QAbstractItemModel::modelReset, this, fitted);
    connect(model, &QAbstractItemModel::headerDataChanged, this, fitted);
    connect(model, &QAbstractItemModel::dataChanged, this, [this] { reportCurrent(); });
    fitted();
}

void SheetView::fitHeightToRows() {
    m_fitHeight = true;
    int height = horizontalHeader()->sizeHint().height() + 2 * frameWidth() + 2;
    for (int row = 0; row < model()->rowCount(); ++row) height += rowHeight(row);
    if (horizontalScrollBarPolicy() != Qt::ScrollBarAlwaysOff)
        height += horizontalScrollBar()->sizeHint().height();
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFixedHeight(height);
}

void SheetView::moveFrom(Move move) {
    const QModelIndex at = currentIndex();
    if (!at.isValid() || !model()) return;
    const int rows = model()->rowCount();
    const int columns = model()->columnCount();
    int row = at.row();
    int column = at.column();
    switch (move) {
        case Move::Next:
            if (++column == columns) {
                column = 0;
                if (++row == rows) {
                    QWidget::focusNextPrevChild(true);
                    return;
                }
            }
            break;
        case Move::Previous:
            if (--column < 0) {
                column = columns - 1;
                if (--row < 0) {
                    QWidget::focusNextPrevChild(false);
                    return;
                }
            }
            break;
        case Move::Up:
            row = std::max(row - 1, 0);
            break;
        case Move::Down:
            row = std::min(row + 1, rows - 1);
            break;
    }
    // Rows the view hides (another speed's runs) lie past its ends.
    if (isRowHidden(row)) {
        if (move == Move::Next || move == Move::Previous)
            QWidget::focusNextPrevChild(move == Move::Next);
        return;
    }
    setCurrentIndex(model()->index(row, column));
}

void SheetView::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Paste)) {
        const QModelIndex at = currentIndex();
        const QString text = QApplication::clipboard()->text();
        if (m_model && !text.isEmpty())
            m_model->paste(std::max(at.row(), 0), std::max(at.column(), 0), text);
        return;
    }
    if (event->matches(QKeySequence::Copy)) {
        copySelection();
        return;
    }
    if (state() != QAbstractItemView::EditingState) {
        switch (event->key()) {
            case Qt::Key_Delete:
            case Qt::Key_Backspace: {
                QList<QRect> ranges;
                for (const QItemSelectionRange& range : selectionModel()->selection())
                    ranges << QRect(QPoint(range.left(), range.top()),
                                    QPoint(range.right(), range.bottom()));
                if (m_model) m_model->clear(ranges);
                return;
            }
            case Qt::Key_Return:
            case Qt::Key_Enter:
            case Qt::Key_Tab:
                if (event->modifiers() & ~Qt::KeypadModifier) break;
                moveFrom(Move::Next);
                return;
            case Qt::Key_Backtab:
                moveFrom(Move::Previous);
                return;
            default:
                break;
        }
    }
    QTableView::keyPressEvent(event);
}

void SheetView::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTableView::currentChanged(current, previous);
    reportCurrent();
}

void SheetView::reportCurrent() {
    const QModelIndex at = currentIndex();
    emit currentRefusal(at.isValid() ? at.data(Qt::ToolTipRole).toString() : QString());
}

void SheetView::copySelection() const {
    const QItemSelection selection = selectionModel()->selection();
    if (selection.isEmpty()) return;
    const QItemSelectionRange& range = selection.first();
    QStringList lines;
    for (int row = range.top(); row <= range.bottom(); ++row) {
        QStringList cells;
        for (int column = range.left(); column <= range.right(); ++column)
            cells << model()->index(row, column).data(Qt::EditRole).toString();
        lines << cells.join(QLatin1Char('\t'));
    }
    QApplication::clipboard()->setText(lines.join(QLatin1Char('\n')) + QLatin1Char('\n'));
}
