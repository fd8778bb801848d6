// Finding a station by typing into a focused station list, swapping the two
// stations, and the help: driven by key and mouse events on the real start
// screen over the sample tables.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTextBrowser>

#include "data/table_store.hpp"
#include "pricing/journey_rules.hpp"
#include "screens/HelpWindow.hpp"
#include "screens/ScreenFlow.hpp"
#include "screens/Seam.hpp"
#include "screens/StationFinder.hpp"
#include "screens/frmKettei.hpp"
#include "screens/frmStart.hpp"
#include "screens/frmTSelect.hpp"
#include "started_program.hpp"

namespace {

constexpr int kOkayama = 0, kKojima = 11, kTakamatsu = 12, kUematsu = 8, kUwajima = 106;

// Each character as the key that types it, sent to whatever has the focus,
// as a keyboard does.
void type(const QString& text) {
    for (QChar c : text) {
        const char latin = c.toLatin1();
        const auto key = latin >= 'a' && latin <= 'z'   ? Qt::Key(Qt::Key_A + (latin - 'a'))
                         : latin >= 'A' && latin <= 'Z' ? Qt::Key(Qt::Key_A + (latin - 'A'))
                                                        : Qt::Key_unknown;
        QTest::sendKeyEvent(QTest::Click, QApplication::focusWidget(), key, QString(c), Qt::NoModifier);
    }
}

void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(QApplication::focusWidget(), key, modifiers);
}

StationFinder* finderOf(QComboBox* list) { return list->findChild<StationFinder*>(); }

class Finder : public StartedProgram {
protected:
    // Focuses `list` and types `text` into it.
    void typeInto(QComboBox* list, const QString& text) {
        list->setFocus();
        ASSERT_EQ(QApplication::focusWidget(), list);
        type(text);
    }
};

// Done with the keyboard alone: however the arrival is written, Enter takes
// it and runs the list's handler (the Marine menu follows the new pair).
TEST_F(Finder, EveryWayOfWritingTheArrivalTakesItWithEnter) {
    for (const QString& typed : {QStringLiteral("uwajima"), QStringLiteral("うわじま"), QStringLiteral("ウワジマ"),
                                 QStringLiteral("宇和島"), QStringLiteral("ＵＷＡＪＩＭＡ")}) {
        SCOPED_TRACE(typed.toStdString());
        typeInto(start->cboTyaku, QStringLiteral("kojima"));
        press(Qt::Key_Return);
        ASSERT_EQ(start->arrival(), kKojima);
        EXPECT_TRUE(start->mnuMarine->menuAction()->isEnabled());

        typeInto(start->cboTyaku, typed);
        ASSERT_TRUE(finderOf(start->cboTyaku)->isOpen());
        EXPECT_EQ(finderOf(start->cboTyaku)->textBox()->text(), typed);
        press(Qt::Key_Return);
        EXPECT_FALSE(finderOf(start->cboTyaku)->isOpen());
        EXPECT_EQ(start->arrival(), kUwajima);
        EXPECT_EQ(start->cboTyaku->currentText(), QStringLiteral("宇和島"));
        EXPECT_FALSE(start->mnuMarine->menuAction()->isEnabled());
        EXPECT_EQ(QApplication::focusWidget(), start->cboTyaku);
    }
    // The list itself is as it was: every station, in order.
    EXPECT_EQ(start->cboTyaku->count(), 107);
    EXPECT_EQ(start->cboTyaku->itemText(kOkayama), QStringLiteral("岡山"));
}

TEST_F(Finder, BestFirstAndArrowKeysAndAClickChoose) {
    typeInto(start->cboHatu, QStringLiteral("matsu"));
    QListWidget* matches = finderOf(start->cboHatu)->matches();
    ASSERT_EQ(matches->count(), 4);
    EXPECT_TRUE(matches->item(0)->text().startsWith(QStringLiteral("松山")));
    press(Qt::Key_Down);
    press(Qt::Key_Return);
    EXPECT_EQ(start->departure(), kTakamatsu);

    typeInto(start->cboHatu, QStringLiteral("matsu"));
    QSignalSpy chosen(start->cboHatu, &QComboBox::activated);
    QTest::mouseClick(matches->viewport(), Qt::LeftButton, {}, matches->visualItemRect(matches->item(2)).center());
    EXPECT_EQ(start->departure(), kUematsu);
    EXPECT_EQ(chosen.count(), 1);
}

