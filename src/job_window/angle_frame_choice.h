#pragma once
// The set-up's choice of the way angles on the rotor are counted (trial angles, positions and
// results): opposite to the instrument's phase, the program's own frame, or the same way as the
// phase, as many papers give their data. Each item names the way it runs with the rotation for
// the phase convention the job has now.
#include <QComboBox>

class JobDocument;

class AngleFrameChoice : public QComboBox {
    Q_OBJECT
  public:
    explicit AngleFrameChoice(JobDocument* document, QWidget* parent = nullptr);

  private:
    void showDocument();

    JobDocument* m_document;
};
