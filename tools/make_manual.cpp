// Builds the user manual, Ostrelin_manual.pdf, from its HTML source (A4, Liberation Sans):
//   balance4_make_manual resources/manual/manual.html <build>/bin/Ostrelin_manual.pdf
// Run by the build (target balance4_manual), so the PDF lies beside the program.
#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextDocument>
#include <cstdio>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <manual.html> <output.pdf>\n", argv[0]);
        return 2;
    }
    QFile source(QString::fromLocal8Bit(argv[1]));
    if (!source.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 1;
    }

    QTextDocument document;
    QFont font("Liberation Sans");
    font.setPointSize(11);
    document.setDefaultFont(font);
    document.setDefaultStyleSheet(
        "h1 { font-size: 18pt; } h2 { font-size: 14pt; } "
        "th { background-color: #e0e0e0; }");
    document.setHtml(QString::fromUtf8(source.readAll()));

    QPdfWriter writer(QString::fromLocal8Bit(argv[2]));
    writer.setTitle("Балансировочный калькулятор в 4-х плоскостях. Руководство пользователя");
    writer.setCreator("balance4");
    writer.setResolution(300);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter));
    document.print(&writer);
    return 0;
}
