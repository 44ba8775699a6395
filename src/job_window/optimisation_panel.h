#pragma once
// The set-up's group «Оптимизация»: what the correction makes smallest, the vibration limit of
// each point, the mass limit of each plane and, with several speeds, the weight of each speed.
// Every change is an edit of the document.
#include <QGroupBox>

#include "table_cells.h"

class JobDocument;
class QComboBox;
class QLabel;
class SheetView;

class OptimisationPanel : public QGroupBox {
    Q_OBJECT
  public:
    explicit OptimisationPanel(JobDocument* document, QWidget* parent = nullptr);

    QComboBox* objective() const { return m_objective; }
    SheetView* pointLimits() const { return m_pointLimits; }
    SheetView* massLimits() const { return m_massLimits; }
    SheetView* speedWeights() const { return m_speedWeights; }

  private:
    void showDocument();

    JobDocument* m_document;
    QComboBox* m_objective = nullptr;
    SheetView* m_pointLimits = nullptr;
    SheetView* m_massLimits = nullptr;
    QLabel* m_speedLabel = nullptr;
    SheetView* m_speedWeights = nullptr;
};

// A small table of the set-up: every row in sight, its refusals told in the window's status bar.
SheetView* MakeSetupSheet(JobDocument* document, JobTable table, const QString& name,
                          const QString& title, QWidget* parent);
