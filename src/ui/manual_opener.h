#pragma once
#include <QString>

// Hands the user manual to the desktop's default viewer. Behind an interface so that tests never
// start a viewer.
class ManualOpener {
  public:
    virtual ~ManualOpener() = default;
    // True only when the file exists in the working directory and the desktop took the request.
    virtual bool open(const QString& fileName) = 0;
};

// The real one: the desktop's default viewer for the file in the current working directory.
class DesktopManualOpener : public ManualOpener {
  public:
    bool open(const QString& fileName) override;
};

inline constexpr const char* kManualFileName = "Ostrelin_manual.pdf";
