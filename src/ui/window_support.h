#pragma once
#include <QFont>
#include <QIcon>
#include <QString>
#include <QStringList>

class QFrame;
class QImage;
class QLabel;
class QRect;

class QWidget;

// Maps the windows' face, MS Sans Serif, to a metric-compatible face with Cyrillic that fits the
// fixed label boxes. Call once before any widget is created.
void InstallFontSubstitutions();

// The first of the families that the machine has installed, else the first of them.
QString InstalledFamily(const QStringList& families);

// The windows' face at a character height in pixels.
QFont WindowFont(int pixelSize, bool bold = false, bool underline = false);

// The program's single icon, shared by all four windows.
QIcon ProgramIcon();

// What every window of the program has: its instance name, caption, frame, the program's icon,
// the default font (11 px) and its background colour.
void SetUpWindow(QWidget* window, const char* name, const QString& caption, Qt::WindowFlags frame,
                 const QColor& background);

// Places a top-level window in the middle of its screen (each time it is shown).
void CenterOnScreen(QWidget* window);

// Background colour of a widget (autoFillBackground on).
void SetBackground(QWidget* widget, const QColor& colour);

// A panel with the toolkit's raised one-pixel bevel, filled with a colour.
QFrame* MakePanel(const char* name, const QColor& colour, QWidget* parent);

// A picture frame that stretches its picture to fill it; an empty picture leaves the frame empty.
QLabel* MakeStretchedPicture(const char* name, const QRect& rect, const QImage& image,
                             QWidget* parent);
