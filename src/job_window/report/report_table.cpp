#include "report_table.h"

#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>

namespace balance4::jobwindow {

namespace {

const QColor kInk(0x20, 0x20, 0x20);
const QColor kRule(0x90, 0x90, 0x90);
const QColor kHeaderFill(0xe8, 0xe8, 0xe8);

constexpr double kPaddingMm = 1.2;

double TextWidth(const QFont& font, QPaintDevice* device, const QString& text) {
    double widest = 0.0;
    for (const QString& line : text.split(QLatin1Char('\n')))
        widest = std::max(widest, QFontMetricsF(font, device).horizontalAdvance(line));
    return widest;
}

int HeaderRows(const ReportTable& table, const TableGeometry& geometry) {
    return (table.Groups.isEmpty() ? 0 : 1) + geometry.HeadingLines;
}

}  // namespace

TableGeometry MeasureTable(const ReportTable& table, const ReportMetrics& metrics, double width) {
    QPaintDevice* device = metrics.Device;
    TableGeometry geometry;
    // The padding on both sides, and a hair more: a text exactly as wide as its cell is elided
    // when painting measures it a rounding error wider.
    const double pad = (2 * kPaddingMm + 0.2) * metrics.Millimetre;
    const QFont& font = metrics.Small;
    geometry.Label = TextWidth(metrics.Bold, device, table.Corner);
    for (const ReportTable::Row& row : table.Rows)
        geometry.Label = std::max(geometry.Label, TextWidth(font, device, row.Label));
    geometry.Label = std::min(geometry.Label + pad, width * 0.45);
    geometry.Column.assign(static_cast<std::size_t>(table.Columns.size()), 0.0);
    for (std::size_t c = 0; c < geometry.Column.size(); ++c) {
        const QString& heading = table.Columns[static_cast<int>(c)];
        geometry.HeadingLines =
            std::max(geometry.HeadingLines, static_cast<int>(heading.count(QLatin1Char('\n'))) + 1);
        double widest = TextWidth(metrics.Bold, device, heading);
        for (const ReportTable::Row& row : table.Rows)
            if (static_cast<int>(c) < row.Cells.size())
                widest = std::max(widest, TextWidth(font, device, row.Cells[static_cast<int>(c)]));
        geometry.Column[c] = std::min(widest + pad, width - geometry.Label);
    }
    const int size = std::max(1, table.GroupSize);
    for (int g = 0; g < table.Groups.size(); ++g) {
        double sum = 0.0;
        const int first = g * size;
        const int last = std::min<int>(first + size, static_cast<int>(geometry.Column.size()));
        for (int c = first; c < last; ++c) sum += geometry.Column[static_cast<std::size_t>(c)];
        const double need = TextWidth(metrics.Bold, device, table.Groups[g]) + pad;
        if (need > sum && last > first)
            for (int c = first; c < last; ++c)
                geometry.Column[static_cast<std::size_t>(c)] += (need - sum) / (last - first);
    }
    geometry.RowHeight =
        QFontMetricsF(font, device).lineSpacing() + kPaddingMm * metrics.Millimetre;
    return geometry;
}

std::vector<std::vector<int>> ColumnParts(const ReportTable& table, const TableGeometry& geometry,
                                          double width) {
    std::vector<std::vector<int>> parts;
    const int size = std::max(1, table.GroupSize);
    const int columns = static_cast<int>(table.Columns.size());
    double used = geometry.Label;
    for (int first = 0; first < columns; first += size) {
        const int last = std::min(first + size, columns);
        double group = 0.0;
        for (int c = first; c < last; ++c) group += geometry.Column[static_cast<std::size_t>(c)];
        if (parts.empty() || used + group > width) {
            parts.emplace_back();
            used = geometry.Label;
        }
        for (int c = first; c < last; ++c) parts.back().push_back(c);
        used += group;
    }
    if (parts.empty()) parts.emplace_back();
    return parts;
}

double PieceHeight(const TablePiece& piece, const TableGeometry& geometry) {
    return (HeaderRows(*piece.Table, geometry) + piece.RowCount) * geometry.RowHeight;
}

void PaintPiece(QPainter& painter, const ReportMetrics& metrics, const QRectF& box,
                const TablePiece& piece, const TableGeometry& geometry) {
    const ReportTable& table = *piece.Table;
    QPaintDevice* device = painter.device();
    const double pad = kPaddingMm * metrics.Millimetre;
    const double h = geometry.RowHeight;
    double total = geometry.Label;
    for (int c : piece.Columns) total += geometry.Column[static_cast<std::size_t>(c)];
    total = std::min(total, box.width());
    const auto cell = [&](const QRectF& r, const QString& text, const QFont& font,
                          Qt::Alignment align, const QColor& colour) {
        const QFontMetricsF fm(font, device);
        const QString shown =
            fm.elidedText(text, Qt::ElideRight, std::max(0.0, r.width() - 2 * pad));
        const double w = fm.horizontalAdvance(shown);
        const double x = (align & Qt::AlignRight)     ? r.right() - pad - w
                         : (align & Qt::AlignHCenter) ? r.center().x() - w / 2
                                                      : r.left() + pad;
        painter.setFont(font);
        painter.setPen(colour);
        painter.drawText(QPointF(x, r.top() + (r.height() - fm.height()) / 2 + fm.ascent()), shown);
    };

    double y = box.top();
    const int headerRows = HeaderRows(table, geometry);
    const int groupRows = table.Groups.isEmpty() ? 0 : 1;
    painter.fillRect(QRectF(box.left(), y, total, headerRows * h), kHeaderFill);
    cell(QRectF(box.left(), y + (headerRows - 1) * h, geometry.Label, h), table.Corner,
         metrics.Bold, Qt::AlignLeft, kInk);
    const int size = std::max(1, table.GroupSize);
    double x = box.left() + geometry.Label;
    for (std::size_t i = 0; i < piece.Columns.size(); ++i) {
        const int c = piece.Columns[i];
        const double w = geometry.Column[static_cast<std::size_t>(c)];
        if (groupRows == 1 && c % size == 0 && c / size < table.Groups.size()) {
            double span = 0.0;
            for (std::size_t j = i; j < piece.Columns.size() && piece.Columns[j] / size == c / size;
                 ++j)
                span += geometry.Column[static_cast<std::size_t>(piece.Columns[j])];
            cell(QRectF(x, y, span, h), table.Groups[c / size], metrics.Bold, Qt::AlignHCenter,
                 kInk);
        }
        // A heading's lines end on the header's last row, so one-line headings sit on it too.
        const QStringList lines = table.Columns[c].split(QLatin1Char('\n'));
        for (int line = 0; line < lines.size(); ++line)
            cell(QRectF(x, y + (headerRows - lines.size() + line) * h, w, h), lines[line],
                 metrics.Bold, Qt::AlignRight, kInk);
        x += w;
    }
    y += headerRows * h;
    painter.setPen(QPen(kRule, 0));
    for (int r = piece.FirstRow; r < piece.FirstRow + piece.RowCount; ++r) {
        const ReportTable::Row& row = table.Rows[static_cast<std::size_t>(r)];
        painter.setPen(QPen(kRule, 0));
        painter.drawLine(QPointF(box.left(), y), QPointF(box.left() + total, y));
        cell(QRectF(box.left(), y, geometry.Label, h), row.Label, metrics.Small, Qt::AlignLeft,
             kInk);
        x = box.left() + geometry.Label;
        for (int c : piece.Columns) {
            const double w = geometry.Column[static_cast<std::size_t>(c)];
            const QString text = c < row.Cells.size() ? row.Cells[c] : QString();
            cell(QRectF(x, y, w, h), text, metrics.Small, Qt::AlignRight,
                 table.Colours.value({r, c}, kInk));
            x += w;
        }
        y += h;
    }
    painter.setPen(QPen(kRule, 0));
    painter.drawLine(QPointF(box.left(), y), QPointF(box.left() + total, y));
}

}  // namespace balance4::jobwindow
