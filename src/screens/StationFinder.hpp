// Typing into a station list: the first character typed (or the first text
// an input method sends) into a focused station list opens a small window
// under it with the text and the stations that match it, best first (the
// core's search), filtering also on an input method's text while it is
// composed. Enter or a click takes the highlighted station exactly as
// choosing it with the mouse would, handlers included; Tab takes it and
// leaves the list. Escape, a click outside the window, or Tab with text that
// fits no station close it and the list keeps its station. Text that fits
// nothing says so in the window.
// The list itself, its items and its positions never change.
#pragma once

#include <QObject>
#include <QString>
#include <functional>

#include "data/stations.hpp"
#include "words/words.hpp"

class QComboBox;
class QFrame;
class QLineEdit;
class QListWidget;

// A list announced by its accessible name (its caption), its chosen item as
// the value: Qt's own combo box on Linux gives the item as the name.
void nameByCaption(QComboBox* list);

class StationFinder : public QObject {
    Q_OBJECT
public:
    // Watches `list`, which holds the stations of `stations` in their order;
    // owned by the list. `language` tells the language the screens speak
    // (Japanese without one).
    StationFinder(QComboBox* list, mkd::StationList stations, std::function<mkd::Lang()> language = {});

    // Chooses `position` in `list` as a click on it does: the list's
    // activated signals run whatever a mouse choice runs.
    static void choose(QComboBox* list, int position);

    bool isOpen() const;
    QLineEdit* textBox() const { return edit_; }
    QListWidget* matches() const { return view_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void open();
    void refilter();
    void take();
    void close();
    // Leaving by Tab: a station that fits is taken, otherwise nothing changes.
    void leave();
    void announceFirst();
    void widenOpenList();
    // Ends an input method's composition with its text as shown.
    void commitComposition();

    QComboBox* list_;
    mkd::StationList stations_;
    std::function<mkd::Lang()> language_;
    QFrame* popup_ = nullptr;
    QLineEdit* edit_ = nullptr;
    QListWidget* view_ = nullptr;
    bool closing_ = false;
    QString preedit_;  // an input method's text being composed
    QString widenedFor_;  // the names the open list was last made wide for
};
