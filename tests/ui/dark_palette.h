#pragma once
// A dark desktop palette, as a dark theme gives every Qt program: light text on dark fields.

#include <QPalette>

namespace q36::test {

inline QPalette DarkPalette() {
    const QColor window(49, 54, 59), text(239, 240, 241);
    QPalette palette(text, window, window.lighter(130), window.darker(130), window.darker(110),
                     text, QColor(Qt::white), QColor(35, 38, 41), window);
    palette.setColor(QPalette::Highlight, QColor(61, 174, 233));
    palette.setColor(QPalette::Link, QColor(41, 128, 185).lighter(140));
    return palette;
}

}  // namespace q36::test
