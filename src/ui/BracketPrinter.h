#pragma once
// File > Print Bracket and Print Preview: the bracket as the main window draws it, on one page under a title that
// names the playoff type, the format and the champion once there is one.

#include "app/MainForm.h"

#include <optional>

class QPainter;
class QPrinter;
class QRect;
class QWidget;

namespace kivp::ui {

class BracketPrinter {
public:
    // Draws the page into rect (the printable area, in the painter's pixels).
    static void paintPage(QPainter& painter, const QRect& rect, const MainForm& model);
    // Prints one page on printer.
    static void print(QPrinter& printer, const MainForm& model);

    // The print dialog, then the page; returns where it went, nothing when the user cancels.
    static std::optional<PrintedTo> printWithDialog(const MainForm& model, QWidget* parent);
    // The preview window, from which the user may print; returns where the page went, nothing when it was not
    // printed.
    static std::optional<PrintedTo> preview(const MainForm& model, QWidget* parent);
};

} // namespace kivp::ui
