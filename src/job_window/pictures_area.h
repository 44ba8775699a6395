#pragma once
// The «Рисунки» tab: the pictures of the last calculated job, seen from the end the user picks.
#include <QWidget>

#include "job/job.h"
#include "job/job_result.h"

class QComboBox;
namespace balance4::jobwindow {
class JobPicture;
}

class PicturesArea : public QWidget {
    Q_OBJECT
  public:
    explicit PicturesArea(QWidget* parent = nullptr);

    void show(const balance4::job::Job& job, const balance4::job::JobResult& result);

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void redraw();

    QComboBox* m_end = nullptr;
    balance4::jobwindow::JobPicture* m_picture = nullptr;
    balance4::job::Job m_job;
    balance4::job::JobResult m_result;
    bool m_stale = false;  // shown a new result while hidden: drawn when shown
};
