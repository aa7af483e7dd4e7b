#pragma once
// kivp's icon (a playoff bracket leading to a baseball), in the sizes desktops ask for: the windows' icon and the
// About box's picture are the same drawing the menu entry shows.

#include <QIcon>
#include <QPixmap>

namespace kivp::ui {

QIcon programIcon();
QPixmap programIconPixmap(int size);

} // namespace kivp::ui
