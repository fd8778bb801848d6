// The reason a control is off, for the keyboard: a control that is off
// cannot take the keyboard focus, so its tool tip is out of a keyboard
// user's reach. This line below a screen's specified controls says the
// reason while the keyboard focus is at the control's place (the controls
// beside it, or the control itself highlighted in a menu); the screen grows
// by the line while it shows and is as it was otherwise.
#pragma once

#include <QLabel>
#include <functional>
#include <initializer_list>
#include <vector>

class WhyLine : public QLabel {
    Q_OBJECT
public:
    // Below everything `client` holds now.
    explicit WhyLine(QWidget* client);

    // Says `why()` while the keyboard (Tab, Backtab, arrows) brings the
    // focus to one of `place`; nothing when it is empty.
    void watch(std::initializer_list<QWidget*> place, std::function<QString()> why);
    // Shows `why` now; empty text hides the line.
    void say(const QString& why);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Place {
        std::vector<QWidget*> widgets;
        std::function<QString()> why;
    };
    std::vector<Place> places_;
    int top_;  // below the lowest control
    int clientHeight_;  // the client's height without the line
};
