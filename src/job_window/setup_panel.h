#pragma once
// The job's set-up: the header (title, machine, date, speed, who, unit), the shape (planes and
// points), the instrument and rotor conventions, and per plane its trial weight, radii and
// positions. A number that cannot be read is drawn red and the last good value stays in the job.
#include <QWidget>

#include "job.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QSpinBox;
class QTableWidget;
class QTableWidgetItem;

class SetupPanel : public QWidget {
    Q_OBJECT
  public:
    explicit SetupPanel(QWidget* parent = nullptr);

    // Shows a job's set-up; no signal.
    void load(const balance4::job::Job& job);
    // Writes the set-up into `job`, reshaping it to the panel's planes and points. Unreadable
    // numbers leave the job's values as they were loaded or last read.
    void store(balance4::job::Job& job) const;

    bool slowRollAsked() const;
    // The first unreadable set-up value, named; empty when all are fine.
    QString firstProblem() const;

  signals:
    void edited();
    // Planes, points, slow roll or how trial weights are handled changed: the tables change rows.
    void shapeEdited();

  private:
    void createHeader();
    void createPlanes();
    void resizePlanes(int planes);
    void markPlaneCell(QTableWidgetItem* cell);
    void readPlaneCells();

    QLineEdit* m_title = nullptr;
    QLineEdit* m_machine = nullptr;
    QLineEdit* m_date = nullptr;
    QLineEdit* m_speed = nullptr;
    QLineEdit* m_who = nullptr;
    QLineEdit* m_unit = nullptr;
    QSpinBox* m_planes = nullptr;
    QSpinBox* m_points = nullptr;
    QComboBox* m_convention = nullptr;
    QComboBox* m_rotation = nullptr;
    QCheckBox* m_trialsLeftOn = nullptr;
    QCheckBox* m_slowRoll = nullptr;
    QLineEdit* m_toleranceAmplitude = nullptr;
    QLineEdit* m_tolerancePhase = nullptr;
    QTableWidget* m_planeTable = nullptr;

    // The last readable values, kept where the typed text cannot be read.
    std::vector<balance4::job::PlaneSetup> m_good;
    balance4::job::Tolerance m_goodTolerance;
    QString m_separator = QStringLiteral(",");
    bool m_loading = false;
};
