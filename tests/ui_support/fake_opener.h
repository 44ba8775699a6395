#pragma once
#include <QStringList>

#include "manual_opener.h"

// Records the requests and answers as told; never starts a viewer.
class FakeOpener : public ManualOpener {
  public:
    void open(const QString& fileName, Done done) override {
        requests << fileName;
        done(answer);
    }

    explicit FakeOpener(bool answer = true) : answer(answer) {}

    bool answer;
    QStringList requests;
};
