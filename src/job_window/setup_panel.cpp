#include "setup_panel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "acceptance_group.h"
#include "angle_frame_choice.h"
#include "job_document.h"
#include "job_table_model.h"
#include "merge_keys.h"
#include "optimisation_panel.h"
#include "reading_unit_field.h"
#include "sheet_view.h"
#include "trial_weight_dialog.h"
#include "weight_box_panel.h"

using balance4::job::Job;

namespace {

struct HeaderField {
    const char* Label;
    const char* Name;
    std::string Job::*Text;
};

const HeaderField kHeaderFields[] = {
    {QT_TRANSLATE_NOOP("SetupPanel", "Название"), "Title", &Job::Title},
    {QT_TRANSLATE_NOOP("SetupPanel", "Машина"), "Machine", &Job::Machine},
    {QT_TRANSLATE_NOOP("SetupPanel", "Дата"), "Date", &Job::Date},
    {QT_TRANSLATE_NOOP("SetupPanel", "Частота вращения, об/мин"), "Speed", &Job::Speed},
    {QT_TRANSLATE_NOOP("SetupPanel", "Исполнитель"), "Who", &Job::Who},
    {QT_TRANSLATE_NOOP("SetupPanel", "Единица массы"), "Unit", &Job::Unit},
};

// Labels go above their fields when the panel is too narrow for both on one line (a large
// desktop font), so no text is cut.
QFormLayout* MakeForm(QWidget* parent) {
    auto* form = new QFormLayout(parent);
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    form->setRowWrapPolicy(QFormLayout::WrapLongRows);
    return form;
}

void SetText(QLineEdit* line, const QString& text) {
    if (line->text() == text) return;
    const QSignalBlocker blocker(line);
    line->setText(text);
}

}  // namespace

