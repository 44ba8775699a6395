#include "setup_panel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QFormLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

#include "number_texts.h"

using balance4::job::Job;
using balance4::job::PlaneSetup;

namespace {

enum PlaneColumn { kTrialMass, kTrialAngle, kTrialRadius, kCorrectionRadius, kPositions, kColumns };

const QColor kBadBackground(200, 40, 40);
const QColor kBadText(255, 255, 255);

QLineEdit* MakeLine(const QString& accessibleName, QWidget* parent) {
    auto* line = new QLineEdit(parent);
    line->setAccessibleName(accessibleName);
    return line;
}

QString PositionsText(const PlaneSetup& plane, const QString& separator) {
    if (plane.Holes > 0) return QString::number(plane.Holes);
    QStringList angles;
    for (double angle : plane.Positions) angles << PlainNumberText(angle, separator);
    return angles.join(QStringLiteral("; "));
}

// "12": twelve equally spaced holes; "0; 45; 90": listed positions; empty: none. False when the
// text is neither.
bool ReadPositions(const QString& text, PlaneSetup& plane) {
    const QString trimmed = text.trimmed();
    plane.Holes = 0;
    plane.Positions.clear();
    if (trimmed.isEmpty()) return true;
    bool whole = false;
    const int holes = trimmed.toInt(&whole);
    if (whole) {
        plane.Holes = holes;
        return holes >= 0;
    }
    for (const QString& part : trimmed.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const std::optional<double> angle = ReadNumberText(part);
        if (!angle) return false;
        plane.Positions.push_back(*angle);
    }
    return true;
}

QString RadiusText(double radius, const QString& separator) {
    return radius > 0.0 ? PlainNumberText(radius, separator) : QString();
}

}  // namespace

SetupPanel::SetupPanel(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("SetupPanel"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    createHeader();
    createPlanes();
}

void SetupPanel::createHeader() {
    auto* header = new QGroupBox(tr("Работа"), this);
    auto* form = new QFormLayout(header);
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    m_title = MakeLine(tr("Название работы"), header);
    m_machine = MakeLine(tr("Машина"), header);
    m_date = MakeLine(tr("Дата"), header);
    m_speed = MakeLine(tr("Частота вращения"), header);
    m_who = MakeLine(tr("Исполнитель"), header);
    m_unit = MakeLine(tr("Единица массы"), header);
    form->addRow(tr("Название:"), m_title);
    form->addRow(tr("Машина:"), m_machine);
    form->addRow(tr("Дата:"), m_date);
    form->addRow(tr("Частота вращения:"), m_speed);
    form->addRow(tr("Исполнитель:"), m_who);
    form->addRow(tr("Единица массы:"), m_unit);
    for (QLineEdit* line : {m_title, m_machine, m_date, m_speed, m_who, m_unit}) {
        connect(line, &QLineEdit::textEdited, this, &SetupPanel::edited);
    }
    layout()->addWidget(header);

    auto* shape = new QGroupBox(tr("Ротор и прибор"), this);
    auto* shapeForm = new QFormLayout(shape);
    shapeForm->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    m_planes = new QSpinBox(shape);
    m_planes->setObjectName(QStringLiteral("Planes"));
    m_planes->setRange(1, balance4::job::kMaxPlanes);
    m_planes->setAccessibleName(tr("Число плоскостей коррекции"));
    m_points = new QSpinBox(shape);
    m_points->setRange(1, balance4::job::kMaxPoints);
    m_points->setAccessibleName(tr("Число точек измерения"));
    m_convention = new QComboBox(shape);
    m_convention->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_convention->setMinimumContentsLength(12);
    m_convention->addItems({tr("против вращения"), tr("по вращению")});
    m_convention->setToolTip(
        tr("Обычный прибор показывает отставание фазы: она растёт против "
           "вращения"));
    m_convention->setAccessibleName(tr("Прибор отсчитывает фазу"));
    m_rotation = new QComboBox(shape);
    m_rotation->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_rotation->setMinimumContentsLength(12);
    m_rotation->addItems({tr("по часовой стрелке"), tr("против часовой стрелки")});
    m_rotation->setAccessibleName(tr("Вращение со стороны привода"));
    m_trialsLeftOn = new QCheckBox(tr("Пробные грузы остаются на роторе"), shape);
    m_slowRoll = new QCheckBox(tr("Показания на малых оборотах (биение)"), shape);
    m_slowRoll->setObjectName(QStringLiteral("SlowRoll"));
    m_toleranceAmplitude = MakeLine(tr("Погрешность амплитуды, %"), shape);
    m_tolerancePhase = MakeLine(tr("Погрешность фазы, градусы"), shape);
    shapeForm->addRow(tr("Плоскостей:"), m_planes);
    shapeForm->addRow(tr("Точек:"), m_points);
    shapeForm->addRow(tr("Фаза отсчитывается:"), m_convention);
    shapeForm->addRow(tr("Вращение от привода:"), m_rotation);
    shapeForm->addRow(m_trialsLeftOn);
    shapeForm->addRow(m_slowRoll);
    shapeForm->addRow(tr("Погрешность амплитуды, %:"), m_toleranceAmplitude);
    shapeForm->addRow(tr("Погрешность фазы, °:"), m_tolerancePhase);
    layout()->addWidget(shape);

    connect(m_planes, &QSpinBox::valueChanged, this, [this](int planes) {
        m_points->setMinimum(planes);
        resizePlanes(planes);
        if (!m_loading) emit shapeEdited();
    });
    connect(m_points, &QSpinBox::valueChanged, this, [this] {
        if (!m_loading) emit shapeEdited();
    });
    for (QComboBox* box : {m_convention, m_rotation}) {
        connect(box, &QComboBox::currentIndexChanged, this, [this] {
            if (!m_loading) emit edited();
        });
    }
    for (QCheckBox* box : {m_trialsLeftOn, m_slowRoll}) {
        connect(box, &QCheckBox::toggled, this, [this] {
            if (!m_loading) emit shapeEdited();
        });
    }
    for (QLineEdit* line : {m_toleranceAmplitude, m_tolerancePhase}) {
        connect(line, &QLineEdit::textEdited, this, [this, line] {
            const bool good = ReadNumberText(line->text()).has_value();
            line->setStyleSheet(good ? QString()
                                     : QStringLiteral("background: rgb(200,40,40); color: white;"));
            line->setToolTip(good ? QString() : tr("Не число"));
            if (good) {
                (line == m_toleranceAmplitude ? m_goodTolerance.AmplitudePercent
                                              : m_goodTolerance.PhaseDegrees) =
                    *ReadNumberText(line->text());
            }
            emit edited();
        });
    }
}

void SetupPanel::createPlanes() {
    auto* box = new QGroupBox(tr("Плоскости коррекции"), this);
    auto* boxLayout = new QVBoxLayout(box);
    m_planeTable = new QTableWidget(0, kColumns, box);
    m_planeTable->setObjectName(QStringLiteral("PlaneTable"));
    m_planeTable->setAccessibleName(tr("Плоскости коррекции"));
    m_planeTable->setHorizontalHeaderLabels({tr("Пробный\nгруз"), tr("Угол\nгруза, °"),
                                             tr("Радиус\nгруза"), tr("Радиус\nпоправки"),
                                             tr("Отверстия\nили углы")});
    m_planeTable->setToolTip(tr("Отверстия: их число (первое на нуле) или углы позиций через «;»"));
    m_planeTable->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_planeTable->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_planeTable->verticalHeader()->setDefaultSectionSize(m_planeTable->fontMetrics().height() + 8);
    m_planeTable->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_planeTable->setEditTriggers(QAbstractItemView::AnyKeyPressed |
                                  QAbstractItemView::EditKeyPressed |
                                  QAbstractItemView::DoubleClicked);
    boxLayout->addWidget(m_planeTable);
    layout()->addWidget(box);
    static_cast<QVBoxLayout*>(layout())->addStretch(1);
    connect(m_planeTable, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* cell) {
        if (m_loading) return;
        markPlaneCell(cell);
        readPlaneCells();
        emit edited();
    });
}

