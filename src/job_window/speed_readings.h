#pragma once
// The readings of every speed: a tab per speed above the readings table («Частота 1: 2980
// об/мин», «+ частота», remove), the speed's name beside it. The first speed's readings are the
// job's own table; each further speed's runs are rows of one more table, of which only the chosen
// speed's rows show.
#include <QWidget>

#include "job/job.h"

class JobDocument;
class QLineEdit;
class QPushButton;
class QTabBar;
class SheetView;

class SpeedReadingsArea : public QWidget {
    Q_OBJECT
  public:
    // Takes `readings`, the first speed's table, into the area.
    SpeedReadingsArea(JobDocument* document, SheetView* readings, QWidget* parent = nullptr);

    QTabBar* tabs() const { return m_tabs; }
    SheetView* moreReadings() const { return m_more; }
    // The table the chosen speed's readings are typed in.
    SheetView* current() const;

  private:
    void showDocument();
    void showSpeed(int speed);
    void addSpeed();
    void removeSpeed();

    JobDocument* m_document;
    QTabBar* m_tabs = nullptr;
    QLineEdit* m_name = nullptr;
    QPushButton* m_remove = nullptr;
    SheetView* m_readings = nullptr;
    SheetView* m_more = nullptr;
};
