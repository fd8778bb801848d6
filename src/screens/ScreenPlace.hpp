// Where a screen shows, worked out from where the screen before it was, so
// that the screens of an enquiry feel like one window.
#pragma once

#include <QMargins>
#include <QRect>
#include <algorithm>

// Where a screen was: its frame (title bar and border included) and the
// frame's margins around its client area, as the window system drew them.
struct ScreenPlace {
    QRect frame;
    QMargins margins;

    bool valid() const { return frame.isValid(); }
};

// The frame of a window of `size` (without frame) that replaces the window
// at `last`: centred on it, so at its very place when both are the same
// size, then moved, and if need be cut, to lie inside `available`.
inline QRect placeReplacing(const ScreenPlace& last, QSize size, const QRect& available) {
    const QSize frame = size.grownBy(last.margins).boundedTo(available.size());
    QPoint topLeft = last.frame.topLeft() +
                     QPoint((last.frame.width() - frame.width()) / 2, (last.frame.height() - frame.height()) / 2);
    topLeft.setX(std::clamp(topLeft.x(), available.left(), available.right() + 1 - frame.width()));
    topLeft.setY(std::clamp(topLeft.y(), available.top(), available.bottom() + 1 - frame.height()));
    return {topLeft, frame};
}
