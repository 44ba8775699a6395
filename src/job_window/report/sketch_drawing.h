#pragma once
// What the job's pictures share: colours on white paper, positions round a centre counted from
// the top, arrows, texts placed round a disc, and the title, figure and caption bands of a cell.
#include <QColor>
#include <QFont>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <QStringList>

#include "job_sketch.h"

class QPainter;

namespace balance4::jobwindow::sketch {

// Drawn on white in any palette: the pictures must read the same on screen and on paper.
inline const QColor kPaper(Qt::white);
inline const QColor kInk(0x20, 0x20, 0x20);
inline const QColor kFaint(0x80, 0x80, 0x80);
inline const QColor kDisc(0xee, 0xee, 0xee);
inline const QColor kTrial(0x1f, 0x5f, 0xbf);
inline const QColor kCorrection(0xc6, 0x28, 0x28);
inline const QColor kSpread(0xc6, 0x28, 0x28, 0x48);
inline const QColor kFromTrial(0x2e, 0x7d, 0x32);
inline const QColor kDoubtful(0xb2, 0x6a, 0x00);

// A point at `radius` from `centre`, `clockwiseDegrees` round from the top of the picture (y grows
// downwards, as on a page).
QPointF Around(QPointF centre, double radius, double clockwiseDegrees);

// An angle counted in some frame, turned into degrees clockwise from the top.
inline double OnScreen(double degrees, bool clockwise) {
    return clockwise ? degrees : -degrees;
}

// The shorter distance between two angles in degrees.
double Apart(double a, double b);

// A filled head at `tip` of a line coming from `from`, in the pen's colour.
void ArrowHead(QPainter& painter, QPointF tip, QPointF from, double size);

// An arc from `fromDegrees` over `spanDegrees`, both clockwise from the top, with a head at its
// end. `spanDegrees` may be negative (counter-clockwise).
void ArcArrow(QPainter& painter, QPointF centre, double radius, double fromDegrees,
              double spanDegrees, double headSize);

QFont SizedFont(const QPainter& painter, double pixels, bool bold = false);

// Text centred on `at`, kept inside `bounds`.
void TextAt(QPainter& painter, QPointF at, const QString& text, const QRectF& bounds);

// Text just outside `radius` round `centre` at `clockwiseDegrees`, its nearest edge touching that
// point, kept inside `bounds`.
void TextOutside(QPainter& painter, QPointF centre, double radius, double clockwiseDegrees,
                 const QString& text, const QRectF& bounds);

// Lines of plain text from the top of `box`, elided to its width. Returns the height used.
double TextLines(QPainter& painter, const QRectF& box, const QStringList& lines);

QString TrustWord(SketchTrust trust);
QString RotationWords(bool clockwise);
QString ViewWords(const SketchView& view);
QString FrameWords(bool withRotation);

// The title band, the picture's square and the caption band of one cell.
struct CellLayout {
    QRectF Title;
    QRectF Figure;
    QRectF Caption;
    double Unit = 1.0;  // the cell's size; every length below is a fraction of it
};

// Saves the painter's state (the caller restores it), confines drawing to the cell and paints
// its paper, frame and title, with `flag` at the right in `flagColour`.
CellLayout BeginCell(QPainter& painter, const QRectF& area, const QString& title,
                     const QString& flag = {}, const QColor& flagColour = kInk);

}  // namespace balance4::jobwindow::sketch
