#include "trial_weight_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QVBoxLayout>
#include <cmath>

#include "job/trial_weight.h"
#include "job/units.h"
#include "job_document.h"
#include "number_texts.h"

using balance4::job::Job;

namespace {

// The number a speed text starts with: «2980 об/мин», «18 000 об/мин».
QString LeadingNumber(const QString& text) {
    static const QRegularExpression number(QStringLiteral("^\\s*(\\d[\\d  ]*(?:[.,]\\d+)?)"));
    const QRegularExpressionMatch match = number.match(text);
    if (!match.hasMatch()) return {};
    return match.captured(1).remove(QLatin1Char(' ')).remove(QChar(0x00A0));
}

// A trial weight is cut to about three significant digits: finer than that nobody weighs it.
double Rounded(double mass) {
    if (!(mass > 0.0) || !std::isfinite(mass)) return mass;
    const double step = std::pow(10.0, std::floor(std::log10(mass)) - 2.0);
    return std::round(mass / step) * step;
}

}  // namespace

TrialWeightDialog::TrialWeightDialog(JobDocument* document, QWidget* parent)
    : QDialog(parent), m_document(document) {
    setObjectName(QStringLiteral("TrialWeightDialog"));
    setWindowTitle(tr("Пробные массы"));
    auto* layout = new QVBoxLayout(this);
    auto* explanation = new QLabel(
        tr("Центробежная сила пробного груза — 5…10 % веса ротора, приходящегося на плоскость: "
           "m = s·M·g / (N·r·ω²)."),
        this);
    explanation->setWordWrap(true);
    layout->addWidget(explanation);
    auto* form = new QFormLayout;
    const auto line = [this, form](const QString& label, const QString& name) {
        auto* field = new QLineEdit(this);
        field->setObjectName(name);
        field->setAccessibleName(label);
        form->addRow(label + QLatin1Char(':'), field);
        connect(field, &QLineEdit::textChanged, this, &TrialWeightDialog::update);
        return field;
    };
    m_rotorMass = line(tr("Масса ротора, кг"), QStringLiteral("RotorMass"));
    m_speed = line(tr("Частота вращения, об/мин"), QStringLiteral("RotorSpeed"));
    m_radius = line(tr("Радиус пробного груза, мм"), QStringLiteral("TrialRadiusAll"));
    m_radius->setToolTip(tr("Для плоскостей, где радиус пробного груза в таблице не указан"));
    layout->addLayout(form);
    m_result = new QLabel(this);
    m_result->setObjectName(QStringLiteral("TrialWeightResult"));
    m_result->setTextFormat(Qt::PlainText);
    m_result->setWordWrap(true);
    layout->addWidget(m_result);
    auto* buttons = new QDialogButtonBox(this);
    m_fill = buttons->addButton(tr("Вписать в пустые"), QDialogButtonBox::ActionRole);
    m_fill->setObjectName(QStringLiteral("FillTrialMasses"));
    m_fill->setToolTip(tr("Вписать обычную пробную массу в плоскости, где она ещё не указана"));
    QPushButton* close = buttons->addButton(tr("Закрыть"), QDialogButtonBox::RejectRole);
    connect(m_fill, &QPushButton::clicked, this, &TrialWeightDialog::fill);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    layout->addWidget(buttons);

    const Job& job = m_document->job();
    m_speed->setText(LeadingNumber(QString::fromStdString(job.Speed)));
    for (const balance4::job::PlaneSetup& plane : job.Plane) {
        if (plane.TrialRadius > 0.0) {
            m_radius->setText(
                PlainNumberText(plane.TrialRadius, balance4::jobwindow::LocaleDecimal()));
            break;
        }
    }
    update();
}

