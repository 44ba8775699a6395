#include "job_report.h"

#include <QBuffer>
#include <QMessageBox>
#include <QPageLayout>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>

#include "job/atomic_file.h"
#include "report_content.h"
#include "report_numbers.h"

namespace balance4::jobwindow {

namespace {

constexpr int kPdfResolution = 300;

QPageLayout A4() {
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(15, 12, 15, 12),
                       QPageLayout::Millimeter);
}

}  // namespace

bool PaintReport(QPagedPaintDevice& device, const job::Job& job, const job::JobResult& result) {
    return BuildReport(job, result, LocaleDecimal()).Print(device, ReportFooter(job));
}

bool WriteReportPdf(const job::Job& job, const job::JobResult& result, const QString& path,
                    QString& error) {
    // The pages are made in memory first: nothing reaches the disk unless all of them were drawn.
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    bool drawn = false;
    {
        QPdfWriter writer(&pdf);
        writer.setResolution(kPdfResolution);
        writer.setPageLayout(A4());
        writer.setTitle(QString::fromStdString(job.Title));
        writer.setCreator(QStringLiteral("balance4-job"));
        drawn = PaintReport(writer, job, result);
    }
    if (!drawn || pdf.data().isEmpty()) {
        error = QStringLiteral("Не удалось составить отчёт.");
        return false;
    }
    std::string why;
    if (!job::WriteFileAtomically(path.toStdString(), pdf.data().toStdString(), why)) {
        error = QStringLiteral("Отчёт не записан: %1.").arg(QString::fromStdString(why));
        return false;
    }
    return true;
}

void PrintReport(const job::Job& job, const job::JobResult& result, QWidget* parent) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(A4());
    printer.setDocName(QString::fromStdString(job.Title));
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(QStringLiteral("Печать отчёта"));
    if (dialog.exec() != QDialog::Accepted) return;
    if (!PaintReport(printer, job, result))
        QMessageBox::warning(parent, QStringLiteral("Печать отчёта"),
                             QStringLiteral("Не удалось напечатать отчёт."));
}

}  // namespace balance4::jobwindow
