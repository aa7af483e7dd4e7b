#pragma once
// What assistive technology is told about kivp's own controls, where Qt's defaults say too little or the
// wrong thing: a bracket slot names its place and the team it shows, gives that text through the text
// interface and can be pressed to play; a drop-down keeps its role name ("Team 1, left half") instead of
// taking the choice for its name, gives its choice as its value and its text, and its items as its children,
// closed or open.

class QObject;
class QWidget;

namespace kivp::ui {

// Installs the interfaces once; windows call it when they are built.
void installAccessibility();

// Marks a drop-down so that it keeps its accessible name once a choice is made. Call it right after the box is
// made, before its name is set: an interface Qt made for it earlier would stay in use.
void keepRoleName(QWidget* comboBox);

} // namespace kivp::ui
