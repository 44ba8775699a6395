#pragma once
#include <QStringList>

#include "manual_opener.h"

// Records the requests and answers as told; never starts a viewer.
class FakeOpener : public ManualOpener {
  public:
    bool open(const QString& fileName) override {
        requests << fileName;
        return answer;
    }

    explicit FakeOpener(bool answer = true) : answer(answer) {}

    bool answer;
    QStringList requests;
};
