#include "report_layout.h"

#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QTextLayout>
#include <algorithm>
#include <memory>

#include "report_table.h"

namespace balance4::jobwindow {

namespace {

const QColor kInk(0x20, 0x20, 0x20);
const QColor kRule(0x90, 0x90, 0x90);
const QColor kBannerFill(0xc6, 0x28, 0x28);

constexpr int kMostCharacters = 4000;  // of a paragraph cut to a few lines: the rest never shows

ReportMetrics MakeMetrics(QPaintDevice& device) {
    ReportMetrics metrics;
    metrics.Device = &device;
    metrics.Millimetre = device.logicalDpiY() / 25.4;
    QFont base(QStringLiteral("Liberation Sans"));
    base.setStyleHint(QFont::SansSerif);
    base.setPointSizeF(9.0);
    metrics.Body = base;
    metrics.Bold = base;
    metrics.Bold.setBold(true);
    metrics.Small = base;
    metrics.Small.setPointSizeF(8.0);
    metrics.Heading = metrics.Bold;
    metrics.Heading.setPointSizeF(11.5);
    metrics.Title = metrics.Bold;
    metrics.Title.setPointSizeF(16.0);
    return metrics;
}

const QFont& FontOf(const ReportMetrics& metrics, ReportDocument::Style style) {
    switch (style) {
        case ReportDocument::Style::Bold:
            return metrics.Bold;
        case ReportDocument::Style::Small:
            return metrics.Small;
        case ReportDocument::Style::Heading:
            return metrics.Heading;
        case ReportDocument::Style::Title:
            return metrics.Title;
        case ReportDocument::Style::Body:
            break;
    }
    return metrics.Body;
}

// The lines `text` wraps into at `width`, at word boundaries where it can and anywhere where a
// word is wider than the line.
QStringList Wrap(const QString& whole, const QFont& font, QPaintDevice* device, double width,
                 int maxLines) {
    const QString text = maxLines > 0 ? whole.left(kMostCharacters) : whole;
    QStringList lines;
    std::vector<int> starts;
    QTextLayout layout(text, font, device);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        starts.push_back(line.textStart());
        lines << text.mid(line.textStart(), line.textLength());
        if (maxLines > 0 && lines.size() > maxLines) break;
    }
    layout.endLayout();
    if (lines.isEmpty()) lines << QString();
    if (maxLines > 0 && lines.size() > maxLines) {
        const QString rest = text.mid(starts[static_cast<std::size_t>(maxLines - 1)]);
        lines.resize(maxLines);
        lines.back() = QFontMetricsF(font, device).elidedText(rest, Qt::ElideRight, width);
    }
    return lines;
}

void DrawLines(QPainter& painter, const QFont& font, QPointF topLeft, const QStringList& lines) {
    painter.setFont(font);
    const QFontMetricsF metrics(font, painter.device());
    double y = topLeft.y() + metrics.ascent();
    for (const QString& line : lines) {
        painter.drawText(QPointF(topLeft.x(), y), line);
        y += metrics.lineSpacing();
    }
}

double TextWidth(const QFont& font, QPaintDevice* device, const QString& text) {
    return QFontMetricsF(font, device).horizontalAdvance(text);
}

}  // namespace

QString PlainText(const QString& text) {
    QString plain = text;
    for (QChar& c : plain)
        if (c.category() == QChar::Other_Control || c == QChar::LineSeparator ||
            c == QChar::ParagraphSeparator)
            c = QLatin1Char(' ');
    return plain;
}

void ReportDocument::Text(const QString& text, Style style, int maxLines, const QColor& colour) {
    const QString plain = PlainText(text);
    m_parts.push_back([=](const ReportMetrics& metrics, double width, std::vector<Block>& out) {
        const QFont& font = FontOf(metrics, style);
        const QStringList lines = Wrap(plain, font, metrics.Device, width, maxLines);
        Block block;
        block.Height = lines.size() * QFontMetricsF(font, metrics.Device).lineSpacing();
        block.Paint = [=](QPainter& painter, const ReportMetrics& m, const QRectF& box) {
            painter.setPen(colour);
            DrawLines(painter, FontOf(m, style), box.topLeft(), lines);
        };
        block.SpaceAfter = style == Style::Title ? 3.0 : 1.5;
        out.push_back(std::move(block));
    });
}

void ReportDocument::Heading(const QString& text) {
    Space(2.0);
    Text(text, Style::Heading, 2);
    KeepWithNext();
    m_parts.push_back([](const ReportMetrics&, double, std::vector<Block>& out) {
        if (!out.empty()) out.back().StartsSection = true;
    });
}

