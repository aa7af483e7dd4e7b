#pragma once
// Colours a window draws that are not the palette's own (outlines, grid lines, the About box's navy link) are
// chosen against the palette they appear on, so they read in light, dark and high-contrast palettes alike.
// The measure is the usual luminance contrast ratio: 4.5 to 1 for text, 3 to 1 for the edge of a control.

#include <QColor>
#include <algorithm>
#include <cmath>

namespace kivp::ui {

inline double contrastRatio(const QColor& a, const QColor& b) {
    const auto luminance = [](const QColor& colour) {
        const auto linear = [](double c) {
            return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) +
               0.0722 * linear(colour.blueF());
    };
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The colour nearest to `from`, on the way from it to `towards`, that stands out from `behind` by `ratio`;
// `towards` itself when none does.
inline QColor standingOut(const QColor& behind, const QColor& from, const QColor& towards, double ratio) {
    for (int step = 0; step <= 20; ++step) {
        const double t = step / 20.0;
        const QColor mixed = QColor::fromRgbF(float(from.redF() + (towards.redF() - from.redF()) * t),
                                              float(from.greenF() + (towards.greenF() - from.greenF()) * t),
                                              float(from.blueF() + (towards.blueF() - from.blueF()) * t));
        if (contrastRatio(mixed, behind) >= ratio)
            return mixed;
    }
    return towards;
}

} // namespace kivp::ui
