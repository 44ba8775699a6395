#pragma once
// The control run («Контрольный пуск») after corrections were fitted: a new run without trial
// weights, the weights now on the rotor, the trim corrections from the job's coefficients combined
// with them into one weight per plane, and the history of control runs kept in the job.
#include <QWidget>

#include "job.h"
#include "job_result.h"

class QLabel;
class QPushButton;
class QTableWidget;
class ReadingsTable;

class TrimPanel : public QWidget {
    Q_OBJECT
  public:
    explicit TrimPanel(QWidget* parent = nullptr);

    // Shows the job's shape, installed weights and history; keeps the typed run where it fits.
    void load(const balance4::job::Job& job);
    // The weights on the rotor as shown, one per plane (or none when all are empty).
    void storeInstalled(balance4::job::Job& job) const;
    std::vector<balance4::job::ReadingText> run0(const QString& separator) const;
    bool runComplete() const;

    void showResult(const balance4::job::Job& job, const balance4::job::JobResult& result);
    // Fills the installed weights, e.g. with the corrections just calculated.
    void setInstalled(const std::vector<balance4::job::Weight>& weights);

    ReadingsTable* runTable() const { return m_run; }
    QPushButton* recordButton() const { return m_record; }

  signals:
    void edited();
    void installedFromResults();  // the user asks for the calculated corrections as installed
    void recordAsked();           // keep the calculated control run in the job's history

  private:
    void showHistory(const balance4::job::Job& job);

    ReadingsTable* m_run = nullptr;
    QTableWidget* m_installed = nullptr;
    QTableWidget* m_result = nullptr;
    QTableWidget* m_history = nullptr;
    QLabel* m_state = nullptr;
    QPushButton* m_record = nullptr;
    bool m_loading = false;
};
