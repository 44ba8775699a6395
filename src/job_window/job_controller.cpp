#include "job_controller.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>

#include "job/job.h"
#include "job_document.h"
#include "job_table_model.h"
#include "manual_at_chapter.h"
#include "manual_opener.h"
#include "recent_files.h"
#include "recovery_file.h"
#include "report/job_report.h"
#include "sheet_view.h"

using balance4::job::Outcome;

namespace {

QString FileFilter() {
    return QObject::tr("Работы балансировки (*.json);;Все файлы (*)");
}

}  // namespace

JobController::JobController(JobDocument* document, QWidget* window, ManualOpener* manual)
    : QObject(window), m_document(document), m_window(window), m_manual(manual) {}

void JobController::newJob() {
    if (!maybeSave()) return;
    m_document->startNew(m_document->job().Planes(), m_document->job().Points);
}

void JobController::exampleJob() {
    if (!maybeSave()) return;
    m_document->load(balance4::job::ExampleJob(), {});
    emit status(tr("Пример из калькулятора: пробные массы 100, поправки в % от пробной массы"), 0);
}

void JobController::openAsked() {
    if (!maybeSave()) return;
    const QString path = QFileDialog::getOpenFileName(
        m_window, tr("Открыть работу"), QFileInfo(m_document->path()).absolutePath(), FileFilter());
    if (!path.isEmpty()) openFile(path);
}

bool JobController::openFile(const QString& path) {
    QString error;
    if (!m_document->open(path, error)) {
        showMessage(tr("Не удалось открыть «%1»: %2").arg(QFileInfo(path).fileName(), error));
        return false;
    }
    remember(path);
    return true;
}

bool JobController::openFileAfterAsking(const QString& path) {
    return maybeSave() && openFile(path);
}

bool JobController::saveTo(const QString& path) {
    QString error;
    if (!m_document->saveTo(path, error)) {
        showMessage(tr("Не удалось сохранить «%1»: %2").arg(QFileInfo(path).fileName(), error));
        return false;
    }
    remember(m_document->path());
    emit status(tr("Сохранено: %1").arg(m_document->path()), 5000);
    return true;
}

bool JobController::save() {
    return m_document->path().isEmpty() ? saveAs() : saveTo(m_document->path());
}

bool JobController::saveAs() {
    QString path = QFileDialog::getSaveFileName(m_window, tr("Сохранить работу"),
                                                m_document->path(), FileFilter());
    if (path.isEmpty()) return false;
    if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".json");
    return saveTo(path);
}

bool JobController::maybeSave() {
    if (!m_document->isModified()) return true;
    QMessageBox question(QMessageBox::Warning, m_window->windowTitle(),
                         tr("Работа изменена. Сохранить изменения?"), QMessageBox::NoButton,
                         m_window);
    question.setObjectName(QStringLiteral("UnsavedQuestion"));
    question.setTextFormat(Qt::PlainText);
    QPushButton* saveButton = question.addButton(tr("Сохранить"), QMessageBox::AcceptRole);
    QPushButton* discard = question.addButton(tr("Не сохранять"), QMessageBox::DestructiveRole);
    QPushButton* cancel = question.addButton(tr("Отмена"), QMessageBox::RejectRole);
    question.setDefaultButton(saveButton);
    question.setEscapeButton(cancel);
    question.exec();
    if (question.clickedButton() == saveButton) return save();
    if (question.clickedButton() == discard) {
        m_document->recovery()->remove();
        return true;
    }
    return false;
}

void JobController::offerRecovery() {
    const QStringList orphans = m_document->recovery()->orphans();
    if (orphans.isEmpty()) return;
    QString originalPath;
    QString error;
    // The newest first; any other is offered at the next start.
    const QString orphan = orphans.first();
    const std::optional<balance4::job::Job> job = RecoveryFile::Read(orphan, originalPath, error);
    if (!job) {
        RecoveryFile::Discard(orphan);
        return;
    }
    QMessageBox question(
        QMessageBox::Question, m_window->windowTitle(),
        tr("Программа была закрыта, не сохранив работу%1. Восстановить её?")
            .arg(originalPath.isEmpty() ? QString()
                                        : tr(" «%1»").arg(QFileInfo(originalPath).fileName())),
        QMessageBox::NoButton, m_window);
    question.setObjectName(QStringLiteral("RecoveryQuestion"));
    question.setTextFormat(Qt::PlainText);
    QPushButton* restore = question.addButton(tr("Восстановить"), QMessageBox::AcceptRole);
    question.addButton(tr("Не восстанавливать"), QMessageBox::RejectRole);
    question.exec();
    if (question.clickedButton() == restore) m_document->load(*job, originalPath, true);
    RecoveryFile::Discard(orphan);
}

