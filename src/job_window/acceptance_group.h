#pragma once
// The set-up's «Приёмка» group: what the customer accepts the rotor by. The vibration limit (one
// for every point or one per point), the rotor as the balance-grade check needs it, and whether
// control runs refine the coefficients. Every change is an edit of the document; a text that
// cannot be used stays in its field, red, with the reason, and the job keeps its last good value.
#include <QGroupBox>

class JobDocument;
class QCheckBox;
class QComboBox;
class QLineEdit;

class AcceptanceGroup : public QGroupBox {
    Q_OBJECT
  public:
    explicit AcceptanceGroup(JobDocument* document, QWidget* parent = nullptr);

    // The fields in order; each one's object name says what it holds.
    enum Field { Limit, RotorMass, Speed, Grade, Levers, Bearings, PlanePositions, FieldCount };
    QLineEdit* line(Field field) const { return m_lines[field]; }
    QComboBox* gradeBox() const { return m_grade; }
    QCheckBox* refineBox() const { return m_refine; }
    // Why the field's text is refused; empty when it is not.
    QString refusal(Field field) const;

  private:
    void typed(Field field, const QString& text);
    void showDocument();
    void mark(Field field);

    JobDocument* m_document;
    QLineEdit* m_lines[FieldCount] = {};
    QComboBox* m_grade = nullptr;
    QCheckBox* m_refine = nullptr;
};
