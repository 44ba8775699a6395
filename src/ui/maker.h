#pragma once

// The maker's contact lines, shown on the splash and about windows alike.
inline constexpr const char* kMakerWebAddress = "www.talmeron.ru";
inline constexpr const char* kMakerEmail = "tal@talmeron.ru";  // short enough for the about window
inline constexpr const char* kMakerCity = "г. Самара";
