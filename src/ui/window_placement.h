#pragma once

class QWidget;

// Places a top-level window in the middle of its screen (each time it is shown).
void CenterOnScreen(QWidget* window);
