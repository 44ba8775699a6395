#pragma once
#include <QColor>

// The windows' fixed colours, as their layouts give them. They never follow the desktop's colour
// scheme, so the text drawn on them is fixed too (see SetBackground).
inline const QColor kBlue(0x00, 0x00, 0xFF);    // splash and about panels
inline const QColor kYellow(0xFF, 0xFF, 0x00);  // titles, captions
inline const QColor kRed(0xFF, 0x00, 0x00);     // red lines, the result group
inline const QColor kMaroon(0x80, 0x00, 0x00);  // the maker's addresses
inline const QColor kLime(0x00, 0xFF, 0x00);    // run groups, result labels
inline const QColor kGrey(128, 128, 128);       // calculator window
inline const QColor kSilver(192, 192, 192);     // message window
inline const QColor kOlive(0x80, 0x80, 0x00);   // about window, under its panels
