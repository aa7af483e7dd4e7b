#pragma once
// Crossing between the core's byte strings and fonts and Qt's. The core keeps names and paths as bytes; they are
// shown as UTF-8, and paths the user picks in a dialog come back in the file system's own encoding.

#include "platform/Prompts.h"

#include <QDir>
#include <QFile>
#include <QFont>
#include <QString>
#include <string>

namespace kivp::ui {

inline QString toQt(const std::string& text) { return QString::fromStdString(text); }
inline std::string fromQt(const QString& text) { return text.toStdString(); }
// UTF-8 with the platform's separators, as kivp keeps every path (Qt's dialogs give "/" on Windows too).
inline std::string pathFromQt(const QString& path) { return QDir::toNativeSeparators(path).toUtf8().toStdString(); }

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
