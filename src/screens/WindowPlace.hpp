#pragma once
// Where a window of its own (the compare window, the journey list) was last
// shown, kept in the user's settings, and the place it opens at: there
// again, or beside the window it was opened from; always on a display and
// never larger than it.
#include <QObject>
#include <QString>

class QVBoxLayout;
class QWidget;
class Seam;

// The layout of what `window` holds, inside a scroll area that fills it: on
// a small display (or at a large scale) such a window scrolls rather than
// squeeze its words. The holding widget is named "client".
QVBoxLayout* scrollingClient(QWidget& window);

class WindowPlace : public QObject {
public:
    // Remembers `window`'s place under `key` whenever it moves, changes size
    // or hides.
    WindowPlace(QWidget& window, Seam& seam, QString key);

    // Places the window before it is first shown.
    void restore(QWidget* beside);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void remember();

    QWidget& window_;
    Seam& seam_;
    QString key_;
};