void JobController::writeReport() {
    if (m_document->result().Result != Outcome::Calculated) {
        showMessage(tr("Отчёт пишется по рассчитанной работе: сначала введите все показания."));
        return;
    }
    const QString jobPath = m_document->path();
    QString path = QFileDialog::getSaveFileName(
        m_window, tr("Отчёт PDF"),
        jobPath.isEmpty() ? QString()
                          : QFileInfo(jobPath).completeBaseName() + QStringLiteral(".pdf"),
        tr("PDF (*.pdf)"));
    if (path.isEmpty()) return;
    if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".pdf");
    QString error;
    // The report's own message names what failed; it is shown as it is.
    if (!balance4::jobwindow::WriteReportPdf(m_document->calculatedJob(), m_document->result(),
                                             path, error)) {
        showMessage(error);
        return;
    }
    emit status(tr("Отчёт записан: %1").arg(path), 5000);
}

void JobController::printReport() {
    if (m_document->result().Result != Outcome::Calculated) {
        showMessage(tr("Печатается рассчитанная работа: сначала введите все показания."));
        return;
    }
    balance4::jobwindow::PrintReport(m_document->calculatedJob(), m_document->result(), m_window);
}

void JobController::openManual() {
    if (!m_manual) return;
    QPointer<JobController> self(this);
    const QString fileName = QString::fromLatin1(kManualFileName);
    auto* atChapter = dynamic_cast<ChapterManualOpener*>(m_manual);
    if (!atChapter) {
        m_manual->open(fileName, [self](bool opened) {
            if (!opened && self) self->showMessage(ManualNotOpenedText());
        });
        return;
    }
    atChapter->openAt(fileName, QStringLiteral("job"), [self](const ManualOpening& opening) {
        if (self) self->tellManualOpening(opening);
    });
}

QString JobController::ManualNotOpenedText() {
    return tr("Не удалось открыть руководство: нет программы для просмотра PDF");
}

void JobController::tellManualOpening(const ManualOpening& opening) {
    const QString chapter = tr("«Окно балансировки balance4-job»");
    const QString page =
        opening.ChapterPage > 0 ? tr(", страница %1").arg(opening.ChapterPage) : QString();
    switch (opening.What) {
        case ManualOpening::Outcome::AtChapter:
            emit status(tr("Руководство открыто на главе %1%2").arg(chapter, page), 10000);
            break;
        case ManualOpening::Outcome::AtFirstPage:
            emit status(tr("Руководство открыто на первой странице; глава %1%2").arg(chapter, page),
                        0);
            break;
        case ManualOpening::Outcome::NoManual:
            showMessage(tr("Не найдено руководство %1: оно ставится вместе с программой")
                            .arg(QString::fromLatin1(kManualFileName)));
            break;
        case ManualOpening::Outcome::NoViewer:
            showMessage(ManualNotOpenedText());
            break;
    }
}

void JobController::fillRecentMenu(QMenu* menu) {
    menu->clear();
    const QStringList files = RecentFiles::list();
    for (int i = 0; i < files.size(); ++i) {
        const QString path = files[i];
        menu->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(path), this, [this, path] {
            if (!maybeSave()) return;
            if (!openFile(path) && !QFileInfo::exists(path)) {
                RecentFiles::remove(path);
                emit recentChanged();
            }
        });
    }
    menu->setEnabled(!files.isEmpty());
}

void JobController::showFirstProblem(SheetView* readings) {
    // A cell being edited counts: leaving its editor commits the text.
    if (readings->isEditing()) readings->setFocus();
    QAbstractItemModel* model = readings->model();
    QModelIndex empty;
    for (int row = 0; row < model->rowCount(); ++row) {
        for (int column = 0; column < model->columnCount(); ++column) {
            const QModelIndex at = model->index(row, column);
            const QString reason = at.data(JobTableModel::RefusalRole).toString();
            if (!reason.isEmpty()) {
                readings->setCurrentIndex(at);
                readings->setFocus();
                emit status(at.data(Qt::ToolTipRole).toString(), 0);
                return;
            }
            if (!empty.isValid() && at.data(Qt::EditRole).toString().trimmed().isEmpty())
                empty = at;
        }
    }
    if (empty.isValid()) {
        readings->setCurrentIndex(empty);
        readings->setFocus();
        emit status(tr("%1: не заполнено").arg(empty.data(Qt::AccessibleTextRole).toString()), 0);
        return;
    }
    const auto& result = m_document->result();
    if (result.Result == Outcome::Refused && !result.Failures.empty())
        emit status(QString::fromStdString(result.Failures.front().Message), 0);
}

void JobController::showMessage(const QString& text) {
    QMessageBox box(QMessageBox::Warning, m_window->windowTitle(), text, QMessageBox::Ok, m_window);
    box.setObjectName(QStringLiteral("JobMessage"));
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

void JobController::remember(const QString& path) {
    RecentFiles::add(path);
    emit recentChanged();
}
