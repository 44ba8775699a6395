#include "acceptance_view.h"

#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QScrollArea>
#include <QTableWidget>
#include <QVBoxLayout>

#include "job/acceptance_text.h"
#include "job_document.h"
#include "report/job_sketches.h"
#include "report/report_numbers.h"

using balance4::jobwindow::AcceptanceFigures;

// The trend and each point's run vectors, in square cells as many to a row as fit.
class AcceptancePictures : public QWidget {
  public:
    explicit AcceptancePictures(QWidget* parent) : QWidget(parent) {
        setObjectName(QStringLiteral("AcceptancePictures"));
        setAccessibleName(tr("Рисунки приёмки"));
        setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    }

    void set(const AcceptanceFigures* figures, const balance4::jobwindow::SketchView& view) {
        m_figures = figures;
        m_view = view;
        updateGeometry();
        update();
    }

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override {
        const int columns = columnsFor(width);
        const int rows = (cells() + columns - 1) / columns;
        return rows * (width / columns);
    }
    QSize sizeHint() const override { return {600, heightForWidth(600)}; }

  protected:
    void paintEvent(QPaintEvent*) override {
        if (!m_figures) return;
        QPainter painter(this);
        const int columns = columnsFor(width());
        const double side = double(width()) / columns;
        for (int i = 0; i < cells(); ++i) {
            const QRectF area((i % columns) * side, (i / columns) * side, side - 4, side - 4);
            if (i == 0)
                balance4::jobwindow::PaintTrend(painter, area, *m_figures, m_view.Decimal);
            else
                balance4::jobwindow::PaintRunVectors(painter, area, *m_figures, i - 1, m_view);
        }
    }

  private:
    int cells() const {
        if (!m_figures || m_figures->Acceptance.Runs.empty()) return 0;
        return 1 + int(m_figures->Acceptance.Runs.front().Amplitude.size());
    }
    static int columnsFor(int width) { return std::clamp(width / 300, 1, 4); }

    const AcceptanceFigures* m_figures = nullptr;
    balance4::jobwindow::SketchView m_view;
};

namespace {

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

// A table of texts whose first row is the heading and first column the row titles.
void Fill(QTableWidget* table, const std::vector<std::vector<std::string>>& texts) {
    table->clear();
    const int rows = texts.empty() ? 0 : int(texts.size()) - 1;
    const int columns = texts.empty() ? 0 : int(texts.front().size()) - 1;
    table->setRowCount(rows);
    table->setColumnCount(columns);
    if (texts.empty()) return;
    QStringList headings;
    for (std::size_t c = 1; c < texts.front().size(); ++c) headings << Q(texts.front()[c]);
    table->setHorizontalHeaderLabels(headings);
    for (int r = 0; r < rows; ++r) {
        const std::vector<std::string>& row = texts[std::size_t(r) + 1];
        table->setVerticalHeaderItem(r, new QTableWidgetItem(Q(row.front())));
        for (int c = 0; c < columns && std::size_t(c) + 1 < row.size(); ++c) {
            auto* item = new QTableWidgetItem(Q(row[std::size_t(c) + 1]));
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            if (row[std::size_t(c) + 1] == balance4::job::PointWord(true))
                item->setForeground(QColor(0xc6, 0x28, 0x28));
            table->setItem(r, c, item);
        }
    }
    table->resizeColumnsToContents();
    // Every row in sight: the tab scrolls, not the table.
    table->setFixedHeight(table->horizontalHeader()->height() + table->verticalHeader()->length() +
                          2 * table->frameWidth());
}

QTableWidget* MakeTable(const QString& name, const QString& accessible, QWidget* parent) {
    auto* table = new QTableWidget(parent);
    table->setObjectName(name);
    table->setAccessibleName(accessible);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    table->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Fixed);
    return table;
}

QLabel* MakeLabel(const QString& name, const QString& accessible, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setAccessibleName(accessible);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

}  // namespace

AcceptanceView::AcceptanceView(JobDocument* document, QWidget* parent)
    : QWidget(parent), m_document(document) {
    setObjectName(QStringLiteral("AcceptanceView"));
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    auto* scroll = new QScrollArea(this);
    scroll->setWidgetResizable(true);
    scroll->setAccessibleName(tr("Приёмка"));
    auto* content = new QWidget;
    auto* layout = new QVBoxLayout(content);
    m_verdict = MakeLabel(QStringLiteral("AcceptanceVerdict"), tr("Итог приёмки"), content);
    QFont bold = m_verdict->font();
    bold.setBold(true);
    m_verdict->setFont(bold);
    m_table = MakeTable(QStringLiteral("AcceptanceTable"), tr("Вибрация по пускам"), content);
    m_iso = MakeLabel(QStringLiteral("AcceptanceIso"), tr("Допуск ISO 21940-11"), content);
    m_refinementText =
        MakeLabel(QStringLiteral("RefinementText"), tr("Уточнение коэффициентов"), content);
    m_refinement =
        MakeTable(QStringLiteral("RefinementTable"), tr("Изменение коэффициентов"), content);
    m_pictures = new AcceptancePictures(content);
    layout->addWidget(m_verdict);
    layout->addWidget(m_table);
    layout->addWidget(m_iso);
    layout->addWidget(m_refinementText);
    layout->addWidget(m_refinement);
    layout->addWidget(m_pictures);
    layout->addStretch(1);
    scroll->setWidget(content);
    outer->addWidget(scroll);
    connect(document, &JobDocument::acceptanceChanged, this, &AcceptanceView::refresh);
}

void AcceptanceView::showEvent(QShowEvent* event) {
    // Finding the acceptance may calculate a control run: not for a tab nobody sees.
    m_document->setAcceptanceWanted(true);
    QWidget::showEvent(event);
}

void AcceptanceView::hideEvent(QHideEvent* event) {
    m_document->setAcceptanceWanted(false);
    QWidget::hideEvent(event);
}

void AcceptanceView::refresh() {
    const balance4::job::Job& job = m_document->acceptanceJob();
    m_figures = m_document->acceptance();
    const QString decimal = balance4::jobwindow::LocaleDecimal();
    const std::string separator = decimal.toStdString();
    const std::string verdict = balance4::job::VerdictText(m_figures.Acceptance);
    m_verdict->setText(Q(verdict.empty() ? std::string(balance4::job::NoVerdictText()) : verdict));
    m_verdict->setStyleSheet(!m_figures.Acceptance.Within ? QString()
                             : *m_figures.Acceptance.Within
                                 ? QStringLiteral("color: rgb(46,125,50);")
                                 : QStringLiteral("color: rgb(198,40,40);"));
    Fill(m_table, balance4::job::VibrationTable(m_figures.Acceptance, separator));
    const QStringList iso = balance4::jobwindow::IsoTextLines(m_figures, decimal);
    m_iso->setText(iso.join(QLatin1Char('\n')));
    m_iso->setVisible(!iso.isEmpty());
    if (m_figures.Refined) {
        const auto table = balance4::job::RefinementTable(*m_figures.Refined, separator);
        // The table's corner names what its numbers are.
        m_refinementText->setText(Q(balance4::job::RefinementText(*m_figures.Refined)) +
                                  QLatin1Char(' ') + Q(table.front().front()) + QLatin1Char(':'));
        Fill(m_refinement, table);
    }
    m_refinementText->setVisible(bool(m_figures.Refined));
    m_refinement->setVisible(bool(m_figures.Refined));
    m_pictures->set(&m_figures, balance4::jobwindow::MakeSketchView(job, true, decimal));
    emit refreshed();
}
