// A running program for the screen tests: mkd-scenario's session (a
// temporary copy of the formula tables, a fixed clock, settings in memory)
// and a keyboard that sends each key where a real one would.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include "ScenarioRunner.hpp"
#include "screens/Screen.hpp"

// Readable failures: QStrings printed as text.
inline void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }

class ProgramTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(session.start(), QString()); }

    // The screen shown (the last one when, wrongly, several are), or null.
    Screen* shown() {
        Screen* found = nullptr;
        if (session.running())
            for (Screen* s : session.flow()->loadedScreens())
                if (s->isVisible()) found = s;
        return found;
    }
    QString shownName() {
        Screen* s = shown();
        return s ? s->objectName() : QString();
    }

    template <class T>
    T* control(const QString& qualified) {
        QString why;
        return qobject_cast<T*>(session.control(qualified, why));
    }

    QString focused() {
        activate();
        QWidget* w = QApplication::focusWidget();
        return w ? w->objectName() : QString();
    }

    // The shown screen made the active window, as the window manager does
    // for a window that shows (the offscreen platform does not).
    void activate() {
        Screen* s = shown();
        if (!s || QApplication::activePopupWidget() || QApplication::activeWindow() == s) return;
        s->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(s));
    }

    // One key pressed and released: to the focused control, unless a popup
    // (a menu, a list's rows) is open outside it; else to the shown screen.
    void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        activate();
        QWidget* target = QApplication::activePopupWidget();
        QWidget* focus = QApplication::focusWidget();
        if (!target || (focus && target->isAncestorOf(focus))) target = focus;
        if (!target) target = shown();
        ASSERT_NE(target, nullptr) << "no window to type into";
        QTest::keyClick(target, static_cast<Qt::Key>(key), modifiers);
        session.settle();
    }
    void press(std::initializer_list<int> keys) {
        for (int key : keys) press(key);
    }

    // Tab until `name` has the focus; false when the tab order never gets
    // there.
    bool tabTo(const QString& name) {
        activate();
        for (int i = 0; i < 20 && focused() != name; ++i) press(Qt::Key_Tab);
        return focused() == name;
    }

    // A scenario action ("click frmStart.cmdSlow", "select frmStart.cboHatu 3").
    void act(const QString& line) {
        const QStringList w = line.split(QLatin1Char(' '));
        const QString error = w[0] == QLatin1String("click") ? session.click(w[1]) : session.select(w[1], w[2].toInt());
        ASSERT_EQ(error, QString()) << line.toStdString();
    }

    ScenarioSession session{QStringLiteral(MKD_TEST_TABLES), mkd::Date{2007, 8, 12}};
};
