// The keyboard on every screen, pressed as a user would on the real screens
// over the sample tables: Enter, Escape, F10 and Alt, Tab, the wheel, and
// whole enquiries made with keys alone.
#include <QComboBox>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTextBrowser>
#include <QWheelEvent>

#include "program.hpp"
#include "screens/HelpWindow.hpp"
#include "screens/ScreenFlow.hpp"
#include "screens/frmStart.hpp"
#include "screens/shortcuts.hpp"

namespace {

class Keyboard : public ProgramTest {
protected:
    // Escape until the start screen shows; false when it never does.
    bool escapeToStart() {
        for (int i = 0; i < 8 && shownName() != QLatin1String("frmStart"); ++i) press(Qt::Key_Escape);
        return shownName() == QLatin1String("frmStart");
    }
};

// Scenario actions that lead from the start screen to each screen.
struct Route {
    const char* screen;
    std::vector<const char*> actions;
};
const std::vector<Route> kRoutes = {
    {"frmKettei", {"click frmStart.cmdSlow"}},
    {"frmKekka", {"click frmStart.cmdSlow", "click frmKettei.cmdOtona"}},
    {"frmTSelect", {"click frmStart.cmdExpress"}},
    {"frmKetteiJiyu", {"click frmStart.cmdExpress", "click frmTSelect.cmdJiyu"}},
    {"frmDate", {"click frmStart.cmdExpress", "click frmTSelect.cmdSitei"}},
    {"frmKetteiSitei", {"click frmStart.cmdExpress", "click frmTSelect.cmdSitei", "click frmDate.cmdNext"}},
    {"frmKekkaT",
     {"click frmStart.cmdExpress", "click frmTSelect.cmdSitei", "click frmDate.cmdNext",
      "click frmKetteiSitei.cmdOtona"}},
    {"frmKetteiGreen", {"click frmStart.cmdExpress", "click frmTSelect.cmdGreen"}},
    {"frmDate2", {"select frmStart.cboHatu 0", "select frmStart.cboTyaku 12", "click frmStart.mnuSitei"}},
    {"frmKetteiMarine",
     {"select frmStart.cboHatu 0", "select frmStart.cboTyaku 12", "click frmStart.mnuSitei", "click frmDate2.cmdNext"}},
    {"frmMSelect", {"select frmStart.cboHatu 0", "select frmStart.cboTyaku 12", "click frmStart.mnuGreen"}},
    {"frmKetteiMG",
     {"select frmStart.cboHatu 0", "select frmStart.cboTyaku 12", "click frmStart.mnuGreen",
      "click frmMSelect.cmdNext"}},
};

// Escape is "戻る": it leads back to the screen before, on every screen
// that has one.
TEST_F(Keyboard, EscapeGoesBackWhereThereIsABackButton) {
    for (const Route& route : kRoutes) {
        SCOPED_TRACE(route.screen);
        for (const char* a : route.actions) act(QString::fromLatin1(a));
        ASSERT_EQ(shownName(), QLatin1String(route.screen));
        press(Qt::Key_Escape);
        EXPECT_EQ(shownName(), QString::fromLatin1(route.actions.back()).section(' ', 1).section('.', 0, 0));
        ASSERT_TRUE(escapeToStart());
    }
    // The start screen has no way back: Escape leaves the program running.
    press(Qt::Key_Escape);
    EXPECT_TRUE(session.running());
    EXPECT_EQ(shownName(), QStringLiteral("frmStart"));
}

// Enter presses the focused button; in a date screen's list it presses 次へ.
TEST_F(Keyboard, EnterPressesTheFocusedButtonOrNextInADateList) {
    ASSERT_TRUE(tabTo(QStringLiteral("cmdSlow")));
    press(Qt::Key_Return);
    EXPECT_EQ(shownName(), QStringLiteral("frmKettei"));
    ASSERT_TRUE(tabTo(QStringLiteral("cmdKodomo")));
    press(Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(shownName(), QStringLiteral("frmKekka"));

    act(QStringLiteral("click frmKekka.cmdRetry"));
    act(QStringLiteral("click frmStart.cmdExpress"));
    act(QStringLiteral("click frmTSelect.cmdSitei"));
    ASSERT_TRUE(tabTo(QStringLiteral("cboTuki")));
    press(Qt::Key_Return);
    EXPECT_EQ(shownName(), QStringLiteral("frmKetteiSitei"));
}

// Both result screens start with the focus on 再検索, so no single key
// ends the program there; neither do the keys that used to from a fresh
// start (Tab Tab Tab Space Space Space).
TEST_F(Keyboard, NoSingleKeyOnAResultScreenEndsTheProgram) {
    for (const Route& route : kRoutes) {
        if (!QString::fromLatin1(route.screen).startsWith(QLatin1String("frmKekka"))) continue;
        for (const int key : {int(Qt::Key_Space), int(Qt::Key_Return), int(Qt::Key_Escape), int(Qt::Key_Tab)}) {
            SCOPED_TRACE(std::string(route.screen) + " key " + std::to_string(key));
            for (const char* a : route.actions) act(QString::fromLatin1(a));
            EXPECT_EQ(focused(), QStringLiteral("cmdRetry"));
            press(key);
            ASSERT_TRUE(session.running());
            ASSERT_TRUE(escapeToStart());
        }
    }
    ASSERT_EQ(session.restart(), QString());
    press({Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Space, Qt::Key_Space, Qt::Key_Space});
    EXPECT_TRUE(session.running());
}

// F10, or Alt pressed and released alone, opens the first menu where it
// shows; Escape closes it and leaves the stations as they were.
TEST_F(Keyboard, F10AndAltOpenTheMenu) {
    auto* departure = control<QComboBox>(QStringLiteral("frmStart.cboHatu"));
    const int station = departure->currentIndex();
    for (const int key : {int(Qt::Key_F10), int(Qt::Key_Alt)}) {
        SCOPED_TRACE(key);
        press(key);
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        EXPECT_TRUE(menu->isVisible());
        for (int i = 0; i < 3 && QApplication::activePopupWidget(); ++i) press(Qt::Key_Escape);
        EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    }
    EXPECT_EQ(departure->currentIndex(), station);
    EXPECT_TRUE(session.running());
}

// Tab reaches every option group shown, 直通・松山乗換 included.
TEST_F(Keyboard, TabReachesEveryOptionGroup) {
    for (const char* a : kRoutes[5].actions) act(QString::fromLatin1(a));
    ASSERT_EQ(shownName(), QStringLiteral("frmKetteiSitei"));
    QStringList groups;
    for (int i = 0; i < 30; ++i) {
        press(Qt::Key_Tab);
        if (auto* option = qobject_cast<QRadioButton*>(QApplication::focusWidget())) groups << option->objectName();
    }
    const auto reached = [&](std::initializer_list<const char*> names) {
        for (const char* n : names)
            if (groups.contains(QLatin1String(n))) return true;
        return false;
    };
    EXPECT_TRUE(reached({"optKatamiti", "optOfuku"})) << groups.join(' ').toStdString();
    EXPECT_TRUE(reached({"optTyokutu", "optNorikae"})) << groups.join(' ').toStdString();
}

// A wheel turned over a closed list that has not the focus leaves its
// station; once the list has the focus, the wheel turns it.
TEST_F(Keyboard, WheelTurnsOnlyAFocusedList) {
    auto* arrival = control<QComboBox>(QStringLiteral("frmStart.cboTyaku"));
    ASSERT_TRUE(tabTo(QStringLiteral("cmdSlow")));
    const int station = arrival->currentIndex();
    const auto turn = [&] {
        const QPointF at = arrival->rect().center();
        QWheelEvent wheel(at, arrival->mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(arrival, &wheel);
        session.settle();
    };
    turn();
    EXPECT_EQ(arrival->currentIndex(), station);
    EXPECT_EQ(focused(), QStringLiteral("cmdSlow"));
    ASSERT_TRUE(tabTo(QStringLiteral("cboTyaku")));
    turn();
    EXPECT_NE(arrival->currentIndex(), station);
}

// Every kind of enquiry made, backed out of and made again with keys alone:
// Tab to a button and Space, Escape back to the start.
TEST_F(Keyboard, EveryEnquiryWithKeysAlone) {
    struct Enquiry {
        std::vector<const char*> buttons;  // Tab to each and press Space
        const char* result;
    };
    const std::vector<Enquiry> enquiries = {
        {{"cmdSlow", "cmdOtona"}, "frmKekka"},
        {{"cmdExpress", "cmdJiyu", "cmdKodomo"}, "frmKekkaT"},
        {{"cmdExpress", "cmdSitei", "cmdNext", "cmdOtona"}, "frmKekkaT"},
        {{"cmdExpress", "cmdGreen", "cmdOtona"}, "frmKekkaT"},
    };
    for (const Enquiry& e : enquiries) {
        for (int round = 0; round < 2; ++round) {
            SCOPED_TRACE(std::string(e.buttons[1]) + " round " + std::to_string(round));
            for (const char* b : e.buttons) {
                ASSERT_TRUE(tabTo(QLatin1String(b))) << shownName().toStdString() << " " << b;
                press(Qt::Key_Space);
            }
            ASSERT_EQ(shownName(), QLatin1String(e.result));
            if (round == 0) {
                ASSERT_TRUE(escapeToStart());
            } else {
                press(Qt::Key_Return);  // 再検索
                ASSERT_EQ(shownName(), QStringLiteral("frmStart"));
            }
        }
    }
    EXPECT_TRUE(session.running());
}

// The Marine Liner's enquiries, from its menu opened with F10: a pair it
// serves typed into the arrival list, the menu's item chosen with the arrow
// keys and Enter.
TEST_F(Keyboard, MarineEnquiriesFromTheMenuWithKeysAlone) {
    struct Enquiry {
        int item;  // Down presses in the Marine menu
        std::vector<const char*> buttons;
    };
    for (const Enquiry& e : {Enquiry{0, {"cmdNext", "cmdOtona"}}, Enquiry{1, {"cmdNext", "cmdKodomo"}}}) {
        for (int round = 0; round < 2; ++round) {
            SCOPED_TRACE("item " + std::to_string(e.item) + " round " + std::to_string(round));
            ASSERT_TRUE(tabTo(QStringLiteral("cboTyaku")));
            QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("takamatsu"));
            press(Qt::Key_Return);
            press(Qt::Key_F10);
            press(Qt::Key_Right);  // 初期表示 → マリンライナー
            for (int i = 0; i < e.item; ++i) press(Qt::Key_Down);
            press(Qt::Key_Return);
            ASSERT_NE(shownName(), QStringLiteral("frmStart"));
            for (const char* b : e.buttons) {
                ASSERT_TRUE(tabTo(QLatin1String(b))) << shownName().toStdString() << " " << b;
                press(Qt::Key_Space);
            }
            ASSERT_EQ(shownName(), QStringLiteral("frmKekkaT"));
            if (round == 0) {
                ASSERT_TRUE(escapeToStart());
            } else {
                press(Qt::Key_Return);  // 再検索
            }
            ASSERT_EQ(shownName(), QStringLiteral("frmStart"));
        }
    }
}

}  // namespace

// Where the focus goes, on every screen: F1 opens the help at the screen's
// part; after 再検索 a typed name goes into 乗車駅, whatever had the focus
// before; Alt+1 and Alt+2 reach the station lists of a screen that has them.
TEST_F(Keyboard, FocusRulesOnEveryScreen) {
    for (const Route& route : kRoutes) {
        SCOPED_TRACE(route.screen);
        ASSERT_TRUE(tabTo(QStringLiteral("cmdExpress")));  // the focus left elsewhere on the start screen
        for (const char* a : route.actions) act(QString::fromLatin1(a));
        ASSERT_EQ(shownName(), QLatin1String(route.screen));
        const QString section = HelpWindow::sectionOf(shownName());
        EXPECT_NE(section, QStringLiteral("start"));
        press(Qt::Key_F1);
        auto* help = session.flow()->find<frmStart>()->help;
        ASSERT_TRUE(help && help->isVisible());
        EXPECT_TRUE(HelpWindow::page(mkd::Lang::Japanese).contains(QStringLiteral("name=\"%1\"").arg(section)));
        EXPECT_GT(help->text->verticalScrollBar()->value(), 0) << section.toStdString();
        help->close();
        if (shown()->findChild<QComboBox*>(QStringLiteral("cboTyaku"))) {
            // Alt held down as on a keyboard: its release opens no menu.
            activate();
            const auto target = [this] { return QApplication::focusWidget() ? QApplication::focusWidget() : shown(); };
            QTest::keyPress(target(), Qt::Key_Alt, Qt::AltModifier);
            press(Qt::Key_2, Qt::AltModifier);
            QTest::keyRelease(target(), Qt::Key_Alt);
            session.settle();
            EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
            EXPECT_EQ(focused(), QStringLiteral("cboTyaku"));
            press(Qt::Key_1, Qt::AltModifier);
            EXPECT_EQ(focused(), QStringLiteral("cboHatu"));
        }
        if (auto* retry = shown()->findChild<QPushButton*>(QStringLiteral("cmdRetry"))) {
            retry->click();
            session.settle();
            ASSERT_EQ(shownName(), QStringLiteral("frmStart"));
            EXPECT_EQ(focused(), QStringLiteral("cboHatu"));
            QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("takamatsu"));
            session.settle();
            press(Qt::Key_Return);
            EXPECT_EQ(control<QComboBox>(QStringLiteral("frmStart.cboHatu"))->currentIndex(), 12);
            act(QStringLiteral("select frmStart.cboHatu 0"));
        }
        ASSERT_TRUE(escapeToStart());
    }
}

