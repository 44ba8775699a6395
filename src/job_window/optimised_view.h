#pragma once
// What an optimised correction leaves, under the results: the objective and the limits, the
// least-squares answer and this one side by side (worst point, where, RMS), the weights from the
// box hole by hole with how far the search got, and the residual of every point at every speed
// with each speed's conditioning. Empty for a plain least-squares job.
#include <QScrollArea>

#include "job/job.h"
#include "job/job_result.h"

class QLabel;
class QTableWidget;

class OptimisedView : public QScrollArea {
    Q_OBJECT
  public:
    explicit OptimisedView(QWidget* parent = nullptr);

    void showResult(const balance4::job::Job& job, const balance4::job::JobResult& result);
    void clear();
    // The result shown is an optimised one.
    bool hasAnswer() const { return m_hasAnswer; }

    QTableWidget* comparison() const { return m_comparison; }
    QTableWidget* boxHoles() const { return m_boxHoles; }
    QTableWidget* speedResiduals() const { return m_speedResiduals; }

  private:
    void showComparison(const balance4::job::Job& job, const balance4::job::JobResult& result);
    void showBox(const balance4::job::Job& job, const balance4::job::JobResult& result);
    void showSpeeds(const balance4::job::Job& job, const balance4::job::JobResult& result);

    QWidget* m_content = nullptr;
    bool m_hasAnswer = false;
    QLabel* m_goal = nullptr;
    QTableWidget* m_comparison = nullptr;
    QLabel* m_box = nullptr;
    QTableWidget* m_boxHoles = nullptr;
    QTableWidget* m_speedResiduals = nullptr;
};
