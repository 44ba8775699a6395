#include "command_line_report.h"

#include <QFile>
#include <cstdio>

#include "job/calculate.h"
#include "job/job_file.h"
#include "job_calculator.h"
#include "report/job_report.h"

namespace {

int Fail(const QString& message) {
    std::fprintf(stderr, "balance4-job: %s\n", message.toLocal8Bit().constData());
    return 2;
}

}  // namespace

int RunCommandLineReport(const QStringList& arguments) {
    if (arguments.size() != 3 || arguments[0] != QLatin1String("--report"))
        return Fail(QStringLiteral("ожидается --report ОТЧЁТ.pdf ФАЙЛ"));
    const QString output = arguments[1];
    const QString input = arguments[2];
    std::string error;
    const std::optional<balance4::job::Job> job =
        balance4::job::LoadJobFile(QFile::encodeName(input).toStdString(), error);
    if (!job) return Fail(input + QStringLiteral(": ") + QString::fromStdString(error));
    const balance4::job::JobResult result = JobCalculator::RunSafely(
        [](const balance4::job::Job& job) { return balance4::job::Calculate(job); }, *job);
    if (result.Result == balance4::job::Outcome::Refused) {
        return Fail(result.Failures.empty()
                        ? QStringLiteral("работа не рассчитана")
                        : QString::fromStdString(result.Failures.front().Message));
    }
    if (result.Result == balance4::job::Outcome::NoSolution)
        return Fail(QString::fromStdString(result.Message));
    QString message;
    if (!balance4::jobwindow::WriteReportPdf(*job, result, output, message))
        return Fail(output + QStringLiteral(": ") + message);
    return result.Untrusted ? 3 : 0;
}
