#pragma once
#include <QStringList>

// `--report OUT.pdf JOB`: reads the job, calculates it and writes its report through the same code
// as the window's menu. Returns the exit status: 0 written, 2 the arguments, the job file or the
// writing failed (a one-line message on standard error), 3 written but the result is not to be
// trusted.
int RunCommandLineReport(const QStringList& arguments);