// Escape, a click outside the window, or leaving with text that fits no
// station keeps the station and runs no handler; leaving with a fit takes
// it. Text that fits nothing says so, in a line that cannot be chosen.
TEST_F(Finder, EscapeClickOutsideOrNoFitKeepsTheStation) {
    QSignalSpy chosen(start->cboTyaku, &QComboBox::activated);
    typeInto(start->cboTyaku, QStringLiteral("matsu"));
    press(Qt::Key_Escape);
    EXPECT_FALSE(finderOf(start->cboTyaku)->isOpen());
    typeInto(start->cboTyaku, QStringLiteral("matsu"));
    auto* caption = start->findChild<QWidget*>(QStringLiteral("lblHatu"));
    ASSERT_TRUE(caption);
    // Through the window, as a real click comes, so that the open window
    // sees it land outside.
    QTest::mouseClick(start->windowHandle(), Qt::LeftButton, {}, caption->mapTo(start, QPoint(2, 2)));
    EXPECT_FALSE(finderOf(start->cboTyaku)->isOpen());
    EXPECT_EQ(start->arrival(), kUwajima);
    EXPECT_EQ(start->focusWidget(), start->cboTyaku);
    // The offscreen platform leaves the closed window the active one; a
    // window manager gives the activation back to the screen.
    QApplication::setActiveWindow(start);

    typeInto(start->cboTyaku, QStringLiteral("xyz"));
    const QListWidget* matches = finderOf(start->cboTyaku)->matches();
    ASSERT_EQ(matches->count(), 1);
    EXPECT_EQ(matches->item(0)->text(), QStringLiteral("該当する駅がありません"));
    EXPECT_FALSE(matches->item(0)->flags() & Qt::ItemIsSelectable);
    press(Qt::Key_Down);
    press(Qt::Key_Return);  // nothing to take: the text stays to be corrected
    EXPECT_TRUE(finderOf(start->cboTyaku)->isOpen());
    press(Qt::Key_Tab);
    EXPECT_FALSE(finderOf(start->cboTyaku)->isOpen());
    EXPECT_EQ(start->arrival(), kUwajima);
    EXPECT_EQ(chosen.count(), 0);

    typeInto(start->cboTyaku, QStringLiteral("takamatsu"));
    press(Qt::Key_Tab);
    EXPECT_EQ(start->arrival(), kTakamatsu);
    EXPECT_EQ(chosen.count(), 1);
    EXPECT_EQ(QApplication::focusWidget(), start->cmdSwap);
}

// An input method's text reaches the list: the text being composed opens
// the search and filters it as it grows, Enter first commits it, the
// committed text fills the field.
TEST_F(Finder, InputMethodText) {
    start->cboTyaku->setFocus();
    QInputMethodQueryEvent query(Qt::ImEnabled);
    QApplication::sendEvent(start->cboTyaku, &query);
    EXPECT_TRUE(query.value(Qt::ImEnabled).toBool());
    const auto compose = [](const QString& text) {
        QInputMethodEvent preedit(text, {});
        QApplication::sendEvent(QApplication::focusWidget(), &preedit);
    };
    compose(QStringLiteral("う"));
    ASSERT_TRUE(finderOf(start->cboTyaku)->isOpen());
    const QListWidget* matches = finderOf(start->cboTyaku)->matches();
    EXPECT_GT(matches->count(), 1);
    compose(QStringLiteral("うわじ"));
    ASSERT_EQ(matches->count(), 2);
    EXPECT_TRUE(matches->item(0)->text().startsWith(QStringLiteral("宇和島")));
    EXPECT_TRUE(finderOf(start->cboTyaku)->textBox()->text().isEmpty());
    press(Qt::Key_Return);  // commits the composition, chooses nothing yet
    EXPECT_EQ(finderOf(start->cboTyaku)->textBox()->text(), QStringLiteral("うわじ"));
    EXPECT_TRUE(finderOf(start->cboTyaku)->isOpen());
    press(Qt::Key_Escape);

    compose(QStringLiteral("うわ"));
    QInputMethodEvent commit;
    commit.setCommitString(QStringLiteral("宇和島"));
    QApplication::sendEvent(QApplication::focusWidget(), &commit);
    EXPECT_EQ(finderOf(start->cboTyaku)->textBox()->text(), QStringLiteral("宇和島"));
    press(Qt::Key_Return);
    EXPECT_EQ(start->arrival(), kUwajima);
}

