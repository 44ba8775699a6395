#pragma once
// The set-up's group «Набор грузов»: the fixed masses at hand with how many of each, how many
// weights one hole takes and how long the search may take. With a box and holes in every plane,
// the calculation places the box's weights in the holes.
#include <QGroupBox>

class JobDocument;
class QDoubleSpinBox;
class QSpinBox;
class SheetView;

class WeightBoxPanel : public QGroupBox {
    Q_OBJECT
  public:
    explicit WeightBoxPanel(JobDocument* document, QWidget* parent = nullptr);

    SheetView* masses() const { return m_masses; }
    QSpinBox* perHole() const { return m_perHole; }
    QDoubleSpinBox* seconds() const { return m_seconds; }

  private:
    void showDocument();

    JobDocument* m_document;
    SheetView* m_masses = nullptr;
    QSpinBox* m_perHole = nullptr;
    QDoubleSpinBox* m_seconds = nullptr;
};
