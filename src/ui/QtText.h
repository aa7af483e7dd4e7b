#pragma once
// Crossing between the core's byte strings and fonts and Qt's. The core keeps names and paths as bytes; they are
// shown as UTF-8, and paths the user picks in a dialog come back in the file system's own encoding.

#include "platform/Prompts.h"

#include <QFile>
#include <QFont>
#include <QString>
#include <string>

namespace kivp::ui {

inline QString toQt(const std::string& text) { return QString::fromStdString(text); }
inline std::string fromQt(const QString& text) { return text.toStdString(); }
inline std::string pathFromQt(const QString& path) { return QFile::encodeName(path).toStdString(); }

inline QFont toQt(const FontChoice& choice) {
    QFont font(toQt(choice.family));
    font.setPointSize(choice.pointSize);
    font.setBold(choice.bold);
    font.setItalic(choice.italic);
    font.setUnderline(choice.underline);
    font.setStrikeOut(choice.strikeOut);
    return font;
}

inline FontChoice fromQt(const QFont& font) {
    return FontChoice{fromQt(font.family()), font.pointSize(), font.bold(), font.italic(), font.underline(),
                      font.strikeOut()};
}

} // namespace kivp::ui
