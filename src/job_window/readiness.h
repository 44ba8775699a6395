#pragma once
// The status bar's line on the readings: how many are refused or still empty, else what the
// latest calculation gave.
#include <QString>

class JobDocument;
class QAbstractItemModel;

struct Readiness {
    QString Text;
    bool Waiting = false;  // nothing to show until the readings are complete and valid
};

Readiness ReadinessOf(const JobDocument& document, const QAbstractItemModel& readings);
