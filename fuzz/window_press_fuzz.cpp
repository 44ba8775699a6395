// Arbitrary bytes as the 40 field texts of the real calculator window, then the calculate action:
// every press ends in one message per failing field and unchanged labels, the zero-determinant
// message, an error box, or eight new results, and never crashes or hangs.
#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <cstdint>
#include <cstdlib>

#include "NSOUnit.h"
#include "Unit1.h"
#include "UnitAbout.h"
#include "fake_opener.h"
#include "modal_driver.h"
#include "reading_fields.h"
#include "window_fonts.h"

namespace {

struct Program {
    FakeOpener manual{false};
    TNSOForm messages;
    TFormAbout about{&manual};
    TForm1 form;
    ModalDriver driver;

    Program() {
        form.setMessageWindow(&messages);
        form.setAboutWindow(&about);
        driver.Quick = true;
        form.show();
    }
};

Program* program = nullptr;

QStringList Labels() {
    QStringList texts;
    for (QLabel* label : program->form.ResultLabels) texts << label->text();
    return texts;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "window_press_fuzz";
    static char* argv[] = {name, nullptr};
    static QApplication app(argc, argv);
    InstallFontSubstitutions();
    program = new Program;  // lives as long as the process, like the program's windows
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Texts separated by TAB; fields the input does not reach keep the example's text.
    std::size_t index = 0, start = 0;
    for (std::size_t i = 0; i < balance4::kReadingFieldCount; ++i) {
        const auto& text = balance4::kReadingFields[i].DefaultText;
        program->form.Fields[i]->setText(QString::fromUtf8(text.data(), qsizetype(text.size())));
    }
    for (std::size_t i = 0; i <= size && index < program->form.Fields.size(); ++i) {
        if (i == size || data[i] == '\t') {
            program->form.Fields[index++]->setText(QString::fromUtf8(
                reinterpret_cast<const char*>(data + start), qsizetype(i - start)));
            start = i + 1;
        }
    }

    const QStringList before = Labels();
    QStringList& seen = program->driver.Seen;
    seen.clear();
    program->form.Button1->click();
    const QStringList after = Labels();

    const auto messages = seen.filter(QRegularExpression("^message: ")).size();
    const auto boxes = seen.size() - messages;
    if (messages > 40 || boxes > 1) std::abort();
    if (!seen.isEmpty()) {
        if (after != before) std::abort();  // a refused or failed press writes no label
        if (boxes == 0 && !seen.last().startsWith("message: Неверно задан") &&
            seen.last() != "message: Некорректная масса пробных грузов")
            std::abort();
    } else {
        for (const QString& label : after)
            if (label.isEmpty() || label == "н.д.") std::abort();
    }
    return 0;
}
