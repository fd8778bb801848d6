// The program's widget style: Qt's Fusion look, the same on every desktop,
// with these changes:
// - Every menu bar builds a hidden "more items" button whose icon Fusion
//   reads from three image files at once, loading Qt's image plugins on the
//   way; that cost a whole millisecond of start-up for a button that is only
//   shown when the menus do not fit. Here that icon is read the first time it
//   is drawn.
// - Option buttons sit on the dark screens: Fusion's white disc with a black
//   dot reads backwards there (the empty one looks filled). Here the ring and
//   the dot are drawn in the text colour over the background.
// - A drop-down list opens below itself and shows at most its set number of
//   rows, scrolling the rest, instead of Fusion's menu-like list that covers
//   the whole height of the display.
// - The drop-down arrow is narrower, so that the narrow year list shows
//   "平成20年" whole within its given width.
// - Alt alone does not put the menu bar into Fusion's half-visible keyboard
//   mode: the screens open the first menu on Alt and F10 themselves.
// - A closed drop-down list whose text is wider than its field (a long
//   station name in English) ends it with "…" instead of cutting it off.
// - Fusion keeps what it draws (a button's bevel, a list's frame) in the
//   application's pixmap cache, under a name that holds the palette's cache
//   key. Every control has a palette of its own, with a key of its own, so
//   every screen created anew drew under names never asked for again: the
//   cache filled with dead pixmaps up to its 10 MB limit (up to 20 KB an
//   enquiry), and Qt 6.4's cache keeps each name for ever even once the
//   pixmap is gone (then 1.5 KB an enquiry, without end). Here a control is
//   drawn with the first palette of equal colours the style has seen, so
//   equal controls share their cached pixmaps across screens and the cache
//   stays the size of one set.
#pragma once

#include <QPalette>
#include <QProxyStyle>
#include <vector>

class ProgramStyle : public QProxyStyle {
    Q_OBJECT
public:
    ProgramStyle();

    QIcon standardIcon(StandardPixmap which, const QStyleOption* option = nullptr,
                       const QWidget* widget = nullptr) const override;
    int styleHint(StyleHint hint, const QStyleOption* option = nullptr, const QWidget* widget = nullptr,
                  QStyleHintReturn* returnData = nullptr) const override;
    QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl sub,
                         const QWidget* widget = nullptr) const override;
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
                            const QWidget* widget = nullptr) const override;

    // The palette a control with `palette` is drawn with: the first one of
    // equal colours seen, which carries one cache key for all of them.
    QPalette sharedPalette(const QPalette& palette) const;
    // How many palettes are shared: a handful of looks, not one a control.
    std::size_t sharedPaletteCount() const { return palettes_.size(); }
    // The keyboard focus ring: 2 pixels in a colour at least 3:1 against the
    // background around the control, and a 1-pixel dark line inside it, at
    // least 3:1 against the light face of a button or list. Drawn along the
    // edge of `rect`, on top of what the control drew.
    static void drawFocusRing(QPainter* painter, const QRect& rect, const QColor& background);
    // The ring's outer colour on `background`: light on a dark one, dark on
    // a light one.
    static QColor focusRingColour(const QColor& background);

    // The width of a drop-down list's arrow button, in pixels.
    static constexpr int kListArrowWidth = 13;

private:
    // The program has a few looks (look.hpp); a bound keeps a program that
    // made up new colours all the time from growing this list instead.
    static constexpr std::size_t kMaxSharedPalettes = 64;
    mutable std::vector<QPalette> palettes_;
};
