#pragma once
// The report as a column of blocks laid out on numbered pages: plain-text paragraphs, tables that
// split into column groups when too wide for the page, banners and rows of pictures. Every text
// is drawn as plain text, whatever it holds.
#include <QColor>
#include <QFont>
#include <QHash>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

class QPainter;
class QPaintDevice;
class QPagedPaintDevice;
class QRectF;

namespace balance4::jobwindow {

// Lengths in device pixels for the page being drawn.
struct ReportMetrics {
    QPaintDevice* Device = nullptr;  // the one the page is drawn on, for measuring text
    double Millimetre = 1.0;
    QFont Body;
    QFont Bold;
    QFont Small;
    QFont Heading;
    QFont Title;
};

struct ReportTable {
    QString Corner;      // above the row labels
    QStringList Groups;  // one title over each group of GroupSize columns; may be empty
    int GroupSize = 1;
    QStringList Columns;  // titles of the data columns
    struct Row {
        QString Label;
        QStringList Cells;
    };
    std::vector<Row> Rows;
    QHash<QPair<int, int>, QColor> Colours;  // (row, column) → the cell's text colour
};

class ReportDocument {
  public:
    enum class Style { Body, Bold, Small, Heading, Title };

    // A paragraph, wrapped at word boundaries or, for a word wider than the page, anywhere;
    // `maxLines` > 0 cuts it there with an ellipsis.
    void Text(const QString& text, Style style = Style::Body, int maxLines = 0,
              const QColor& colour = QColor(0x20, 0x20, 0x20));
    // A heading stays on the page of what follows it, and begins a section: a section that fits
    // on a page starts on a new one rather than leave part of it, a table alone, on the next.
    void Heading(const QString& text);
    // What was added last stays on the page of what comes next.
    void KeepWithNext();
    // Label and value lines, labels in a column of their own; values wrap, at most three lines.
    void Fields(const std::vector<std::pair<QString, QString>>& fields);
    // White bold text on a red band.
    void Banner(const QString& text);
    void Table(const ReportTable& table);
    // `count` square pictures, `columns` to a row, each drawn by `paint(painter, area, index)`.
    void Pictures(int count, int columns,
                  const std::function<void(QPainter&, const QRectF&, int)>& paint);
    void Space(double millimetres);
    // What follows starts on a new page.
    void PageBreak();

    // Lays the blocks out on the device's pages (its page layout already set) and draws them,
    // with «Страница N из M» and `footer` at the foot of each. False if the device cannot be
    // painted on.
    bool Print(QPagedPaintDevice& device, const QString& footer) const;

    // The number of pages the last Print used.
    int PageCount() const { return m_pages; }

  private:
    struct Block {
        double Height = 0.0;
        std::function<void(QPainter&, const ReportMetrics&, const QRectF&)> Paint;
        bool KeepWithNext = false;
        double SpaceAfter = 0.0;  // millimetres
        bool StartsSection = false;
        bool BreakAfter = false;
    };
    // Each part of the document becomes its blocks once the page's width and fonts are known.
    using Part = std::function<void(const ReportMetrics&, double width, std::vector<Block>&)>;
    std::vector<Part> m_parts;
    mutable int m_pages = 0;
};

// A user's text made fit for one paragraph: control characters (line breaks included) become
// blanks. Nothing else is changed; nothing in it is ever read as markup.
QString PlainText(const QString& text);

}  // namespace balance4::jobwindow
