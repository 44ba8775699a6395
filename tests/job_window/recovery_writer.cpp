// Child process of the recovery test: edits a job without end, each edit handed to its recovery
// file as the window hands it over, until it is killed. Says "ready" once the first edit is on
// disk.
#include <QCoreApplication>
#include <cstdio>
#include <string>

#include "job/job.h"
#include "recovery_file.h"

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    if (argc != 2) return 2;
    RecoveryFile recovery(QString::fromLocal8Bit(argv[1]));
    balance4::job::Job job = balance4::job::MakeJob(4, 8);
    for (long edit = 0;; ++edit) {
        // The edit's number in two places, so that a torn file would show as a mismatch.
        job.Title = "правка " + std::to_string(edit);
        job.Readings[edit % 5][edit % 8].Amplitude = std::to_string(edit);
        job.Readings[4][7].Phase = std::to_string(edit);
        job.ControlRun.assign(8, {"1", std::to_string(edit)});
        recovery.write(job, QStringLiteral("/tmp/работа.json"));
        // Every edit is written at once, not a short while later as in the window, so that the
        // kill lands in the middle of writes.
        recovery.flush();
        if (edit == 0) {
            std::puts("ready");
            std::fflush(stdout);
        }
    }
}