void ReportDocument::PageBreak() {
    m_parts.push_back([](const ReportMetrics&, double, std::vector<Block>& out) {
        if (!out.empty()) out.back().BreakAfter = true;
    });
}

void ReportDocument::KeepWithNext() {
    m_parts.push_back([](const ReportMetrics&, double, std::vector<Block>& out) {
        if (!out.empty()) out.back().KeepWithNext = true;
    });
}

void ReportDocument::Space(double millimetres) {
    m_parts.push_back([=](const ReportMetrics&, double, std::vector<Block>& out) {
        if (!out.empty()) out.back().SpaceAfter += millimetres;
    });
}

void ReportDocument::Fields(const std::vector<std::pair<QString, QString>>& fields) {
    std::vector<std::pair<QString, QString>> plain;
    for (const auto& [label, value] : fields) plain.emplace_back(label, PlainText(value));
    m_parts.push_back([=](const ReportMetrics& metrics, double width, std::vector<Block>& out) {
        double labelWidth = 0.0;
        for (const auto& field : plain)
            labelWidth = std::max(labelWidth, TextWidth(metrics.Bold, metrics.Device, field.first));
        labelWidth = std::min(labelWidth + 3.0 * metrics.Millimetre, width * 0.4);
        const double lineSpacing = QFontMetricsF(metrics.Body, metrics.Device).lineSpacing();
        for (const auto& [label, value] : plain) {
            const QStringList lines =
                Wrap(value, metrics.Body, metrics.Device, width - labelWidth, 3);
            Block block;
            block.Height = lines.size() * lineSpacing;
            block.Paint = [=, label = label](QPainter& painter, const ReportMetrics& m,
                                             const QRectF& box) {
                painter.setPen(kInk);
                DrawLines(painter, m.Bold, box.topLeft(), {label});
                DrawLines(painter, m.Body, box.topLeft() + QPointF(labelWidth, 0), lines);
            };
            block.SpaceAfter = 0.6;
            out.push_back(std::move(block));
        }
        if (!out.empty()) out.back().SpaceAfter = 1.5;
    });
}

void ReportDocument::Banner(const QString& text) {
    const QString plain = PlainText(text);
    m_parts.push_back([=](const ReportMetrics& metrics, double width, std::vector<Block>& out) {
        const double pad = 2.5 * metrics.Millimetre;
        const QStringList lines = Wrap(plain, metrics.Bold, metrics.Device, width - 2 * pad, 12);
        const double height =
            lines.size() * QFontMetricsF(metrics.Bold, metrics.Device).lineSpacing() + 2 * pad;
        Block block;
        block.Height = height;
        block.Paint = [=](QPainter& painter, const ReportMetrics& m, const QRectF& box) {
            painter.fillRect(QRectF(box.left(), box.top(), box.width(), height), kBannerFill);
            painter.setPen(Qt::white);
            DrawLines(painter, m.Bold, box.topLeft() + QPointF(pad, pad), lines);
        };
        block.SpaceAfter = 3.0;
        out.push_back(std::move(block));
    });
}

void ReportDocument::Table(const ReportTable& source) {
    auto table = std::make_shared<ReportTable>(source);
    table->Corner = PlainText(table->Corner);
    for (QString& title : table->Groups) title = PlainText(title);
    for (QString& title : table->Columns) {  // a heading keeps its own line breaks
        QStringList lines = title.split(QLatin1Char('\n'));
        for (QString& line : lines) line = PlainText(line);
        title = lines.join(QLatin1Char('\n'));
    }
    for (ReportTable::Row& row : table->Rows) {
        row.Label = PlainText(row.Label);
        for (QString& cell : row.Cells) cell = PlainText(cell);
    }
    m_parts.push_back([table](const ReportMetrics& metrics, double width, std::vector<Block>& out) {
        const TableGeometry geometry = MeasureTable(*table, metrics, width);
        const int rows = static_cast<int>(table->Rows.size());
        for (const std::vector<int>& columns : ColumnParts(*table, geometry, width)) {
            for (int first = 0; first == 0 || first < rows; first += kRowsPerTablePiece) {
                TablePiece piece{table.get(), columns, first,
                                 std::min(kRowsPerTablePiece, rows - first)};
                Block block;
                block.Height = PieceHeight(piece, geometry);
                block.Paint = [table, piece, geometry](QPainter& painter, const ReportMetrics& m,
                                                       const QRectF& box) {
                    PaintPiece(painter, m, box, piece, geometry);
                };
                block.SpaceAfter = 2.0;
                out.push_back(std::move(block));
            }
        }
        if (!out.empty()) out.back().SpaceAfter = 3.0;
    });
}

