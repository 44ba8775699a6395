#pragma once
// What the job's pictures share: colours on white paper, positions round a centre counted from
// the top, arrows, texts placed round a disc and kept apart, and the title, figure and caption
// bands of a cell.
#include <QColor>
#include <QFont>
#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <vector>

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

// A filled head at `tip` of a line coming from `from`, in the pen's colour.
void ArrowHead(QPainter& painter, QPointF tip, QPointF from, double size);

// An arc from `fromDegrees` over `spanDegrees`, both clockwise from the top, with a head at its
// end. `spanDegrees` may be negative (counter-clockwise).
void ArcArrow(QPainter& painter, QPointF centre, double radius, double fromDegrees,
              double spanDegrees, double headSize);

QFont SizedFont(const QPainter& painter, double pixels, bool bold = false);

// A box of `size` centred on `at`.
QRectF CentredBox(QPointF at, const QSizeF& size);

// Texts kept apart on a picture. Marks stay where they belong; each label goes to the first of its
// candidate places that lies inside the bounds and clear of every mark and label kept before it,
// by `gap` to either side (a text's height has room above and below already).
class LabelPlaces {
  public:
    LabelPlaces(const QRectF& bounds, double gap) : m_bounds(bounds), m_gap(gap) {}

    void KeepMark(const QRectF& box) { m_marks.push_back(box); }
    void KeepMarks(const std::vector<QRectF>& boxes);
    // Inside the bounds and clear of every mark and label by the gap.
    bool Fits(const QRectF& box) const;
    bool AllFit(const std::vector<QRectF>& boxes) const;
    // A box of `size` centred on the first candidate where it fits, else on the one where it
    // covers least (another label counting most); kept as a label. No candidates: an empty box,
    // nothing kept.
    QRectF Place(const QSizeF& size, const std::vector<QPointF>& centres);
    // A label drawn only where it fits; false and nothing kept otherwise.
    bool PlaceIfFits(const QRectF& box);

    const std::vector<QRectF>& Marks() const { return m_marks; }
    const std::vector<QRectF>& Labels() const { return m_labels; }

  private:
    double Covered(const QRectF& box) const;

    QRectF m_bounds;
    double m_gap = 0.0;
    std::vector<QRectF> m_marks;
    std::vector<QRectF> m_labels;
};

// Where a text of `size` may go round a disc at `clockwiseDegrees`: first its own place, `radius`
// from `centre` (to its nearest edge when `outside`, else to its middle), then places moved by
// `ringStep` (outwards when positive) up to `rings` times and along the rim by 3° steps either
// way up to `mostDegrees`, nearest first.
std::vector<QPointF> PlacesAround(QPointF centre, double radius, double clockwiseDegrees,
                                  const QSizeF& size, bool outside, double ringStep, int rings,
                                  double mostDegrees);

// Points every few degrees on an arc of `spanDegrees` (either way) from `fromDegrees`, both
// clockwise from the top, its ends included.
std::vector<QPointF> ArcPoints(QPointF centre, double radius, double fromDegrees,
                               double spanDegrees);

// Squares of side `width` along the lines joining `path`'s points: a drawn line as marks that
// labels keep clear of.
std::vector<QRectF> Along(const std::vector<QPointF>& path, double width);

// The size of `text` in `font` as `painter` draws it.
QSizeF TextSize(const QPainter& painter, const QFont& font, const QString& text);

// A thin line from the edge of `box` nearest to `anchor` towards it: a label moved away from
// what it names.
void Leader(QPainter& painter, const QRectF& box, QPointF anchor);

// Lines of plain text from the top of `box`, elided to its width. Returns the height used.
double TextLines(QPainter& painter, const QRectF& box, const QStringList& lines);

QString TrustWord(SketchTrust trust);
QString RotationWords(bool clockwise);
QString ViewWords(const SketchView& view);
QString FrameWords(bool withRotation);

// A scale step of 1, 2 or 5 times a power of ten giving three to five divisions of `largest`.
double RingStep(double largest);

// A polar picture's scale: rings at RingStep(largest) round `centre` out to `radius`, and the four
// phase axes with their degrees, whose boxes `places` keeps clear. `unit` is the cell's size.
struct PolarScale {
    double Step = 1.0;   // between rings, in the vectors' unit
    double Scale = 1.0;  // pixels per unit of the vectors
};
PolarScale PaintPolarScale(QPainter& painter, QPointF centre, double radius, double largest,
                           double unit, bool phaseClockwise, LabelPlaces& places);

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
