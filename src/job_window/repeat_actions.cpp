#include "repeat_actions.h"

#include <QAction>
#include <QMenu>

#include "job_document.h"
#include "reading_rows.h"
#include "sheet_view.h"
#include "table_cells.h"

using balance4::job::Job;

RepeatActions::RepeatActions(JobDocument* document, SheetView* readings)
    : QObject(readings),
      m_document(document),
      m_readings(readings),
      m_add(new QAction(tr("Добавить повтор пуска"), readings)),
      m_remove(new QAction(tr("Удалить повтор"), readings)) {
    m_add->setObjectName(QStringLiteral("AddRepeat"));
    m_add->setShortcut(QKeySequence(tr("Ctrl+R")));
    m_add->setToolTip(
        tr("Показания того же пуска, снятые ещё раз: по их разбросу оценивается "
           "надёжность поправок"));
    m_remove->setObjectName(QStringLiteral("RemoveRepeat"));
    m_remove->setShortcut(QKeySequence(tr("Ctrl+Shift+R")));
    for (QAction* action : {m_add, m_remove}) {
        // The window's menu holds them too: the keys work wherever the focus is in the window.
        action->setShortcutContext(Qt::WindowShortcut);
        readings->addAction(action);
    }
    readings->setContextMenuPolicy(Qt::ActionsContextMenu);
    connect(m_add, &QAction::triggered, this, &RepeatActions::add);
    connect(m_remove, &QAction::triggered, this, &RepeatActions::remove);
    connect(document, &JobDocument::changed, this, &RepeatActions::updateEnabled);
    connect(readings->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &RepeatActions::updateEnabled);
    updateEnabled();
}

void RepeatActions::addTo(QMenu* menu) const {
    menu->addAction(m_add);
    menu->addAction(m_remove);
}

void RepeatActions::updateEnabled() {
    const Job& job = m_document->job();
    const int row = m_readings->currentIndex().isValid() ? m_readings->currentIndex().row() : -1;
    const int run = row >= 0 ? table_cells::RunOfRow(job, row) : -1;
    m_add->setEnabled(run >= 0 && run <= job.Planes());
    m_remove->setEnabled(row >= 0 && table_cells::RepeatOfRow(job, row) >= 0);
}

void RepeatActions::add() {
    const Job& job = m_document->job();
    const QModelIndex current = m_readings->currentIndex();
    const int run = current.isValid() ? table_cells::RunOfRow(job, current.row()) : -1;
    if (run < 0 || run > job.Planes()) return;
    m_document->edit(tr("Добавить повтор пуска %1").arg(run), [run](Job& changed) {
        changed.Repeats.push_back(
            {run, std::vector<balance4::job::ReadingText>(std::size_t(changed.Points))});
    });
    // The new repeat is the last of its run's rows.
    const Job& added = m_document->job();
    const std::vector<ReadingRowContent> rows = ReadingRowContents(added);
    const int repeat = int(added.Repeats.size()) - 1;
    for (int row = 0; row < int(rows.size()); ++row) {
        if (rows[std::size_t(row)].Repeat != repeat) continue;
        m_readings->setCurrentIndex(m_readings->model()->index(row, 0));
        m_readings->setFocus();
    }
}

void RepeatActions::remove() {
    const QModelIndex current = m_readings->currentIndex();
    if (!current.isValid()) return;
    const int row = current.row();
    const int column = current.column();
    const int repeat = table_cells::RepeatOfRow(m_document->job(), row);
    if (repeat < 0) return;
    m_document->edit(tr("Удалить повтор"), [repeat](Job& changed) {
        changed.Repeats.erase(changed.Repeats.begin() + repeat);
    });
    m_readings->setCurrentIndex(
        m_readings->model()->index(std::min(row, m_readings->model()->rowCount() - 1), column));
}