void ReportDocument::Pictures(int count, int columns,
                              const std::function<void(QPainter&, const QRectF&, int)>& paint) {
    m_parts.push_back([=](const ReportMetrics& metrics, double width, std::vector<Block>& out) {
        const double gap = 3.0 * metrics.Millimetre;
        const int across = std::max(1, columns);
        const double side = (width - (across - 1) * gap) / across;
        for (int first = 0; first < count; first += across) {
            Block block;
            block.Height = side;
            block.Paint = [=](QPainter& painter, const ReportMetrics&, const QRectF& box) {
                for (int i = first; i < std::min(count, first + across); ++i) {
                    const double x = box.left() + (i - first) * (side + gap);
                    paint(painter, QRectF(x, box.top(), side, side), i);
                }
            };
            block.SpaceAfter = 3.0;
            out.push_back(std::move(block));
        }
    });
}

bool ReportDocument::Print(QPagedPaintDevice& device, const QString& footer) const {
    QPainter painter;
    if (!painter.begin(&device)) return false;
    const ReportMetrics metrics = MakeMetrics(device);
    const double mm = metrics.Millimetre;
    const QRectF page(0, 0, device.width(), device.height());
    const double footerHeight = 8.0 * mm;
    const double usable = page.height() - footerHeight;

    std::vector<Block> blocks;
    for (const Part& part : m_parts) part(metrics, page.width(), blocks);

    // Each block on the first page it fits on whole; a block taller than a page is cut.
    struct Placed {
        const Block* What;
        double Top;
        double Height;
    };
    std::vector<std::vector<Placed>> pages(1);
    double y = 0.0;
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        const Block& block = blocks[i];
        const double height = std::min(block.Height, usable);
        // A heading and the lines that introduce a table go with the table's first piece.
        double need = height;
        for (std::size_t j = i; blocks[j].KeepWithNext && j + 1 < blocks.size(); ++j)
            need += blocks[j].SpaceAfter * mm + std::min(blocks[j + 1].Height, usable);
        // A whole section that fits on a page is kept on one.
        if (block.StartsSection) {
            double section = height;
            for (std::size_t j = i + 1;
                 j < blocks.size() && !blocks[j].StartsSection && !blocks[j - 1].BreakAfter; ++j)
                section += blocks[j - 1].SpaceAfter * mm + blocks[j].Height;
            if (section <= usable) need = std::max(need, section);
        }
        if (y > 0.0 && y + std::min(need, usable) > usable) {
            pages.emplace_back();
            y = 0.0;
        }
        pages.back().push_back({&block, y, height});
        y += height + block.SpaceAfter * mm;
        if (block.BreakAfter && i + 1 < blocks.size()) {
            pages.emplace_back();
            y = 0.0;
        }
    }
    m_pages = static_cast<int>(pages.size());

    const QString plainFooter = PlainText(footer);
    for (std::size_t p = 0; p < pages.size(); ++p) {
        if (p > 0 && !device.newPage()) return false;
        for (const Placed& placed : pages[p]) {
            const QRectF box(0.0, placed.Top, page.width(), placed.Height);
            painter.save();
            painter.setClipRect(box.adjusted(-mm, 0, mm, 0));
            placed.What->Paint(painter, metrics, box);
            painter.restore();
        }
        const double top = page.bottom() - footerHeight + 3.0 * mm;
        painter.setPen(QPen(kRule, 0));
        painter.drawLine(QPointF(0, top), QPointF(page.width(), top));
        const QString number = QStringLiteral("Страница %1 из %2").arg(p + 1).arg(pages.size());
        const QFontMetricsF fm(metrics.Small, &device);
        const double numberWidth = fm.horizontalAdvance(number);
        painter.setFont(metrics.Small);
        painter.setPen(kInk);
        const double baseline = top + 1.0 * mm + fm.ascent();
        painter.drawText(QPointF(page.width() - numberWidth, baseline), number);
        painter.drawText(QPointF(0, baseline),
                         fm.elidedText(plainFooter, Qt::ElideRight,
                                       std::max(0.0, page.width() - numberWidth - 5.0 * mm)));
    }
    return painter.end();
}

}  // namespace balance4::jobwindow
