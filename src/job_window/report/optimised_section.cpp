#include "optimised_section.h"

#include "job/optimised_text.h"
#include "report_numbers.h"

namespace balance4::jobwindow {

namespace {

QString Q(std::string_view text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

QString SpeedLabel(const job::Job& job, int speed) {
    const std::string& name = speed == 0 ? job.Speed : job.MoreSpeeds[std::size_t(speed - 1)].Speed;
    return name.empty() ? QStringLiteral("Частота %1").arg(speed + 1)
                        : QStringLiteral("Частота %1: %2").arg(speed + 1).arg(Q(name));
}

ReportTable ResidualsBySpeed(const job::Job& job, const std::vector<job::ResidualAt>& residuals,
                             const QString& d) {
    ReportTable table;
    table.Corner = QStringLiteral("Частота");
    for (int point = 0; point < job.Points; ++point)
        table.Columns << QStringLiteral("Точка %1").arg(point + 1);
    for (int speed = 0; speed < job.Speeds(); ++speed)
        table.Rows.push_back({SpeedLabel(job, speed), QStringList(job.Points, QString())});
    for (const job::ResidualAt& r : residuals)
        if (r.Speed < job.Speeds() && r.Point < job.Points)
            table.Rows[std::size_t(r.Speed)].Cells[r.Point] = Fixed2(r.Amplitude, d);
    return table;
}

}  // namespace

void OptimisedSection(ReportDocument& report, const job::Job& job, const job::JobResult& result,
                      const QString& d) {
    if (result.Result != job::Outcome::Calculated || !result.Optimised) return;
    const std::string separator = d.toStdString();
    const job::OptimisedSummary& summary = *result.Optimised;
    const job::Optimisation& setup = job.Optimise;
    report.Heading(QStringLiteral("Цель и пределы"));
    report.Text(Q(job::ObjectiveSentence(summary.Goal)));
    report.Text(job::AnyLimitGiven(setup.MassLimit)
                    ? QStringLiteral("Пределы массы по плоскостям, %1: %2.")
                          .arg(Q(job.Unit), Q(job::LimitListText(setup.MassLimit, separator)))
                    : QStringLiteral("Пределов массы нет."));
    report.Text(job::AnyLimitGiven(setup.PointLimit)
                    ? QStringLiteral("Пределы вибрации по точкам: %1; вибрация точки с пределом "
                                     "считается в долях предела.")
                          .arg(Q(job::LimitListText(setup.PointLimit, separator)))
                    : QStringLiteral("Пределов вибрации по точкам нет."));
    if (job.Speeds() > 1) {
        QStringList weights;
        for (int s = 0; s < job.Speeds(); ++s) {
            const double w =
                std::size_t(s) < setup.SpeedWeight.size() && setup.SpeedWeight[std::size_t(s)] > 0.0
                    ? setup.SpeedWeight[std::size_t(s)]
                    : 1.0;
            weights << Fixed2(w, d);
        }
        report.Text(QStringLiteral("Одна поправка на %1 частоты; веса частот: %2.")
                        .arg(job.Speeds())
                        .arg(weights.join(QStringLiteral("; "))));
    }

    std::vector<std::pair<QString, job::AnswerFigures>> answers = {
        {QStringLiteral("Наименьшие квадраты"), summary.LeastSquares},
        {QStringLiteral("Эта поправка"), summary.Chosen}};
    if (result.Box && result.Box->Found)
        answers.push_back({"Грузы из набора", result.Box->Figures});
    ReportTable comparison;
    comparison.Corner = QStringLiteral("Остаточная вибрация");
    QStringList worst, where, rms;
    for (const auto& [name, figures] : answers) {
        comparison.Columns << name;
        worst << Fixed2(figures.Worst, d);
        where << Q(job::WorstPlaceText(figures, job.Speeds()));
        rms << Fixed2(figures.Rms, d);
    }
    comparison.Rows = {{QStringLiteral("наибольшая"), worst},
                       {QStringLiteral("где"), where},
                       {QStringLiteral("среднеквадратичная"), rms}};
    report.KeepWithNext();
    report.Table(comparison);
    report.Text(QStringLiteral("Остаточная вибрация после этой поправки:"),
                ReportDocument::Style::Bold);
    report.KeepWithNext();
    report.Table(ResidualsBySpeed(job, result.Residuals, d));

    if (!result.Box) return;
    const job::BoxResult& box = *result.Box;
    report.Heading(QStringLiteral("Грузы из набора"));
    report.Text(QStringLiteral("Набор %1 %2, до %3 в отверстие, время подбора до %4 с.")
                    .arg(Q(job::BoxKindsText(setup.Box.Masses, separator)), Q(job.Unit))
                    .arg(setup.Box.PerHole)
                    .arg(Short(setup.Box.Seconds, d)));
    if (!box.Found) {
        report.Text(Q(box.Message) + QLatin1Char('.'));
        return;
    }
    report.Text(Q(job::BoxSearchText(box, separator)));
    ReportTable holes;
    holes.Corner = QStringLiteral("Плоскость");
    holes.Columns = {QStringLiteral("Отверстие"), QStringLiteral("Угол, °"),
                     QStringLiteral("Грузы, ") + Q(job.Unit)};
    for (const job::HoleLoad& hole : box.Holes) {
        QStringList masses;
        for (const double mass : hole.Masses) masses << Short(mass, d);
        holes.Rows.push_back({QString::number(hole.Plane + 1),
                              {QString::number(hole.At.Number), Short(hole.At.AngleDegrees, d),
                               masses.join(QStringLiteral(" + "))}});
    }
    report.KeepWithNext();
    report.Table(holes);
    report.Text(QStringLiteral("Без набора наибольшая остаточная %1; поправка, разложенная на два "
                               "отверстия и округлённая до грузов набора, — %2.")
                    .arg(Fixed2(summary.Chosen.Worst, d),
                         box.NaiveFits ? Fixed2(box.Naive.Worst, d)
                                       : QStringLiteral("не помещается в набор")));
    report.Text(QStringLiteral("Остаточная вибрация с грузами из набора:"),
                ReportDocument::Style::Bold);
    report.KeepWithNext();
    report.Table(ResidualsBySpeed(job, box.Residuals, d));
}

}  // namespace balance4::jobwindow
