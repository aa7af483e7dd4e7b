#include "ui/ProgramIcon.h"

#include <QString>

namespace kivp::ui {

QIcon programIcon() {
    QIcon icon;
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
        icon.addFile(QString(":/icons/%1x%1/kivp.png").arg(size), QSize(size, size));
    return icon;
}

QPixmap programIconPixmap(int size) { return programIcon().pixmap(size, size); }

} // namespace kivp::ui
