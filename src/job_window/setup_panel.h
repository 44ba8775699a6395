#pragma once
// The job's set-up over the job document: the header (title, machine, date, speed, who, unit),
// the shape (planes and points), the instrument and rotor conventions, and per plane its trial
// weight, radii and positions. Every change is an edit of the document; the panel shows the
// document again after each one, undo and redo included.
#include <QWidget>

class JobDocument;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QSpinBox;
class SheetView;

class SetupPanel : public QWidget {
    Q_OBJECT
  public:
    explicit SetupPanel(JobDocument* document, QWidget* parent = nullptr);

    SheetView* planeTable() const { return m_planeTable; }

  private:
    void createHeader();
    void createShape();
    void createPlanes();
    void showDocument();
    QLineEdit* addLine(class QFormLayout* form, const QString& label, const QString& name);

    JobDocument* m_document;
    QList<QLineEdit*> m_lines;  // header fields, in field order
    QSpinBox* m_planes = nullptr;
    QSpinBox* m_points = nullptr;
    QComboBox* m_convention = nullptr;
    QComboBox* m_rotation = nullptr;
    QCheckBox* m_trialsLeftOn = nullptr;
    QCheckBox* m_slowRoll = nullptr;
    QLineEdit* m_toleranceAmplitude = nullptr;
    QLineEdit* m_tolerancePhase = nullptr;
    SheetView* m_planeTable = nullptr;
};
