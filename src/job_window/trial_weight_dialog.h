#pragma once
// Sizing the trial weights before the first trial run: rotor mass, speed (from the job's speed
// when it holds a number) and trial radius (where the planes' table has none) give the usual
// trial mass per plane and its least; «Вписать в пустые» writes the usual one, rounded, into
// every plane whose trial mass is still empty, as one undoable edit. A typed mass is never
// replaced.
#include <QDialog>
#include <optional>
#include <vector>

class JobDocument;
class QLabel;
class QLineEdit;
class QPushButton;

class TrialWeightDialog : public QDialog {
    Q_OBJECT
  public:
    explicit TrialWeightDialog(JobDocument* document, QWidget* parent = nullptr);

    // The set-up's button that opens the dialog.
    static QPushButton* makeButton(JobDocument* document, QWidget* parent);

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    // The usual trial mass per plane in grams, or why there is none (shown in the result line).
    std::optional<std::vector<double>> usualMasses(QString& text) const;
    void update();
    void fill();

    JobDocument* m_document;
    QLineEdit* m_rotorMass;
    QLineEdit* m_speed;
    QLineEdit* m_radius;
    QLabel* m_result;
    QPushButton* m_fill;
};
