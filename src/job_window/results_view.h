#pragma once
// A calculated job's results: per plane the mass, percent of trial, the angles from the zero mark
// and from the trial place, the spread and its trust, how much that plane's trial run moved the
// vibration, and the split; a banner when the solution is not to be trusted; and the residual
// vibration per point.
#include <QWidget>

#include "job/job.h"
#include "job/job_result.h"

class QLabel;
class QTableWidget;

class ResultsView : public QWidget {
    Q_OBJECT
  public:
    explicit ResultsView(QWidget* parent = nullptr);

    // Shows a result; a refused or unsolved job clears the numbers and shows why.
    void show(const balance4::job::Job& job, const balance4::job::JobResult& result);
    // No result yet: says what is missing.
    void showWaiting(const QString& why);

    QTableWidget* planeTable() const { return m_planes; }
    QLabel* banner() const { return m_banner; }
    QLabel* warnings() const { return m_warnings; }

  private:
    void showPlanes(const balance4::job::Job& job, const balance4::job::JobResult& result);
    void showPoints(const balance4::job::JobResult& result);
    void showWarnings(const balance4::job::Job& job, const balance4::job::JobResult& result);

    QLabel* m_banner = nullptr;
    QLabel* m_summary = nullptr;
    QLabel* m_warnings = nullptr;
    QTableWidget* m_planes = nullptr;
    QTableWidget* m_points = nullptr;
};

// The mass column's heading: the unit, and where the masses are already at the correction radius.
QString MassHeading(const balance4::job::Job& job);

// One plane's split as a line: "№3: 4,12 г; №4: 2,60 г", or why there is none.
QString SplitText(const balance4::job::SplitResult& split, const QString& unit,
                  const QString& separator);
