// balance4-job: the job window. `balance4-job [FILE]` opens a job file (a new job without one);
// `balance4-job --report OUT.pdf JOB` writes the job's report without a display and ends.
#include <QApplication>
#include <QFileInfo>
#include <QFont>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTimer>
#include <QTranslator>
#include <cstdio>
#include <cstring>

#include "command_line_report.h"
#include "job_controller.h"
#include "job_window.h"
#include "manual_at_chapter.h"

namespace {

// Qt's own texts (standard buttons, context menus, file dialogs) in the locale's language.
void InstallQtTranslations() {
    auto* translator = new QTranslator(qApp);
    if (translator->load(QLocale(), QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(translator);
}

// Without a desktop theme the default face is the alias "Sans Serif", which the toolkit resolves
// through the whole list of fallbacks for every font it makes; naming the face the alias stands
// for on Debian makes start-up a few percent quicker. A desktop's own face is left alone.
void UseNamedDefaultFace() {
    QFont font = QApplication::font();
    if (font.family() != QLatin1String("Sans Serif")) return;
    font.setFamily(QStringLiteral("DejaVu Sans"));
    QApplication::setFont(font);
}

bool AskedForReport(int argc, char* argv[]) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--report") == 0) return true;
    }
    return false;
}

}  // namespace

int main(int argc, char* argv[]) {
    // The report needs no display: it is drawn the same way offscreen.
    if (AskedForReport(argc, argv)) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("balance4"));
    QApplication::setApplicationName(QStringLiteral("balance4-job"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/job/job_icon_64.png")));
    InstallQtTranslations();
    UseNamedDefaultFace();

    const QStringList arguments = QApplication::arguments().mid(1);
    if (AskedForReport(argc, argv)) return RunCommandLineReport(arguments);
    if (arguments.size() > 1 || (arguments.size() == 1 && arguments[0].startsWith('-'))) {
        std::fputs(
            "использование: balance4-job [ФАЙЛ]\n"
            "              balance4-job --report ОТЧЁТ.pdf ФАЙЛ\n",
            stderr);
        return 2;
    }

    DesktopChapterOpener manual;
    JobWindow window(&manual);
    window.show();
    QTimer::singleShot(0, &window, [&window, arguments] {
        // A job restored after a crash is not given up silently for the file asked for.
        window.controller()->offerRecovery();
        if (!arguments.isEmpty()) window.controller()->openFileAfterAsking(arguments[0]);
    });
    return QApplication::exec();
}
