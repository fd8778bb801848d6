#pragma once
// Where a window of its own (the compare window, the journey list) was last
// shown, kept in the user's settings, and the place it opens at: there
// again, or beside the window it was opened from; always on a display and
// never larger than it.
#include <QObject>
#include <QString>

class QWidget;
class Seam;

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
