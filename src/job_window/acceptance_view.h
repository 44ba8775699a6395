#pragma once
// The «Приёмка» tab: is the rotor balanced. The vibration at each point over the runs (run 0,
// each control run, the prediction) against the limit, each point's word and the job's verdict,
// the balance-grade check, the coefficients' change by refinement, and the trend and run-vector
// pictures the report draws too. The document finds the figures on its worker while the tab is in
// sight; the tab only shows them.
#include <QWidget>

#include "report/acceptance_figures.h"

class JobDocument;
class QLabel;
class QTableWidget;

class AcceptanceView : public QWidget {
    Q_OBJECT
  public:
    explicit AcceptanceView(JobDocument* document, QWidget* parent = nullptr);

    QLabel* verdict() const { return m_verdict; }
    QLabel* iso() const { return m_iso; }
    QTableWidget* table() const { return m_table; }
    QTableWidget* refinementTable() const { return m_refinement; }
    const balance4::jobwindow::AcceptanceFigures& figures() const { return m_figures; }

  signals:
    // New figures are on the tab.
    void refreshed();

  protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    void refresh();

    JobDocument* m_document;
    QLabel* m_verdict = nullptr;
    QLabel* m_iso = nullptr;
    QTableWidget* m_table = nullptr;
    QLabel* m_refinementText = nullptr;
    QTableWidget* m_refinement = nullptr;
    class AcceptancePictures* m_pictures = nullptr;
    balance4::jobwindow::AcceptanceFigures m_figures;
};