SetupPanel::SetupPanel(JobDocument* document, QWidget* parent)
    : QWidget(parent), m_document(document) {
    setObjectName(QStringLiteral("SetupPanel"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    createHeader();
    createShape();
    createPlanes();
    layout->addWidget(new OptimisationPanel(document, this));
    layout->addWidget(new WeightBoxPanel(document, this));
    layout->addWidget(new AcceptanceGroup(document, this));
    layout->addStretch(1);
    connect(document, &JobDocument::changed, this, [this] { showDocument(); });
    connect(document, &JobDocument::resultChanged, this, [this] { showDocument(); });
    showDocument();
}

QLineEdit* SetupPanel::addLine(QFormLayout* form, const QString& label, const QString& name) {
    auto* line = new QLineEdit(form->parentWidget());
    line->setObjectName(name);
    line->setAccessibleName(label);
    form->addRow(label + QLatin1Char(':'), line);
    return line;
}

void SetupPanel::createHeader() {
    auto* header = new QGroupBox(tr("Работа"), this);
    QFormLayout* form = MakeForm(header);
    for (int field = 0; field < int(std::size(kHeaderFields)); ++field) {
        const HeaderField& entry = kHeaderFields[field];
        const QString label = tr(entry.Label);
        QLineEdit* line = addLine(form, label, QString::fromLatin1(entry.Name));
        m_lines << line;
        connect(line, &QLineEdit::textEdited, this, [this, field, label](const QString& text) {
            const auto member = kHeaderFields[field].Text;
            const std::string value = (member == &Job::Unit ? text.trimmed() : text).toStdString();
            m_document->edit(
                tr("Изменить: %1").arg(label), [member, value](Job& job) { job.*member = value; },
                kHeaderKey + field);
        });
    }
    layout()->addWidget(header);
}

void SetupPanel::createShape() {
    auto* shape = new QGroupBox(tr("Ротор и прибор"), this);
    QFormLayout* form = MakeForm(shape);
    m_planes = new QSpinBox(shape);
    m_planes->setObjectName(QStringLiteral("Planes"));
    m_planes->setRange(1, balance4::job::kMaxPlanes);
    m_planes->setAccessibleName(tr("Число плоскостей коррекции"));
    m_points = new QSpinBox(shape);
    m_points->setObjectName(QStringLiteral("Points"));
    m_points->setRange(1, balance4::job::kMaxPoints);
    m_points->setAccessibleName(tr("Число точек измерения"));
    m_convention = new QComboBox(shape);
    m_convention->setObjectName(QStringLiteral("Convention"));
    m_convention->addItems({tr("против вращения"), tr("по вращению")});
    m_convention->setToolTip(
        tr("Обычный прибор показывает отставание фазы: она растёт против вращения"));
    m_convention->setAccessibleName(tr("Прибор отсчитывает фазу"));
    m_rotation = new QComboBox(shape);
    m_rotation->setObjectName(QStringLiteral("Rotation"));
    m_rotation->addItems({tr("по часовой стрелке"), tr("против часовой стрелки")});
    m_rotation->setAccessibleName(tr("Вращение со стороны привода"));
    m_trialsLeftOn = new QCheckBox(tr("Пробные грузы остаются на роторе"), shape);
    m_trialsLeftOn->setObjectName(QStringLiteral("TrialsLeftOn"));
    m_slowRoll = new QCheckBox(tr("Показания на малых оборотах (биение)"), shape);
    m_slowRoll->setObjectName(QStringLiteral("SlowRoll"));
    m_toleranceAmplitude = new QLineEdit(shape);
    m_toleranceAmplitude->setObjectName(QStringLiteral("ToleranceAmplitude"));
    m_toleranceAmplitude->setAccessibleName(tr("Погрешность амплитуды, %"));
    m_tolerancePhase = new QLineEdit(shape);
    m_tolerancePhase->setObjectName(QStringLiteral("TolerancePhase"));
    m_tolerancePhase->setAccessibleName(tr("Погрешность фазы, градусы"));
    form->addRow(tr("Плоскостей:"), m_planes);
    form->addRow(tr("Точек:"), m_points);
    form->addRow(tr("Фаза отсчитывается:"), m_convention);
    form->addRow(tr("Углы на роторе:"), new AngleFrameChoice(m_document, shape));
    form->addRow(tr("Вращение от привода:"), m_rotation);
    form->addRow(m_trialsLeftOn);
    form->addRow(m_slowRoll);
    form->addRow(tr("Единица показаний:"), new ReadingUnitField(m_document, shape));
    form->addRow(tr("Погрешность амплитуды, %:"), m_toleranceAmplitude);
    form->addRow(tr("Погрешность фазы, °:"), m_tolerancePhase);
    layout()->addWidget(shape);

    connect(m_planes, &QSpinBox::valueChanged, this, [this](int planes) {
        m_document->edit(
            tr("Число плоскостей"),
            [planes](Job& job) {
                balance4::job::Reshape(job, planes, std::max(job.Points, planes));
            },
            kPlanesKey);
    });
    connect(m_points, &QSpinBox::valueChanged, this, [this](int points) {
        m_document->edit(
            tr("Число точек"),
            [points](Job& job) { balance4::job::Reshape(job, job.Planes(), points); }, kPointsKey);
    });
    connect(m_convention, &QComboBox::currentIndexChanged, this, [this](int index) {
        m_document->edit(
            tr("Отсчёт фазы"),
            [index](Job& job) {
                job.Convention = index == 0 ? balance4::job::PhaseConvention::AgainstRotation
                                            : balance4::job::PhaseConvention::WithRotation;
            },
            kConventionKey);
    });
    connect(m_rotation, &QComboBox::currentIndexChanged, this, [this](int index) {
        m_document->edit(
            tr("Вращение"),
            [index](Job& job) {
                job.Rotation = index == 0 ? balance4::job::RotationDirection::Clockwise
                                          : balance4::job::RotationDirection::CounterClockwise;
            },
            kRotationKey);
    });
    connect(m_trialsLeftOn, &QCheckBox::toggled, this, [this](bool on) {
        m_document->edit(tr("Пробные грузы остаются"), [on](Job& job) {
            job.Trials =
                on ? balance4::job::TrialWeights::LeftOn : balance4::job::TrialWeights::Removed;
        });
    });
    connect(m_slowRoll, &QCheckBox::toggled, this, [this](bool on) {
        m_document->edit(tr("Показания на малых оборотах"), [on](Job& job) {
            if (on)
                job.SlowRoll.assign(std::size_t(job.Points), {});
            else
                job.SlowRoll.clear();
        });
    });
    for (QLineEdit* line : {m_toleranceAmplitude, m_tolerancePhase}) {
        const int column = line == m_toleranceAmplitude ? 0 : 1;
        connect(line, &QLineEdit::textEdited, this, [this, column, line](const QString& text) {
            m_document->setCells(JobTable::Tolerance, {{0, column, text}}, line->accessibleName(),
                                 kToleranceKey + column);
        });
    }
}

void SetupPanel::createPlanes() {
    auto* box = new QGroupBox(tr("Плоскости коррекции"), this);
    auto* boxLayout = new QVBoxLayout(box);
    m_planeTable = new SheetView(box);
    m_planeTable->setObjectName(QStringLiteral("PlaneTable"));
    m_planeTable->setAccessibleName(tr("Плоскости коррекции"));
    m_planeTable->setJobModel(new JobTableModel(m_document, JobTable::Planes, m_planeTable));
    // Every plane in sight: the panel scrolls, not the table.
    m_planeTable->fitHeightToRows();
    boxLayout->addWidget(m_planeTable);
    boxLayout->addWidget(TrialWeightDialog::makeButton(m_document, box), 0, Qt::AlignLeft);
    layout()->addWidget(box);
}

void SetupPanel::showDocument() {
    const Job& job = m_document->job();
    for (int field = 0; field < int(m_lines.size()); ++field)
        SetText(m_lines[field], QString::fromStdString(job.*kHeaderFields[field].Text));
    for (QWidget* control : std::initializer_list<QWidget*>{m_planes, m_points, m_convention,
                                                            m_rotation, m_trialsLeftOn, m_slowRoll})
        control->blockSignals(true);
    m_planes->setValue(job.Planes());
    m_points->setMinimum(job.Planes());
    m_points->setValue(job.Points);
    m_convention->setCurrentIndex(
        job.Convention == balance4::job::PhaseConvention::AgainstRotation ? 0 : 1);
    m_rotation->setCurrentIndex(job.Rotation == balance4::job::RotationDirection::Clockwise ? 0
                                                                                            : 1);
    m_trialsLeftOn->setChecked(job.Trials == balance4::job::TrialWeights::LeftOn);
    m_slowRoll->setChecked(!job.SlowRoll.empty());
    for (QWidget* control : std::initializer_list<QWidget*>{m_planes, m_points, m_convention,
                                                            m_rotation, m_trialsLeftOn, m_slowRoll})
        control->blockSignals(false);
    for (QLineEdit* line : {m_toleranceAmplitude, m_tolerancePhase}) {
        const int column = line == m_toleranceAmplitude ? 0 : 1;
        SetText(line, m_document->cellText(JobTable::Tolerance, 0, column));
        const QString reason = m_document->refusal(JobTable::Tolerance, 0, column);
        line->setStyleSheet(reason.isEmpty()
                                ? QString()
                                : QStringLiteral("background: rgb(200,40,40); color: white;"));
        line->setToolTip(reason);
    }
}