void SetupPanel::resizePlanes(int planes) {
    const bool wasLoading = m_loading;
    m_loading = true;
    const int old = m_planeTable->rowCount();
    m_planeTable->setRowCount(planes);
    m_good.resize(planes);
    QStringList titles;
    for (int plane = 0; plane < planes; ++plane) {
        titles << tr("Пл. %1").arg(plane + 1);
        if (plane < old) continue;
        const PlaneSetup& setup = m_good[plane];
        const QStringList texts = {PlainNumberText(setup.TrialMass, m_separator),
                                   PlainNumberText(setup.TrialAngle, m_separator),
                                   RadiusText(setup.TrialRadius, m_separator),
                                   RadiusText(setup.CorrectionRadius, m_separator),
                                   PositionsText(setup, m_separator)};
        for (int column = 0; column < kColumns; ++column) {
            auto* cell = new QTableWidgetItem(texts[column]);
            cell->setData(
                Qt::AccessibleTextRole,
                tr("Плоскость %1, %2")
                    .arg(plane + 1)
                    .arg(m_planeTable->horizontalHeaderItem(column)->text().simplified()));
            m_planeTable->setItem(plane, column, cell);
        }
    }
    m_planeTable->setVerticalHeaderLabels(titles);
    // Every plane in sight: the panel scrolls, not the table.
    m_planeTable->setFixedHeight(m_planeTable->horizontalHeader()->sizeHint().height() +
                                 planes * m_planeTable->verticalHeader()->defaultSectionSize() + 4);
    m_loading = wasLoading;
}

