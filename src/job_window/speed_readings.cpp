#include "speed_readings.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QVBoxLayout>

#include "job_document.h"
#include "job_table_model.h"
#include "merge_keys.h"
#include "optimisation_cells.h"
#include "optimisation_panel.h"
#include "sheet_view.h"

using balance4::job::Job;

namespace {

QString SpeedName(const Job& job, int speed) {
    return QString::fromStdString(speed == 0 ? job.Speed
                                             : job.MoreSpeeds[std::size_t(speed - 1)].Speed);
}

}  // namespace

SpeedReadingsArea::SpeedReadingsArea(JobDocument* document, SheetView* readings, QWidget* parent)
    : QWidget(parent), m_document(document), m_readings(readings) {
    setObjectName(QStringLiteral("SpeedReadingsArea"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    auto* bar = new QHBoxLayout;
    m_tabs = new QTabBar(this);
    m_tabs->setObjectName(QStringLiteral("SpeedTabs"));
    m_tabs->setAccessibleName(tr("Частоты вращения"));
    m_tabs->setExpanding(false);
    m_tabs->setDrawBase(false);
    bar->addWidget(m_tabs, 1);
    // Takes the room the tabs leave, so that the buttons keep their size with one speed.
    bar->addStretch(0);
    m_name = new QLineEdit(this);
    m_name->setObjectName(QStringLiteral("SpeedName"));
    m_name->setAccessibleName(tr("Частота вращения, об/мин"));
    m_name->setPlaceholderText(tr("об/мин"));
    m_name->setMaximumWidth(140);
    bar->addWidget(m_name);
    auto* add = new QPushButton(tr("+ частота"), this);
    add->setObjectName(QStringLiteral("AddSpeed"));
    add->setToolTip(tr("Показания тех же пусков на другой частоте вращения"));
    bar->addWidget(add);
    m_remove = new QPushButton(tr("Убрать частоту"), this);
    m_remove->setObjectName(QStringLiteral("RemoveSpeed"));
    bar->addWidget(m_remove);
    layout->addLayout(bar);
    layout->addWidget(readings, 1);
    m_more = new SheetView(this);
    m_more->setObjectName(QStringLiteral("SpeedReadings"));
    m_more->setAccessibleName(tr("Показания на другой частоте"));
    m_more->setJobModel(new JobTableModel(document, JobTable::SpeedReadings, m_more));
    layout->addWidget(m_more, 1);
    m_more->hide();

    connect(m_tabs, &QTabBar::currentChanged, this, [this](int speed) { showSpeed(speed); });
    connect(add, &QPushButton::clicked, this, &SpeedReadingsArea::addSpeed);
    connect(m_remove, &QPushButton::clicked, this, &SpeedReadingsArea::removeSpeed);
    connect(m_name, &QLineEdit::textEdited, this, [this](const QString& text) {
        const int speed = m_tabs->currentIndex();
        m_document->edit(
            tr("Частота вращения"),
            [speed, value = text.toStdString()](Job& job) {
                if (speed == 0)
                    job.Speed = value;
                else if (speed <= int(job.MoreSpeeds.size()))
                    job.MoreSpeeds[std::size_t(speed - 1)].Speed = value;
            },
            kSpeedNameKey + speed);
    });
    connect(document, &JobDocument::changed, this, [this] { showDocument(); });
    showDocument();
}

SheetView* SpeedReadingsArea::current() const {
    return m_tabs->currentIndex() > 0 ? m_more : m_readings;
}

void SpeedReadingsArea::showDocument() {
    const Job& job = m_document->job();
    const QSignalBlocker blocker(m_tabs);
    const int chosen = std::min(std::max(m_tabs->currentIndex(), 0), job.Speeds() - 1);
    while (m_tabs->count() > job.Speeds()) m_tabs->removeTab(m_tabs->count() - 1);
    while (m_tabs->count() < job.Speeds()) m_tabs->addTab(QString());
    for (int speed = 0; speed < job.Speeds(); ++speed) {
        const QString name = SpeedName(job, speed);
        m_tabs->setTabText(speed, name.trimmed().isEmpty()
                                      ? tr("Частота %1").arg(speed + 1)
                                      : tr("Частота %1: %2").arg(speed + 1).arg(name));
    }
    m_tabs->setCurrentIndex(chosen);
    // One speed needs no tabs: the table looks as it always has.
    m_tabs->setVisible(job.Speeds() > 1);
    m_name->setVisible(job.Speeds() > 1);
    m_remove->setVisible(job.Speeds() > 1);
    showSpeed(chosen);
}

void SpeedReadingsArea::showSpeed(int speed) {
    const Job& job = m_document->job();
    if (speed < 0 || speed >= job.Speeds()) return;
    const QString name = SpeedName(job, speed);
    if (m_name->text() != name) {
        const QSignalBlocker blocker(m_name);
        m_name->setText(name);
    }
    m_readings->setVisible(speed == 0);
    m_more->setVisible(speed > 0);
    m_remove->setEnabled(speed > 0);
    if (speed == 0) return;
    const int first = optimisation_cells::FirstRowOfSpeed(job, speed);
    for (int row = 0; row < m_more->model()->rowCount(); ++row)
        m_more->setRowHidden(row, row < first || row > first + job.Planes());
}

void SpeedReadingsArea::addSpeed() {
    const int speed = m_document->job().Speeds();
    m_document->edit(tr("Добавить частоту"), [](Job& job) {
        balance4::job::SpeedReadings more;
        more.Readings.assign(std::size_t(job.Planes() + 1),
                             std::vector<balance4::job::ReadingText>(std::size_t(job.Points)));
        job.MoreSpeeds.push_back(std::move(more));
    });
    m_tabs->setCurrentIndex(speed);
    m_more->setCurrentIndex(
        m_more->model()->index(optimisation_cells::FirstRowOfSpeed(m_document->job(), speed), 0));
    m_more->setFocus();
}

void SpeedReadingsArea::removeSpeed() {
    const int speed = m_tabs->currentIndex();
    if (speed < 1) return;
    m_document->edit(tr("Убрать частоту"), [speed](Job& job) {
        if (speed > int(job.MoreSpeeds.size())) return;
        job.MoreSpeeds.erase(job.MoreSpeeds.begin() + (speed - 1));
        if (std::size_t(speed) < job.Optimise.SpeedWeight.size())
            job.Optimise.SpeedWeight.erase(job.Optimise.SpeedWeight.begin() + speed);
    });
}
