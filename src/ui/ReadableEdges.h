#pragma once
// The application's style, except that a control whose edge would not stand out from what lies behind it gets
// an outline that does: check boxes, radio buttons, text fields, spin boxes and drop-down lists. Fusion, for
// one, edges them with a shade of the window colour, which all but vanishes in a dark or high-contrast
// palette (and is faint on a light one). Where the style's own edge reads, it is left alone. The options
// window and the main window give it to their controls.

class QObject;
class QStyle;

namespace kivp::ui {

// A new such style, deleted with owner.
QStyle* readableEdges(QObject* owner);

} // namespace kivp::ui