// An option group takes the focus on its chosen option, Tab or Shift+Tab,
// so ↓ always changes the choice.
TEST_F(Keyboard, OptionGroupTakesTheFocusOnItsChoice) {
    for (const char* a : kRoutes[5].actions) act(QString::fromLatin1(a));
    ASSERT_EQ(shownName(), QStringLiteral("frmKetteiSitei"));
    ASSERT_TRUE(tabTo(QStringLiteral("optTyokutu")));
    press(Qt::Key_Down);
    auto* change = control<QRadioButton>(QStringLiteral("frmKetteiSitei.optNorikae"));
    ASSERT_TRUE(change->isChecked());
    // Away and back from either side: the focus lands on 松山乗換, the choice.
    for (const int key : {int(Qt::Key_Tab), int(Qt::Key_Backtab)}) {
        for (int i = 0; i < 30 && focused().startsWith(QLatin1String("opt")); ++i) press(key);
        for (int i = 0; i < 30 && focused() != QLatin1String("optNorikae") && focused() != QLatin1String("optTyokutu");
             ++i)
            press(key);
        EXPECT_EQ(focused(), QStringLiteral("optNorikae")) << key;
    }
    press(Qt::Key_Up);
    EXPECT_TRUE(control<QRadioButton>(QStringLiteral("frmKetteiSitei.optTyokutu"))->isChecked());
}

// The help lists every key any window offers, from the table the actions
// take their keys from.
TEST_F(Keyboard, HelpListsEveryShortcut) {
    for (const char* a : kRoutes[6].actions) act(QString::fromLatin1(a));
    press(Qt::Key_K, Qt::ControlModifier);
    press(Qt::Key_J, Qt::ControlModifier);
    press(Qt::Key_F1);
    const QString page = HelpWindow::page(mkd::Lang::Japanese);
    QStringList missing;
    for (QWidget* w : QApplication::topLevelWidgets())
        for (const QAction* a : w->findChildren<QAction*>())
            if (!a->shortcut().isEmpty() &&
                !page.contains(a->shortcut().toString(QKeySequence::NativeText).toHtmlEscaped()))
                missing << a->shortcut().toString();
    EXPECT_TRUE(missing.isEmpty()) << missing.join(' ').toStdString();
    for (const ShortcutRow& r : shortcuts())
        EXPECT_TRUE(r.key.isEmpty() || page.contains(r.key.toString(QKeySequence::NativeText))) << r.what;
}
