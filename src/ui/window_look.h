#pragma once
#include <QIcon>
#include <QString>

class QColor;
class QWidget;

// The program's single icon, shared by all four windows.
QIcon ProgramIcon();

// What every window of the program has: its instance name, caption, frame, the program's icon,
// the default font (11 px) and its background colour.
void SetUpWindow(QWidget* window, const char* name, const QString& caption, Qt::WindowFlags frame,
                 const QColor& background);

// Background colour of a widget (autoFillBackground on), with black text: a fixed background
// does not follow the desktop's colour scheme, so neither may the text drawn on it.
void SetBackground(QWidget* widget, const QColor& colour);

// A text field's colours, fixed like the backgrounds around it: black text on white.
void SetFieldColours(QWidget* field);

// While a control other than a button has the focus, or another window has it, no button of the
// window is drawn as the default: Qt would draw one although Enter presses nothing there. A
// focused button is still the default, and Enter presses it.
void HideDefaultButtonOutsideButtons(QWidget* window);
