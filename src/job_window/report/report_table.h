#pragma once
// A report table measured for the page and cut into pieces that fit: column groups side by side
// while they fit the width, the row labels repeated in front of each piece.
#include <QRectF>
#include <vector>

#include "report_layout.h"

class QPainter;
class QPaintDevice;

namespace balance4::jobwindow {

inline constexpr int kRowsPerTablePiece = 30;

// One drawn piece of a table: some of its column groups and some of its rows.
struct TablePiece {
    const ReportTable* Table = nullptr;
    std::vector<int> Columns;  // indices into Table->Columns
    int FirstRow = 0;
    int RowCount = 0;
};

struct TableGeometry {
    double Label = 0.0;
    std::vector<double> Column;  // per data column
    double RowHeight = 0.0;
    int HeadingLines = 1;  // a column heading may run over lines split by '\n'
};

TableGeometry MeasureTable(const ReportTable& table, const ReportMetrics& metrics, double width);

// Column groups, as many to a piece as fit the width.
std::vector<std::vector<int>> ColumnParts(const ReportTable& table, const TableGeometry& geometry,
                                          double width);

double PieceHeight(const TablePiece& piece, const TableGeometry& geometry);

void PaintPiece(QPainter& painter, const ReportMetrics& metrics, const QRectF& box,
                const TablePiece& piece, const TableGeometry& geometry);

}  // namespace balance4::jobwindow