QPushButton* TrialWeightDialog::makeButton(JobDocument* document, QWidget* parent) {
    auto* button = new QPushButton(tr("Подобрать пробные массы…"), parent);
    button->setObjectName(QStringLiteral("SizeTrialMasses"));
    connect(button, &QPushButton::clicked, button, [document, button] {
        TrialWeightDialog dialog(document, button->window());
        dialog.exec();
        button->window()->activateWindow();
    });
    return button;
}

void TrialWeightDialog::keyPressEvent(QKeyEvent* event) {
    // Enter in a field only ends the typing: the masses are written by the button alone.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        qobject_cast<QLineEdit*>(focusWidget())) {
        event->ignore();
        return;
    }
    QDialog::keyPressEvent(event);
}

std::optional<std::vector<double>> TrialWeightDialog::usualMasses(QString& text) const {
    const Job& job = m_document->job();
    const std::string separator = balance4::jobwindow::LocaleDecimal().toStdString();
    const auto value = [](QLineEdit* field) { return ReadNumberText(field->text()).value_or(0.0); };
    std::vector<double> usual;
    QStringList lines;
    bool same = true;
    for (int k = 0; k < job.Planes(); ++k) {
        const double radius = job.Plane[std::size_t(k)].TrialRadius > 0.0
                                  ? job.Plane[std::size_t(k)].TrialRadius
                                  : value(m_radius);
        std::string error;
        const std::optional<balance4::job::TrialWeightRange> range = balance4::job::SizeTrialWeight(
            value(m_rotorMass), value(m_speed), radius, job.Planes(), error);
        if (!range) {
            text = tr("Плоскость %1: %2.").arg(k + 1).arg(QString::fromStdString(error));
            return std::nullopt;
        }
        same = same && (usual.empty() || range->Usual == usual.front());
        usual.push_back(range->Usual);
        lines << tr("Плоскость %1. %2.")
                     .arg(k + 1)
                     .arg(
                         QString::fromStdString(balance4::job::TrialWeightText(*range, separator)));
        if (k == 0 && job.Planes() > 0) {
            // One line when every plane gets the same.
            text = QString::fromStdString(balance4::job::TrialWeightText(*range, separator)) +
                   QLatin1Char('.');
        }
    }
    if (!same) text = lines.join(QLatin1Char('\n'));
    return usual;
}

void TrialWeightDialog::update() {
    QString text;
    m_fill->setEnabled(usualMasses(text).has_value());
    m_result->setText(text);
}

void TrialWeightDialog::fill() {
    QString text;
    const std::optional<std::vector<double>> usual = usualMasses(text);
    if (!usual) return;
    const Job& job = m_document->job();
    const std::optional<double> grams = balance4::job::GramsPerUnit(job.Unit);
    if (!grams) {
        m_result->setText(text + QLatin1Char('\n') +
                          tr("Единица массы работы «%1» — не граммы и не килограммы: впишите "
                             "пробные массы сами.")
                              .arg(QString::fromStdString(job.Unit)));
        return;
    }
    std::vector<std::pair<int, double>> masses;
    for (int k = 0; k < job.Planes(); ++k) {
        const bool typed = job.Plane[std::size_t(k)].TrialMass != 0.0 ||
                           m_document->state().Pending.contains({JobTable::Planes, k, kTrialMass});
        if (!typed) masses.emplace_back(k, Rounded((*usual)[std::size_t(k)] / *grams));
    }
    if (masses.empty()) {
        m_result->setText(text + QLatin1Char('\n') +
                          tr("Пробные массы уже вписаны во все плоскости: ничего не изменено."));
        return;
    }
    m_document->edit(tr("Подобрать пробные массы"), [masses](Job& changed) {
        for (const auto& [plane, mass] : masses) changed.Plane[std::size_t(plane)].TrialMass = mass;
    });
    QStringList planes;
    for (const auto& entry : masses) planes << QString::number(entry.first + 1);
    m_result->setText(text + QLatin1Char('\n') +
                      tr("Вписано в плоскости: %1.").arg(planes.join(QStringLiteral(", "))));
}