// Enter does the obvious thing: on from 乗車駅 to 降車駅, then the way
// last used (普通列車 at first); on a section screen on to the second list,
// then the first seat that is offered.
TEST_F(Finder, EnterMovesOn) {
    start->cboHatu->setFocus();
    press(Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), start->cboTyaku);
    typeInto(start->cboTyaku, QStringLiteral("matsuyama"));
    press(Qt::Key_Return);  // takes the station, stays in the list
    EXPECT_EQ(QApplication::focusWidget(), start->cboTyaku);
    press(Qt::Key_Return);
    auto* local = flow.find<frmKettei>();
    ASSERT_TRUE(local && local->isVisible());
    EXPECT_FALSE(start->isVisible());
}

TEST_F(Finder, EnterInTheSectionListsAndTheWayLastUsed) {
    QTest::mouseClick(start->cmdExpress, Qt::LeftButton);
    auto* section = flow.find<frmTSelect>();
    ASSERT_TRUE(section && section->isVisible());
    section->cboHatu->setFocus();
    QTest::keyClick(section->cboHatu, Qt::Key_Return);
    EXPECT_EQ(section->focusWidget(), section->cboTyaku);
    QSignalSpy seat(section->findChild<QPushButton*>(QStringLiteral("cmdJiyu")), &QPushButton::clicked);
    QTest::keyClick(section->cboTyaku, Qt::Key_Return);
    EXPECT_EQ(seat.count(), 1);

    // Back on the start screen, Enter in 降車駅 goes the express way again.
    section->hide();
    start->show();
    start->cboTyaku->setFocus();
    QTest::keyClick(start->cboTyaku, Qt::Key_Return);
    EXPECT_FALSE(start->isVisible());
    EXPECT_TRUE(section->isVisible());
}

// A screen reader meets each list by its caption with its station as the
// value, and finds the open finder as the list's child: named as its list,
// with the text field and, as its description, the first match.
// (Checked through Qt's accessibility interfaces, which the AT-SPI bridge
// serves; the offscreen platform has no AT-SPI bus.)
TEST_F(Finder, ScreenReadersMeetNamedListsAndTheFinder) {
    QAccessibleInterface* departure = QAccessible::queryAccessibleInterface(start->cboHatu);
    ASSERT_TRUE(departure);
    EXPECT_EQ(departure->role(), QAccessible::ComboBox);
    EXPECT_EQ(departure->text(QAccessible::Name), QStringLiteral("乗車駅"));
    EXPECT_EQ(departure->text(QAccessible::Value), start->cboHatu->currentText());
    EXPECT_EQ(QAccessible::queryAccessibleInterface(start->cboTyaku)->text(QAccessible::Name),
              QStringLiteral("降車駅"));

    typeInto(start->cboTyaku, QStringLiteral("uwa"));
    QWidget* window = finderOf(start->cboTyaku)->textBox()->window();
    QAccessibleInterface* arrival = QAccessible::queryAccessibleInterface(start->cboTyaku);
    ASSERT_EQ(arrival->childCount(), 1);
    EXPECT_EQ(arrival->child(0)->object(), window);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(window)->text(QAccessible::Name), QStringLiteral("降車駅"));
    QAccessibleInterface* field = QAccessible::queryAccessibleInterface(finderOf(start->cboTyaku)->textBox());
    EXPECT_EQ(field->text(QAccessible::Name), QStringLiteral("駅を探す"));
    EXPECT_TRUE(field->text(QAccessible::Description).startsWith(QStringLiteral("宇和島")))
        << field->text(QAccessible::Description).toStdString();
    press(Qt::Key_Escape);
    typeInto(start->cboTyaku, QStringLiteral("xyz"));
    EXPECT_EQ(field->text(QAccessible::Description), QStringLiteral("該当する駅がありません"));
}

// Each section screen searches its own list: the express stops only.
TEST_F(Finder, SectionScreenSearchesItsOwnStops) {
    QTest::mouseClick(start->cmdExpress, Qt::LeftButton);
    auto* section = flow.find<frmTSelect>();
    ASSERT_TRUE(section && section->isVisible());
    section->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(section));
    typeInto(section->cboHatu, QStringLiteral("uwa"));
    EXPECT_EQ(finderOf(section->cboHatu)->matches()->count(), 1);
    press(Qt::Key_Return);
    EXPECT_EQ(section->cboHatu->currentIndex(), 25);
    EXPECT_EQ(section->cboHatu->count(), 26);
}

