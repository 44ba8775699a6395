#pragma once

class QDialog;

// Shows a window modally and returns when it has been closed. A window that is already shown is
// not shown a second time: the request is ignored and -1 returned, so no second copy opens and the
// windows that are open stay usable. While it is shown the window cannot be lost behind the ones
// it blocks or in the taskbar (see KeepInFront).
int ExecModal(QDialog* window);
