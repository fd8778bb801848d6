// The colours of the screens: a dark grey window, white captions, light
// buttons and lists, and a menu bar in the desktop's light look. Whatever is
// disabled is drawn in grey, still legible, so that a button or a menu that
// does nothing when pressed looks it. Header-only
// so that the start-up benchmark's plain-Qt start screen
// (bench/bare_start_screen.cpp) draws exactly what the program draws.
#pragma once

#include <QComboBox>
#include <QMenuBar>
#include <QPalette>
#include <QPushButton>
#include <QWidget>

namespace look {

// The dark grey background of a window and of its client area.
inline void window(QWidget* w) {
    QPalette p = w->palette();
    p.setColor(QPalette::Window, QColor(64, 64, 64));
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

// White text on the background: labels and option buttons. The focus ring
// around an option button is drawn in a light blue that shows on the dark
// grey.
inline void caption(QWidget* w) {
    QPalette p = w->palette();
    p.setColor(QPalette::WindowText, Qt::white);
    p.setColor(QPalette::Disabled, QPalette::WindowText, QColor(150, 150, 150));
    p.setColor(QPalette::Highlight, QColor(120, 190, 255));
    w->setPalette(p);
}

inline void button(QPushButton* b) {
    QPalette p = b->palette();
    p.setColor(QPalette::Button, QColor(224, 224, 224));
    p.setColor(QPalette::ButtonText, Qt::black);
    p.setColor(QPalette::Disabled, QPalette::Button, QColor(176, 176, 176));
    p.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(96, 96, 96));
    b->setPalette(p);
}

inline void list(QComboBox* c) {
    QPalette p = c->palette();
    p.setColor(QPalette::Base, Qt::white);
    p.setColor(QPalette::Text, Qt::black);
    p.setColor(QPalette::Button, QColor(224, 224, 224));
    p.setColor(QPalette::ButtonText, Qt::black);
    p.setColor(QPalette::WindowText, Qt::black);
    p.setColor(QPalette::Disabled, QPalette::Text, QColor(128, 128, 128));
    p.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(128, 128, 128));
    c->setPalette(p);
}

// The menu bar keeps the desktop's light look, as menus do everywhere.
inline void menuBar(QMenuBar* bar) {
    QPalette p = bar->palette();
    p.setColor(QPalette::Window, QColor(240, 240, 240));
    p.setColor(QPalette::WindowText, Qt::black);
    p.setColor(QPalette::ButtonText, Qt::black);
    p.setColor(QPalette::Disabled, QPalette::WindowText, QColor(150, 150, 150));
    p.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(150, 150, 150));
    bar->setPalette(p);
    bar->setAutoFillBackground(true);
}

// A note the user should not miss (a table shorter than it should be):
// yellow on the dark grey, beside the white captions.
inline void notice(QWidget* w) {
    QPalette p = w->palette();
    p.setColor(QPalette::WindowText, QColor(255, 224, 96));
    w->setPalette(p);
}

}  // namespace look
