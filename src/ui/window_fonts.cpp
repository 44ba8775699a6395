#include "window_fonts.h"

#include <QFontDatabase>

void InstallFontSubstitutions() {
    QFont::insertSubstitutions("MS Sans Serif",
                               {"Liberation Sans", "Arimo", "DejaVu Sans Condensed"});
}

QString InstalledFamily(const QStringList& families) {
    const QStringList installed = QFontDatabase::families();
    for (const QString& family : families) {
        if (installed.contains(family, Qt::CaseInsensitive)) return family;
    }
    return families.value(0);
}

namespace {

// MS Sans Serif if the machine has it, else the substitute that the toolkit would take for it.
// Naming that face spares every font look-up a failed search for MS Sans Serif, and the list of
// fallback faces that the font configuration works out for it.
const QString& WindowFace() {
    static const QString face =
        InstalledFamily({"MS Sans Serif", "Liberation Sans", "Arimo", "DejaVu Sans Condensed"});
    return face;
}

}  // namespace

QFont WindowFont(int pixelSize, bool bold, bool underline) {
    QFont font(WindowFace());
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    font.setUnderline(underline);
    return font;
}

QFont YearFont() {
    // The face found, by name: a look-up of a face the machine lacks costs a search of them all.
    QFont font(InstalledFamily({"Arial Unicode MS", "Arial", "Liberation Sans"}));
    font.setPixelSize(48);
    font.setBold(true);
    return font;
}
