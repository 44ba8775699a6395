#pragma once
// The set-up field for the instrument's unit (мкм, mils, мм/с, in/s, g): a label only, shown in
// the readings' headings, the residual vibration and the report; the numbers do not change.
#include <QLineEdit>

class JobDocument;

class ReadingUnitField : public QLineEdit {
    Q_OBJECT
  public:
    explicit ReadingUnitField(JobDocument* document, QWidget* parent = nullptr);

  private:
    JobDocument* m_document;
};
