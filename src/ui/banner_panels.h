#pragma once
#include <QHash>
#include <QObject>
#include <QRect>
#include <QString>
#include <functional>
#include <span>

#include "pictures.h"

class QFrame;
class QLabel;
class QPushButton;
class QWidget;

// How an item of the top panel looks: the labels' fonts and colours, or a picture.
enum class BannerLook {
    WindowText,  // 19 px bold, window-text colour
    Title,       // 32 px bold, yellow
    Line,        // 24 px bold, yellow
    RedLine,     // 24 px bold underlined, red
    Year,        // the year's face, 48 px bold, yellow
    Address,     // 16 px bold, maroon
    Banner,      // the maker's banner, docked to the top inside the bevel
    Picture,     // a picture stretched to its frame
};

// One item of the top panel. Labels have transparent backgrounds and centred text; a label of
// width 0 is sized to its text instead.
struct BannerItem {
    const char* Name;
    QRect Place;
    BannerLook Look;
    const char* Text = "";            // labels
    Picture Image = Picture::Banner;  // pictures
    bool FollowsWidth = false;        // a label as wide as the panel, minus 1
    // Moves the text of a label sized to its text by a pixel at most.
    Qt::Alignment Align = Qt::AlignHCenter | Qt::AlignTop;
};

// The face the splash and about windows share: a blue panel docked to the bottom edge for the
// buttons (Panel1), and a blue panel filling the rest (Panel2) with the banner, the pictures and
// the labels, in painting order: each later item is drawn over the earlier ones. When Panel2
// changes size, the labels that follow the width and the banner take the new width, then the
// window's own resize handler runs.
class BannerPanels : public QObject {
  public:
    BannerPanels(QWidget* window, std::span<const BannerItem> items,
                 std::function<void()> panel2Resize);

    QFrame* Panel1 = nullptr;
    QFrame* Panel2 = nullptr;
    QLabel* item(const char* name) const { return m_items.value(QString::fromLatin1(name)); }

    // A button of the bottom panel: 45 px high at top 7, caption 19 px bold.
    QPushButton* addButton(const char* name, const QString& caption, int left, int width);

    // Lays the panels out at once, so that the resize rules have run before the window is seen.
    void layOut();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void followWidth();

    std::span<const BannerItem> m_table;
    QHash<QString, QLabel*> m_items;
    std::function<void()> m_panel2Resize;
};

// A panel with the toolkit's raised one-pixel bevel, filled with a colour.
QFrame* MakePanel(const char* name, const QColor& colour, QWidget* parent);

// A picture frame that stretches its picture to fill it; a picture that cannot be read leaves the
// frame empty. The picture is decoded only if the frame takes a size it was not scaled to when the
// program was built.
QLabel* MakeStretchedPicture(const char* name, const QRect& rect, Picture image, QWidget* parent);
