// The common base of every screen: the look (dark grey, white bold labels,
// "ＭＳ Ｐゴシック"), geometry in twips, the load and unload steps, and the
// words a person reads in the program's language.
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
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QRect>
#include <QString>
#include <vector>

class QComboBox;
class QFrame;
class QLabel;
class QMenu;
class QPushButton;
class QRadioButton;
class ScreenFlow;

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

    // Where a text a person reads goes on its control.
    enum class Words { Text, ToolTip, AccessibleName };
    // Shows the translation of `source` (a QT_TR_NOOP text of this screen's
    // class or of a class it inherits) on `target` now and after every change
    // of language.
    void setWords(QObject* target, const char* source, Words where = Words::Text);
    // The translation of `source` in the language shown now.
    QString words(const char* source) const;

protected:
    void closeEvent(QCloseEvent* event) override;
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
    // A menu on the menu bar, and an item on a menu.
    QMenu* addMenu(const char* name, const char* title);
    QAction* addMenuItem(QMenu* menu, const char* name, const char* text);

    ScreenFlow& flow;
    QWidget* client;

private:
    struct Shown {
        QPointer<QObject> target;
        const char* source;
        Words where;
    };
    void apply(const Shown& shown) const;

    const char* caption_;
    std::vector<Shown> shown_;
};
