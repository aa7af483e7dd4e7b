#pragma once
// Looks at a shown window the way a user reads it: every caption shown whole at the window's fonts, no
// control lying on another or cut by the edge of what holds it, and texts and the edges of controls that
// stand out from what is drawn behind them. Each check returns the faults it finds as readable lines, empty
// when there are none, so a test can print them all at once.

#include <QColor>
#include <QImage>
#include <QStringList>

class QWidget;

namespace kivp::test {

// Lets every layout catch up with what changed in the widgets it holds. A change travels up one level of
// nested layouts per round of posted events, so a round is run for each level a window can have.
void settleLayouts();

// Captions (labels, buttons, check boxes, radio buttons, group box titles, tabs, table headers and the rows
// of item lists) that their widget does not show whole.
QStringList cutCaptions(const QWidget* window);

// Visible widgets that overlap a visible sibling or reach past their parent's edge. The insides of Qt's own
// compound widgets (scroll areas, spin boxes, combo boxes) are theirs to arrange and are not looked into.
QStringList overlaps(const QWidget* window);

// The "palette" column of a test's data and its rows: the style's own light palette, a dark one and a
// high-contrast one (white on black, yellow highlights).
void addPaletteRows();

// The luminance contrast ratio of two colours, 1 (none) to 21 (black on white).
double contrastRatio(const QColor& a, const QColor& b);

// A picture of the window as it is drawn now, at its device pixel ratio, with what maps window coordinates
// into it: the strongest contrast any pixel of an area has against the pixel at a given point.
class Shot {
public:
    explicit Shot(QWidget* window);
    QColor at(const QPoint& point) const;
    double strongestContrast(const QRect& area, const QColor& against) const;

private:
    QImage m_image;
    qreal m_ratio;
};

// Faults in how the window's visible labels (with text) and enabled controls stand out from what they are
// drawn on: a text under 4.5:1; the edge of a check box's or radio button's indicator, a text field, a spin
// box or a combo box under 3:1.
QStringList lowContrast(QWidget* window);

} // namespace kivp::test