// The swap runs the handlers as choosing the departure, then the arrival.
TEST_F(Finder, SwapByClickAndByKey) {
    typeInto(start->cboTyaku, QStringLiteral("takamatsu"));
    press(Qt::Key_Return);
    QSignalSpy departureChosen(start->cboHatu, &QComboBox::activated);
    QSignalSpy arrivalChosen(start->cboTyaku, &QComboBox::activated);
    QTest::mouseClick(start->cmdSwap, Qt::LeftButton);
    EXPECT_EQ(start->departure(), kTakamatsu);
    EXPECT_EQ(start->arrival(), kOkayama);
    EXPECT_EQ(departureChosen.count(), 1);
    EXPECT_EQ(arrivalChosen.count(), 1);
    const mkd::MarineMenu menu = mkd::marineMenuFor(kTakamatsu, kOkayama);
    EXPECT_EQ(start->mnuMarine->menuAction()->isEnabled(), menu.marine);
    EXPECT_EQ(start->mnuSitei->isEnabled(), menu.sitei);

    QTest::keyClick(start, Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(start->departure(), kOkayama);
    EXPECT_EQ(start->arrival(), kTakamatsu);
    EXPECT_EQ(departureChosen.count(), 2);
}

TEST_F(Finder, EnglishSignNamesAreFoundAndShown) {
    flow.chooseLanguage(mkd::Lang::English);
    QApplication::processEvents();
    typeInto(start->cboTyaku, QStringLiteral("Iyo-Saijo"));
    const QListWidget* matches = finderOf(start->cboTyaku)->matches();
    ASSERT_EQ(matches->count(), 1);
    EXPECT_EQ(matches->item(0)->text(), QStringLiteral("Iyo-Saijo  伊予西条"));
    press(Qt::Key_Return);
    EXPECT_EQ(start->cboTyaku->currentText(), QStringLiteral("Iyo-Saijo"));

    // The open list shows the longest sign name whole.
    QTest::mouseClick(start->cboHatu, Qt::LeftButton);
    QAbstractItemView* open = start->cboHatu->view();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(open->window()));
    int widest = 0;
    for (int i = 0; i < start->cboHatu->count(); ++i)
        widest = std::max(widest, open->fontMetrics().horizontalAdvance(start->cboHatu->itemText(i)));
    EXPECT_GE(open->viewport()->width(), widest);
    QTest::keyClick(open, Qt::Key_Escape);
}

TEST_F(Finder, HelpPageAndAboutBox) {
    QTest::keyClick(start, Qt::Key_F1);
    ASSERT_TRUE(start->help && start->help->isVisible());
    const QString page = start->help->text->toPlainText();
    for (const char* part :
         {"繁忙期", "3月21日〜4月5日", "12月25日〜1月10日", "閑散期", "学割", "100 km", "2002年", "2008年"})
        EXPECT_TRUE(page.contains(QString::fromUtf8(part))) << part;
    start->help->close();

    // The menu after the specified ones, opened and chosen with the mouse.
    start->activateWindow();
    QMenuBar* bar = start->menuBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(start->mnuHelp->menuAction()).center());
    ASSERT_TRUE(start->mnuHelp->isVisible());
    QTest::mouseClick(start->mnuHelp, Qt::LeftButton, {}, start->mnuHelp->actionGeometry(start->mnuAbout).center());
    ASSERT_EQ(seam.messages.size(), 1);
    EXPECT_TRUE(seam.messages.front().startsWith(QStringLiteral("みちくさダイヤ ")));
    EXPECT_TRUE(seam.messages.front().contains(QStringLiteral("Untin")));
    // After the specified menus: help, the tools, the journeys, then the language.
    const QList<QAction*> menus = bar->actions();
    ASSERT_EQ(menus.size(), 6);
    EXPECT_EQ(menus[2], start->mnuHelp->menuAction());
    EXPECT_EQ(menus[3], start->mnuTools->menuAction());
    EXPECT_EQ(menus[4], start->mnuJourneys->menuAction());
    EXPECT_EQ(menus[5], start->mnuLanguage->menuAction());
}

}  // namespace
