// The common base of every screen: the look (dark grey, white bold labels,
// "ＭＳ Ｐゴシック"), geometry in twips, and the load and unload steps.
//
// A screen never creates, shows or destroys another screen by itself: it asks
// the ScreenFlow, which owns the life cycle of all of them.
#pragma once

#include <QMainWindow>
#include <QRect>
#include <QString>

class QComboBox;
class QFrame;
class QLabel;
class QPushButton;
class QRadioButton;
class ScreenFlow;

class Screen : public QMainWindow {
    Q_OBJECT
public:
    Screen(ScreenFlow& flow, const char* name, const QString& caption, int clientWidthTwips,
           int clientHeightTwips);

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

protected:
    void closeEvent(QCloseEvent* event) override;
    // What the window's close box does: by default the screen is discarded
    // and its unload step decides where the user goes next. Screens without
    // such a step override it so that the program never ends up without a
    // visible window.
    virtual void closeBox();

    // Controls placed on the client area (or inside `parent`, a frame).
    QLabel* addLabel(const char* name, const QString& text, QRect rect, double points,
                     Qt::Alignment align = Qt::AlignLeft | Qt::AlignTop);
    QPushButton* addButton(const char* name, const QString& text, QRect rect, double points = 9);
    QComboBox* addList(const char* name, QRect rect);
    QRadioButton* addOption(const char* name, const QString& text, QRect rect, double points = 9,
                            QWidget* parent = nullptr);
    QFrame* addFrame(const char* name, QRect rect);

    ScreenFlow& flow;
    QWidget* client;
};
