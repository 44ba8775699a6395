#pragma once
#include <QStringList>
#include <QTimer>

#include "manual_opener.h"

// Records the requests and answers as told; never starts a viewer.
class FakeOpener : public ManualOpener {
  public:
    void open(const QString& fileName, Done done) override {
        requests << fileName;
        if (answerAfter < 0)
            done(answer);
        else  // as the desktop's opener answers: later, from the event loop
            QTimer::singleShot(answerAfter, [done, answer = answer] { done(answer); });
    }

    explicit FakeOpener(bool answer = true) : answer(answer) {}

    bool answer;
    int answerAfter = -1;  // milliseconds; -1: at once
    QStringList requests;
};
