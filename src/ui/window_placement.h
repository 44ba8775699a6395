#pragma once
#include <QMargins>
#include <QRect>
#include <QSize>

class QWidget;

// Places a top-level window in the middle of its screen (each time it is shown).
void CenterOnScreen(QWidget* window);

// The client area that centres a window's frame in the screen's available area. A frame larger
// than that area keeps its top-left corner, with the title bar, inside it.
QRect CentredClientArea(QSize client, QMargins frame, QRect available);
