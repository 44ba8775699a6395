#pragma once

class QWidget;

// Brings a window back to the front, un-minimised and active, with the modal window above it,
// if any, on top of it.
void BringToFront(QWidget* window);
