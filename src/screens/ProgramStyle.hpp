// The program's widget style: Qt's Fusion look, the same on every desktop,
// with one saving. Every menu bar builds a hidden "more items" button whose
// icon Fusion reads from three image files at once, loading Qt's image
// plugins on the way; that cost a whole millisecond of start-up for a button
// that is only shown when the menus do not fit. Here that icon is read the
// first time it is drawn.
#pragma once

#include <QProxyStyle>

class ProgramStyle : public QProxyStyle {
    Q_OBJECT
public:
    ProgramStyle();

    QIcon standardIcon(StandardPixmap which, const QStyleOption* option = nullptr,
                       const QWidget* widget = nullptr) const override;
};
