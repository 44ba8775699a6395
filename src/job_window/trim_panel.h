#pragma once
// The control run («Контрольный пуск») after corrections were fitted: a new run without trial
// weights, the weights now on the rotor, the trim corrections from the job's coefficients combined
// with them into one weight per plane, and the history of control runs kept in the job. What is
// typed here belongs to the job document like every other reading.
#include <QWidget>

class JobDocument;
class QLabel;
class QPushButton;
class QTableWidget;
class SheetView;

class TrimPanel : public QWidget {
    Q_OBJECT
  public:
    explicit TrimPanel(JobDocument* document, QWidget* parent = nullptr);

    SheetView* runTable() const { return m_run; }
    SheetView* installedTable() const { return m_installed; }
    QPushButton* recordButton() const { return m_record; }

  private:
    void showResult();
    void showHistory();

    JobDocument* m_document;
    SheetView* m_run = nullptr;
    SheetView* m_installed = nullptr;
    QTableWidget* m_result = nullptr;
    QTableWidget* m_history = nullptr;
    QLabel* m_state = nullptr;
    QPushButton* m_record = nullptr;
};
