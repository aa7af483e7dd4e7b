#pragma once
// The bracket drawn with a painter, in the design pixels of its layout (617 by 129 for the eight-team tree).
// The printed bracket paints everything the window shows, from the same places.

#include "bracket/Bracket.h"
#include "report/BracketLayout.h"

#include <QFont>
#include <QRect>

class QPainter;

namespace kivp::ui {

inline QRect qtRect(const layout::Box& box) { return QRect(box.x, box.y, box.width, box.height); }

// The lines joining each series to its winner's slot and the final to the champion's box.
void paintJoiningLines(QPainter& painter, const Bracket& bracket);

// The whole bracket as the window shows it: lines, headings, team slots and win counts of the playoff type
// shown, the home marks that are down, and the champion's framed box. font is the labels' font; its size is
// taken as on the screen, so the text keeps its place however the painter is scaled.
void paintBracket(QPainter& painter, const Bracket& bracket, const QFont& font);

} // namespace kivp::ui
