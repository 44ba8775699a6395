#pragma once
#include <QFont>
#include <QString>
#include <QStringList>

// Maps the windows' face, MS Sans Serif, to a metric-compatible face with Cyrillic that fits the
// fixed label boxes. Call once before any widget is created.
void InstallFontSubstitutions();

// The first of the families that the machine has installed, else the first of them.
QString InstalledFamily(const QStringList& families);

// The windows' face at a character height in pixels.
QFont WindowFont(int pixelSize, bool bold = false, bool underline = false);

// The year on the splash and about windows: its own face, 48 px bold.
QFont YearFont();
