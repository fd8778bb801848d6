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

// Whether a remembered place, read back from a settings file anyone may
// edit, is one a screen of ours could have had on `display` (the display's
// whole area): the client area inside the frame, margins no wider than a
// window frame's, a client area a screen fits in, and a frame no larger than
// the display. Anything else (a 1 × 1 client area in a display-sized frame)
// would squeeze the start screen to nothing.
inline bool plausiblePlace(const QRect& frame, const QRect& client, const QRect& display) {
    constexpr int kMaxMargin = 200;  // a title bar and border, even at twice the size
    constexpr int kMinClient = 100;  // no screen is smaller
    if (!frame.isValid() || !client.isValid() || !frame.contains(client)) return false;
    const int widest = std::max({client.left() - frame.left(), client.top() - frame.top(),
                                 frame.right() - client.right(), frame.bottom() - client.bottom()});
    if (widest > kMaxMargin) return false;
    if (client.width() < kMinClient || client.height() < kMinClient) return false;
    return frame.width() <= display.width() && frame.height() <= display.height();
}

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