void SetupPanel::markPlaneCell(QTableWidgetItem* cell) {
    const QSignalBlocker blocker(m_planeTable);
    const QString text = cell->text().trimmed();
    bool good = true;
    if (cell->column() == kPositions) {
        PlaneSetup scratch;
        good = ReadPositions(text, scratch);
    } else if (!text.isEmpty() || cell->column() < kTrialRadius) {
        good = ReadNumberText(text).has_value();
    }
    cell->setToolTip(good ? QString() : tr("Не прочитано: в расчёт идёт прежнее значение"));
    cell->setData(Qt::BackgroundRole, good ? QVariant() : QVariant(kBadBackground));
    cell->setData(Qt::ForegroundRole, good ? QVariant() : QVariant(kBadText));
}

void SetupPanel::readPlaneCells() {
    for (int plane = 0; plane < m_planeTable->rowCount(); ++plane) {
        PlaneSetup& setup = m_good[plane];
        const auto text = [&](int column) { return m_planeTable->item(plane, column)->text(); };
        if (auto value = ReadNumberText(text(kTrialMass))) setup.TrialMass = *value;
        if (auto value = ReadNumberText(text(kTrialAngle))) setup.TrialAngle = *value;
        for (auto [column, radius] : {std::pair{kTrialRadius, &setup.TrialRadius},
                                      std::pair{kCorrectionRadius, &setup.CorrectionRadius}}) {
            if (text(column).trimmed().isEmpty()) {
                *radius = 0.0;
            } else if (auto value = ReadNumberText(text(column))) {
                *radius = *value;
            }
        }
        PlaneSetup positions;
        if (ReadPositions(text(kPositions), positions)) {
            setup.Holes = positions.Holes;
            setup.Positions = positions.Positions;
        }
    }
}

void SetupPanel::load(const Job& job) {
    m_loading = true;
    m_separator = balance4::jobwindow::LocaleDecimal();
    m_title->setText(QString::fromStdString(job.Title));
    m_machine->setText(QString::fromStdString(job.Machine));
    m_date->setText(QString::fromStdString(job.Date));
    m_speed->setText(QString::fromStdString(job.Speed));
    m_who->setText(QString::fromStdString(job.Who));
    m_unit->setText(QString::fromStdString(job.Unit));
    m_points->setMinimum(1);
    m_planes->setValue(job.Planes());
    m_points->setMinimum(job.Planes());
    m_points->setValue(job.Points);
    m_convention->setCurrentIndex(
        job.Convention == balance4::job::PhaseConvention::AgainstRotation ? 0 : 1);
    m_rotation->setCurrentIndex(job.Rotation == balance4::job::RotationDirection::Clockwise ? 0
                                                                                            : 1);
    m_trialsLeftOn->setChecked(job.Trials == balance4::job::TrialWeights::LeftOn);
    m_slowRoll->setChecked(!job.SlowRoll.empty());
    m_goodTolerance = job.Instrument;
    m_toleranceAmplitude->setText(PlainNumberText(job.Instrument.AmplitudePercent, m_separator));
    m_tolerancePhase->setText(PlainNumberText(job.Instrument.PhaseDegrees, m_separator));
    for (QLineEdit* line : {m_toleranceAmplitude, m_tolerancePhase}) {
        line->setStyleSheet({});
        line->setToolTip({});
    }
    m_good = job.Plane;
    m_planeTable->setRowCount(0);
    resizePlanes(job.Planes());
    m_loading = false;
}

void SetupPanel::store(Job& job) const {
    job.Title = m_title->text().toStdString();
    job.Machine = m_machine->text().toStdString();
    job.Date = m_date->text().toStdString();
    job.Speed = m_speed->text().toStdString();
    job.Who = m_who->text().toStdString();
    job.Unit = m_unit->text().trimmed().toStdString();
    balance4::job::Reshape(job, m_planes->value(), m_points->value());
    job.Convention = m_convention->currentIndex() == 0
                         ? balance4::job::PhaseConvention::AgainstRotation
                         : balance4::job::PhaseConvention::WithRotation;
    job.Rotation = m_rotation->currentIndex() == 0
                       ? balance4::job::RotationDirection::Clockwise
                       : balance4::job::RotationDirection::CounterClockwise;
    job.Trials = m_trialsLeftOn->isChecked() ? balance4::job::TrialWeights::LeftOn
                                             : balance4::job::TrialWeights::Removed;
    job.Instrument = m_goodTolerance;
    for (int plane = 0; plane < job.Planes() && plane < int(m_good.size()); ++plane)
        job.Plane[plane] = m_good[plane];
}

bool SetupPanel::slowRollAsked() const {
    return m_slowRoll->isChecked();
}

QString SetupPanel::firstProblem() const {
    for (int plane = 0; plane < m_planeTable->rowCount(); ++plane) {
        for (int column = 0; column < kColumns; ++column) {
            const QTableWidgetItem* cell = m_planeTable->item(plane, column);
            if (cell && !cell->toolTip().isEmpty())
                return cell->data(Qt::AccessibleTextRole).toString() + QStringLiteral(": ") +
                       cell->toolTip();
        }
    }
    for (QLineEdit* line : {m_toleranceAmplitude, m_tolerancePhase}) {
        if (!line->toolTip().isEmpty())
            return line->accessibleName() + QStringLiteral(": ") + line->toolTip();
    }
    return {};
}
