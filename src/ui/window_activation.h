#pragma once
#include <functional>

class QWidget;

// Brings a window back to the front, un-minimised and active, with the modal window above it,
// if any, on top of it.
void BringToFront(QWidget* window);

// Calls `activated` when the desktop activates the window while a modal window blocks it. On X11
// Qt hands such an activation to the modal window, which does nothing while that window is
// minimised, and tells the blocked window nothing.
void OnBlockedActivation(QWidget* window, std::function<void()> activated);
