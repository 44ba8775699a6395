#include "job_table_model.h"

#include <QColor>
#include <QRect>

#include "job/angle_frame.h"
#include "job/calculate.h"
#include "job/reading_line.h"
#include "job_document.h"
#include "reading_grid.h"

namespace {

// Red with white text reads under light and dark palettes alike.
const QColor kBadBackground(200, 40, 40);
const QColor kBadText(255, 255, 255);

}  // namespace

JobTableModel::JobTableModel(JobDocument* document, JobTable table, QObject* parent)
    : QAbstractTableModel(parent), m_document(document), m_table(table) {
    m_rows = table_cells::Rows(document->job(), table);
    m_columns = table_cells::Columns(document->job(), table);
    connect(document, &JobDocument::changed, this, &JobTableModel::documentChanged);
    const auto refreshed = [this] { refresh(); };
    connect(document,
            table == JobTable::ControlRun ? &JobDocument::trimChanged : &JobDocument::resultChanged,
            this, refreshed);
    if (table == JobTable::Installed) connect(document, &JobDocument::trimChanged, this, refreshed);
}

int JobTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_rows;
}

int JobTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_columns;
}

QVariant JobTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    const int row = index.row();
    const int column = index.column();
    switch (role) {
        case Qt::DisplayRole:
        case Qt::EditRole:
            return m_document->cellText(m_table, row, column);
        case Qt::AccessibleTextRole:
            return table_cells::CellName(m_document->job(), m_table, row, column);
        case Qt::TextAlignmentRole:
            return int(Qt::AlignVCenter | Qt::AlignRight);
        case RefusalRole:
            return m_document->refusal(m_table, row, column);
        case Qt::ToolTipRole: {
            const QString reason = m_document->refusal(m_table, row, column);
            if (reason.isEmpty()) return {};
            return table_cells::CellName(m_document->job(), m_table, row, column) +
                   QStringLiteral(": ") + reason;
        }
        case Qt::BackgroundRole:
            return m_document->refusal(m_table, row, column).isEmpty() ? QVariant()
                                                                       : QVariant(kBadBackground);
        case Qt::ForegroundRole:
            return m_document->refusal(m_table, row, column).isEmpty() ? QVariant()
                                                                       : QVariant(kBadText);
        default:
            return {};
    }
}

QVariant JobTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole) return {};
    const balance4::job::Job& job = m_document->job();
    if (orientation == Qt::Vertical) return table_cells::RowTitle(job, m_table, section);
    const QString title = table_cells::ColumnTitle(job, m_table, section);
    if (role == Qt::DisplayRole || m_table != JobTable::Planes) return title;
    switch (section) {
        case kTrialAngle:
            return tr("Угол пробного груза от нулевой метки, отсчитывается так же, как углы "
                      "поправок: %1")
                .arg(QString::fromUtf8(balance4::job::AngleDirectionWord(job)));
        case kTrialRadius:
        case kCorrectionRadius:
            return tr("Радиус в мм; пусто — поправка на радиусе пробного груза");
        case kPositions:
            return tr(
                "Отверстия: их число (№1 на нулевой метке, номера — в ту же сторону, что "
                "и углы) или углы позиций через «;»");
        default:
            return title;
    }
}

Qt::ItemFlags JobTableModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    return Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable;
}

bool JobTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole) return false;
    const QString text = value.toString().trimmed();
    if (text == m_document->cellText(m_table, index.row(), index.column())) return true;
    m_document->setCells(
        m_table, {{index.row(), index.column(), text}},
        tr("Ввод: %1")
            .arg(table_cells::CellName(m_document->job(), m_table, index.row(), index.column())));
    return true;
}

void JobTableModel::setBlock(int row, int column, const QList<QStringList>& block,
                             const QString& what) {
    QList<JobDocument::CellEdit> cells;
    for (int r = 0; r < block.size() && row + r < m_rows; ++r) {
        for (int c = 0; c < block[r].size() && column + c < m_columns; ++c)
            cells.append({row + r, column + c, block[r][c].trimmed()});
    }
    if (!cells.isEmpty()) m_document->setCells(m_table, cells, what);
}

void JobTableModel::paste(int row, int column, const QString& text) {
    const QList<QStringList> lines = SplitSpreadsheetBlock(text);
    const balance4::job::Job& job = m_document->job();
    if (m_table == JobTable::Readings && lines.size() == 1) {
        std::vector<std::string> fields;
        for (const QString& field : lines[0]) fields.push_back(field.trimmed().toStdString());
        const auto runs = balance4::job::RunsFromReadingLine(fields, job.Planes(), job.Points);
        if (runs) {
            // Each run to its own row: repeat rows may lie between them and keep their texts.
            QList<JobDocument::CellEdit> cells;
            for (int run = 0; run < int(runs->size()); ++run) {
                const int at = table_cells::ReadingRow(job, run);
                int c = 0;
                for (const auto& reading : (*runs)[std::size_t(run)]) {
                    cells.append({at, c++, QString::fromStdString(reading.Amplitude)});
                    cells.append({at, c++, QString::fromStdString(reading.Phase)});
                }
            }
            m_document->setCells(m_table, cells, tr("Вставить строку показаний"));
            return;
        }
    }
    setBlock(row, column, lines, tr("Вставить"));
}

void JobTableModel::clear(const QList<QRect>& ranges) {
    QList<JobDocument::CellEdit> cells;
    for (const QRect& range : ranges) {
        for (int row = range.top(); row <= range.bottom(); ++row) {
            for (int column = range.left(); column <= range.right(); ++column) {
                if (!m_document->cellText(m_table, row, column).isEmpty())
                    cells.append({row, column, QString()});
            }
        }
    }
    if (!cells.isEmpty()) m_document->setCells(m_table, cells, tr("Очистить ячейки"));
}

void JobTableModel::documentChanged(bool reshaped) {
    const int rows = table_cells::Rows(m_document->job(), m_table);
    const int columns = table_cells::Columns(m_document->job(), m_table);
    // Rows added or taken at the end (a kind of weight in the box, a speed) keep the cell being
    // edited: a reset would take its editor away while it commits.
    if (!reshaped && columns == m_columns && rows > m_rows) {
        beginInsertRows({}, m_rows, rows - 1);
        m_rows = rows;
        endInsertRows();
    } else if (!reshaped && columns == m_columns && rows < m_rows) {
        beginRemoveRows({}, rows, m_rows - 1);
        m_rows = rows;
        endRemoveRows();
    }
    if (rows != m_rows || columns != m_columns) {
        beginResetModel();
        m_rows = rows;
        m_columns = columns;
        endResetModel();
        return;
    }
    // Same cells, other headings (the unit, the way angles run, how trial weights are handled).
    if (reshaped) {
        emit headerDataChanged(Qt::Horizontal, 0, m_columns - 1);
        emit headerDataChanged(Qt::Vertical, 0, m_rows - 1);
    }
    refresh();
}

void JobTableModel::refresh() {
    if (m_rows > 0 && m_columns > 0)
        emit dataChanged(index(0, 0), index(m_rows - 1, m_columns - 1));
}
