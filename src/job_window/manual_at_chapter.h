#pragma once
// F1 in the job window opens the manual at the job window's chapter: through the desktop's PDF
// viewer when it is one that takes a named destination or a page on its command line or in the
// link, otherwise through the desktop's opener at page 1, with the chapter's page told in the
// status bar.
#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>

#include "manual_opener.h"

// How far the request got.
struct ManualOpening {
    enum class Outcome { AtChapter, AtFirstPage, NoManual, NoViewer };
    Outcome What = Outcome::NoViewer;
    int ChapterPage = 0;  // from 1; 0: not known
};

// An opener that can be asked for a place in the manual. Its plain open() asks for no place.
class ChapterManualOpener : public ManualOpener {
  public:
    using Opened = std::function<void(const ManualOpening&)>;
    virtual void openAt(const QString& fileName, const QString& destination, Opened done) = 0;
    void open(const QString& fileName, Done done) override;
};

// The page (from 1) of a named destination in a PDF written as the manual's typesetter writes it:
// objects uncompressed, the destinations in the catalogue's name tree, one flat page tree. 0 when
// the destination or its page is not found.
int NamedDestinationPage(const QByteArray& pdf, const QByteArray& destination);

// The command line that opens `path` at the destination (or its page) in the viewer of that
// desktop entry; empty for a viewer not known to take a place.
QStringList ViewerCommandAt(const QString& desktopEntry, const QString& path,
                            const QString& destination, int page);

// The real one: asks xdg-mime for the desktop's PDF viewer and starts it at the chapter, or hands
// the manual to the calculator's opener (xdg-open) at page 1.
class DesktopChapterOpener : public QObject, public ChapterManualOpener {
    Q_OBJECT
  public:
    explicit DesktopChapterOpener(QObject* parent = nullptr);

    void openAt(const QString& fileName, const QString& destination, Opened done) override;

  private:
    DesktopManualOpener m_firstPage;
};
