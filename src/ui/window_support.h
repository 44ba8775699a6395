#pragma once
#include <QFont>
#include <QIcon>
#include <QString>

class QWidget;

// Maps the windows' face, MS Sans Serif, to a metric-compatible face with Cyrillic that fits the
// fixed label boxes. Call once before any widget is created.
void InstallFontSubstitutions();

// The windows' face at a character height in pixels.
QFont WindowFont(int pixelSize, bool bold = false, bool underline = false);

// The program's single icon, shared by all four windows.
QIcon ProgramIcon();

// Places a top-level window in the middle of its screen (each time it is shown).
void CenterOnScreen(QWidget* window);

// Background colour of a widget (autoFillBackground on).
void SetBackground(QWidget* widget, const QColor& colour);
