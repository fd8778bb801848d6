// The common base of every screen: the look (dark grey, white bold labels,
// "ＭＳ Ｐゴシック"), geometry in twips, the load and unload steps, what every
// screen does alike for the keyboard, the screen reader and the place it
// shows at, and the words a person reads in the program's language.
//
// Every caption is written in Japanese, the program's own language, marked
// for Qt Linguist (QT_TR_NOOP) and handed to the screen as that source. The
// screen shows it through the translator installed at the time and keeps the
// source, so that when the language changes (Qt's LanguageChange) it sets
// every caption again; texts that come from the core (station names, amounts,
// bills) are written again by each screen's languageChanged().
//
// A screen never creates, shows or destroys another screen by itself: it asks
// the ScreenFlow, which owns the life cycle of all of them.
//
// The keyboard, on every screen:
// - Enter presses the focused button; in a list it presses the button the
//   screen names for its lists (the date screens' "次へ"), if any.
// - Escape presses "戻る" where the screen has one, so it never ends the
//   program.
// - F10, or Alt pressed and released alone, opens the first menu.
// - The wheel turns a list only while the list has the focus.
// The focus ring shows from the first frame, not only after Tab was used.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QRect>
#include <QString>
#include <initializer_list>
#include <vector>

#include "data/stations.hpp"

class QComboBox;
class QFrame;
class QLabel;
class QMenu;
class QPushButton;
class QRadioButton;
class QScrollArea;
class ScreenFlow;

// A control of a screen as data: what it is, its object name, its caption
// (a QT_TR_NOOP source of the screen's class, or a symbol such as "⇒"; null
// for a label the screen fills itself), its place in twips, its font size
// and alignment, and the frame it sits in. A screen makes its rows in
// order, which is also the order Tab follows.
struct ControlRow {
    enum Kind { Label, Button, List, Option, Frame };
    Kind kind;
    const char* name;
    const char* caption;
    int left, top, width, height;  // twips
    double points = 9;
    Qt::Alignment align = Qt::AlignLeft | Qt::AlignTop;
    const char* frame = nullptr;  // the name of a frame made before it
};

class Screen : public QMainWindow {
    Q_OBJECT
public:
    // `caption` is the window title's source (QT_TR_NOOP).
    Screen(ScreenFlow& flow, const char* name, const char* caption, int clientWidthTwips, int clientHeightTwips);

    // Sets the window title; the flow calls it once the screen is whole, as
    // only then does it know the class whose words the title is.
    void showTitle();

    // Runs once, right after the screen is created by its first touch.
    virtual void Form_Load() {}
    // Runs when the screen is discarded, before it is hidden and destroyed.
    virtual void Form_Unload() {}

    // Positions in the screen's own unit: 15 twips to a pixel.
    static int px(int twips) { return (twips + 7) / 15; }
    static QRect twips(int left, int top, int width, int height);
    // The program's font, bold, at `points` (at 96 pixels to the inch).
    static QFont font(double points);
    // Gives `w` the program's font at `points`, which it otherwise inherits
    // from the screen at 9 pt.
    static void setPoints(QWidget* w, double points);
    // A caption as a screen reader should say it: without the ideographic
    // spaces that pad it on screen ("　片　道" is "片道").
    static QString spokenCaption(const QString& caption);

    // Showing asks the flow where (see ScreenFlow); hiding tells it where the
    // screen was.
    void setVisible(bool visible) override;

    // Makes the window no larger than `room` (the screen's available area
    // less the window frame): the client area then scrolls. Does nothing when
    // the window fits.
    void fitWithin(QSize room);

    // Where a text a person reads goes on its control.
    enum class Words { Text, ToolTip, AccessibleName, AccessibleDescription };
    // Shows the translation of `source` (a QT_TR_NOOP text of this screen's
    // class or of a class it inherits) on `target` now and after every change
    // of language.
    void setWords(QObject* target, const char* source, Words where = Words::Text);
    // The translation of `source` in the language shown now.
    QString words(const char* source) const;

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;
    // After a change of language, once every caption has been set again:
    // what the screen shows from the core is written again in the new one.
    virtual void languageChanged() {}
    // What the window's close box does: by default the screen is discarded
    // and its unload step decides where the user goes next. Screens without
    // such a step override it so that the program never ends up without a
    // visible window.
    virtual void closeBox();

    // Controls placed on the client area (or inside `parent`, a frame). A
    // caption is its Japanese source (QT_TR_NOOP); a label that the screen
    // fills itself starts empty (null). A symbol such as "⇒" is no word and
    // stays as it is.
    QLabel* addLabel(const char* name, const char* text, QRect rect, double points,
                     Qt::Alignment align = Qt::AlignLeft | Qt::AlignTop);
    QPushButton* addButton(const char* name, const char* text, QRect rect, double points = 9);
    QComboBox* addList(const char* name, QRect rect);
    QRadioButton* addOption(const char* name, const char* text, QRect rect, double points = 9,
                            QWidget* parent = nullptr);
    QFrame* addFrame(const char* name, QRect rect);
    // Makes the controls of `rows`, in order.
    void addControls(std::initializer_list<ControlRow> rows);
    // A control made from a row, by its name; null for none of that type.
    template <class T>
    T* control(const char* name) const {
        return findChild<T*>(QLatin1String(name));
    }
    // The two station lists with their captions 乗車駅 and 降車駅 and the
    // "⇒" between them, each list named after its caption and typed into
    // through a StationFinder over `list`: the block the start screen and
    // both section screens share, `shift` twips left of the start screen's.
    void addStationPair(mkd::StationList list, int shift = 0);
    // A menu on the menu bar, and an item on a menu.
    QMenu* addMenu(const char* name, const char* title);
    QAction* addMenuItem(QMenu* menu, const char* name, const char* text);

    // Makes the label `labelName` the caption of `control` for a screen
    // reader: the label's buddy and, but for a label, its accessible name.
    void captionOf(const char* labelName, QWidget* control);
    // Names an option group for a screen reader: the frame that holds it, if
    // any, and each of its option buttons.
    void nameGroup(const char* name, std::initializer_list<QRadioButton*> options, QWidget* frame = nullptr);

    ScreenFlow& flow;
    QWidget* client;
    // The button Enter presses while a list of this screen has the focus.
    QPushButton* listEnterButton = nullptr;
    // What Enter does in `list` when it is more than pressing
    // listEnterButton (moving on to the next list, pressing the way last
    // used); false to press listEnterButton.
    virtual bool enterInList(QComboBox* list);

private:
    struct Shown {
        QPointer<QObject> target;
        const char* source;
        Words where;
    };
    void apply(const Shown& shown) const;
    // A control named after its caption label, named again when the label's
    // words change.
    struct Named {
        QPointer<QWidget> control;
        QPointer<QLabel> caption;
    };
    static void nameAfterCaption(const Named& named);
    void openMenu();

    QScrollArea* scroll_ = nullptr;
    bool altAlone_ = false;

    const char* caption_;
    std::vector<Shown> shown_;
    std::vector<Named> named_;
};
