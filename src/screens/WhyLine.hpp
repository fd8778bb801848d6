// Lines of the program's own below a screen's specified controls.
//
// LineBelow: a line of words across the client area, below everything the
// client held when the first such line was made. The lines of one screen
// stack in the order they were made, each as tall as its words need (or its
// minimum height); the screen grows by the lines that show and is as it was
// without them. The journey being priced and the travel date's explanation
// are such lines.
//
// WhyLine: the reason a control is off, for the keyboard: a control that is
// off cannot take the keyboard focus, so its tool tip is out of a keyboard
// user's reach. The line says the reason while the keyboard focus is at the
// control's place (the controls beside it, or the control itself
// highlighted in a menu), and is hidden otherwise.
#pragma once

#include <QLabel>
#include <functional>
#include <initializer_list>
#include <vector>

class LineBelow : public QLabel {
    Q_OBJECT
public:
    LineBelow(QWidget* client, const QString& name);

    // Shows `words` now, for a screen reader too (its accessible
    // description); empty words hide the line.
    void say(const QString& words);

private:
    // Places the shown lines of `client` one below the other and fits the
    // client's height to them.
    static void stack(QWidget* client);

    int order_;  // made as the n-th line of its client
    int top_;  // below the lowest control when the first line was made
    int clientHeight_;  // the client's height without any line
};

class WhyLine : public LineBelow {
    Q_OBJECT
public:
    explicit WhyLine(QWidget* client);

    // Says `why()` while the keyboard (Tab, Backtab, arrows) brings the
    // focus to one of `place`; nothing when it is empty.
    void watch(std::initializer_list<QWidget*> place, std::function<QString()> why);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Place {
        std::vector<QWidget*> widgets;
        std::function<QString()> why;
    };
    std::vector<Place> places_;
};
