#pragma once
#include <QFont>
#include <QIcon>
#include <QString>
#include <QStringList>
#include <functional>

#include "pictures.h"

class QFrame;
class QImage;
class QLabel;
class QLocale;
class QRect;
class QTranslator;

class QWidget;

// Maps the windows' face, MS Sans Serif, to a metric-compatible face with Cyrillic that fits the
// fixed label boxes. Call once before any widget is created.
void InstallFontSubstitutions();

// The first of the families that the machine has installed, else the first of them.
QString InstalledFamily(const QStringList& families);

// Qt's own texts (context menus, standard boxes) in the language of the locale, from Qt's
// translations folder. Returns the installed translator, or nullptr when there is no translation.
QTranslator* InstallQtTranslations(const QLocale& locale);

// The windows' face at a character height in pixels.
QFont WindowFont(int pixelSize, bool bold = false, bool underline = false);

// The program's single icon, shared by all four windows.
QIcon ProgramIcon();

// What every window of the program has: its instance name, caption, frame, the program's icon,
// the default font (11 px) and its background colour.
void SetUpWindow(QWidget* window, const char* name, const QString& caption, Qt::WindowFlags frame,
                 const QColor& background);

// While a control other than a button has the focus, no button of the window is drawn as the
// default: Qt would draw one although Enter in a field presses nothing here. A focused button
// is still the default, and Enter presses it.
void HideDefaultButtonOutsideButtons(QWidget* window);

// Brings a window back to the front, un-minimised and active, with the modal window above it,
// if any, on top of it.
void BringToFront(QWidget* window);

// Calls `activated` when the desktop activates the window while a modal window blocks it. On X11
// Qt hands such an activation to the modal window, which does nothing while that window is
// minimised, and tells the blocked window nothing.
void OnBlockedActivation(QWidget* window, std::function<void()> activated);

// Places a top-level window in the middle of its screen (each time it is shown).
void CenterOnScreen(QWidget* window);

// Background colour of a widget (autoFillBackground on), with black text: a fixed background
// does not follow the desktop's colour scheme, so neither may the text drawn on it.
void SetBackground(QWidget* widget, const QColor& colour);

// A text field's colours, fixed like the backgrounds around it: black text on white.
void SetFieldColours(QWidget* field);

// A panel with the toolkit's raised one-pixel bevel, filled with a colour.
QFrame* MakePanel(const char* name, const QColor& colour, QWidget* parent);

// A picture frame that stretches its picture to fill it; a picture that cannot be read leaves the
// frame empty. The picture is decoded only if the frame takes a size it was not scaled to when the
// program was built.
QLabel* MakeStretchedPicture(const char* name, const QRect& rect, Picture image, QWidget* parent);
