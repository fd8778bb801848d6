// What a user sees on hovering over a control that is off: the tool tip
// appears where the mouse rests, on the start screen's Marine Liner menu and
// its 指定席 item and on a choice screen's 学割.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QHelpEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QToolTip>

#include "data/table_store.hpp"
#include "screens/ChoiceScreen.hpp"
#include "screens/ScreenFlow.hpp"
#include "screens/Seam.hpp"
#include "screens/WhyLine.hpp"
#include "screens/frmKettei.hpp"
#include "screens/frmStart.hpp"
#include "screens/frmTSelect.hpp"
#include "started_program.hpp"

namespace {

// Rests the mouse on `where` inside `widget` until the tool tip is due, as
// the window system reports it; returns the tool tip then shown.
QString hover(QWidget* widget, QPoint where) {
    QToolTip::hideText();
    static_cast<void>(QTest::qWaitFor([] { return !QToolTip::isVisible(); }, 2000));
    QTest::mouseMove(widget, where);
    QHelpEvent event(QEvent::ToolTip, where, widget->mapToGlobal(where));
    QApplication::sendEvent(widget, &event);
    return QToolTip::isVisible() ? QToolTip::text() : QString();
}

class Why : public StartedProgram {
protected:
    void TearDown() override {
        QToolTip::hideText();
        StartedProgram::TearDown();
    }
};

TEST_F(Why, TheMarineMenuAndItsSeatSayWhyOnHover) {
    // 岡山 → 宇和島: the menu is off.
    start->cboTyaku->setFocus();
    QTest::keyClicks(start->cboTyaku, QStringLiteral("uwajima"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    ASSERT_EQ(start->arrival(), 106);
    QMenuBar* bar = start->menuBar();
    const QRect menuRect = bar->actionGeometry(start->mnuMarine->menuAction());
    ASSERT_FALSE(start->mnuMarine->menuAction()->isEnabled());
    EXPECT_EQ(hover(bar, menuRect.center()), start->mnuMarine->menuAction()->toolTip());
    EXPECT_FALSE(start->mnuMarine->menuAction()->toolTip().isEmpty());

    // 岡山 → 大元: the menu is on and names its section; its 指定席 is off.
    QTest::keyClicks(start->cboTyaku, QStringLiteral("oomoto"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    ASSERT_EQ(start->arrival(), 1);
    ASSERT_TRUE(start->mnuMarine->menuAction()->isEnabled());
    EXPECT_EQ(hover(bar, menuRect.center()), QStringLiteral("マリンライナーの岡山から大元までの料金を調べます。"));
    QTest::mouseClick(bar, Qt::LeftButton, {}, menuRect.center());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(start->mnuMarine));
    ASSERT_FALSE(start->mnuSitei->isEnabled());
    EXPECT_EQ(hover(start->mnuMarine, start->mnuMarine->actionGeometry(start->mnuSitei).center()),
              QStringLiteral("岡山と大元の間ではマリンライナーの指定席を選べません。"));
    // An item that is on says nothing more than its name.
    EXPECT_EQ(hover(start->mnuMarine, start->mnuMarine->actionGeometry(start->mnuGreen).center()), QString());
    QTest::keyClick(start->mnuMarine, Qt::Key_Escape);
}

// 岡山 → 児島 by limited express is too short for 学割: the button, though
// off, still answers the mouse with why.
TEST_F(Why, AnOffStudentFareSaysWhyOnHover) {
    start->cboTyaku->setFocus();
    QTest::keyClicks(start->cboTyaku, QStringLiteral("kojima"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QTest::mouseClick(start->cmdExpress, Qt::LeftButton);
    auto* section = flow.find<frmTSelect>();
    ASSERT_TRUE(section && section->isVisible());
    QTest::mouseClick(section->cmdJiyu, Qt::LeftButton);
    auto* choice = static_cast<ChoiceScreen*>(flow.find(QStringLiteral("frmKetteiJiyu")));
    ASSERT_TRUE(choice && choice->isVisible());
    ASSERT_FALSE(choice->cmdGakuwari->isEnabled());
    const QString why = choice->cmdGakuwari->toolTip();
    EXPECT_TRUE(why.startsWith(QStringLiteral("学割は 100 km を超える区間でだけ選べます"))) << why.toStdString();
    EXPECT_EQ(hover(choice->cmdGakuwari, choice->cmdGakuwari->rect().center()), why);
    EXPECT_EQ(choice->cmdGakuwari->accessibleDescription(), why);
}

// The same reasons without the mouse: the arrow keys stop at the Marine menu
// and its 指定席 when they are off, and the line below the buttons says why
// (for 指定席 also what to do instead); Tab to the buttons beside an off
// 学割 says why it is off, which is also its accessible description.
TEST_F(Why, ReasonsReachedByKeyboard) {
    start->cboTyaku->setFocus();
    QTest::keyClicks(start->cboTyaku, QStringLiteral("uwajima"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    ASSERT_FALSE(start->mnuMarine->menuAction()->isEnabled());
    EXPECT_TRUE(start->whyOff->isHidden());
    const int height = start->height();
    QTest::keyClick(start, Qt::Key_F10);
    QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Right);  // 初期表示 → マリンライナー
    EXPECT_EQ(start->menuBar()->activeAction(), start->mnuMarine->menuAction());
    EXPECT_TRUE(QTest::qWaitFor([&] { return start->whyOff->isVisible(); }, 1000));
    EXPECT_EQ(start->whyOff->text(), start->mnuMarine->menuAction()->toolTip());
    for (int i = 0; i < 2; ++i) {
        QWidget* popup = QApplication::activePopupWidget();
        QTest::keyClick(popup ? popup : static_cast<QWidget*>(start->menuBar()), Qt::Key_Escape);
    }
    EXPECT_TRUE(QTest::qWaitFor([&] { return start->whyOff->isHidden(); }, 1000));
    QApplication::processEvents();
    EXPECT_EQ(start->height(), height);

    start->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(start));
    start->cboTyaku->setFocus();
    QTest::keyClicks(start->cboTyaku, QStringLiteral("oomoto"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    ASSERT_FALSE(start->mnuSitei->isEnabled());
    QTest::keyClick(start, Qt::Key_F10);
    QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Right);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(start->mnuMarine));
    for (int i = 0; i < 3 && start->mnuMarine->activeAction() != start->mnuSitei; ++i)
        QTest::keyClick(start->mnuMarine, Qt::Key_Down);
    ASSERT_EQ(start->mnuMarine->activeAction(), start->mnuSitei);
    EXPECT_TRUE(start->whyOff->isVisible());
    EXPECT_TRUE(start->whyOff->text().startsWith(start->mnuSitei->toolTip()));
    EXPECT_TRUE(start->whyOff->text().contains(QStringLiteral("もっと離れた駅を選ぶ")));
    QTest::keyClick(start->mnuMarine, Qt::Key_Escape);
}

TEST_F(Why, AnOffStudentFareSaysWhyToTheKeyboard) {
    start->cboTyaku->setFocus();
    QTest::keyClicks(start->cboTyaku, QStringLiteral("kojima"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QTest::mouseClick(start->cmdSlow, Qt::LeftButton);
    auto* choice = flow.find<frmKettei>();
    ASSERT_TRUE(choice && choice->isVisible());
    choice->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(choice));
    ASSERT_FALSE(choice->cmdGakuwari->isEnabled());
    auto* line = choice->findChild<WhyLine*>();
    ASSERT_TRUE(line);
    EXPECT_TRUE(line->isHidden());
    choice->cmdOtona->setFocus();
    QTest::keyClick(choice->cmdOtona, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), choice->cmdKodomo);
    EXPECT_TRUE(line->isVisible());
    EXPECT_EQ(line->text(), choice->cmdGakuwari->toolTip());
    const QAccessibleInterface* button = QAccessible::queryAccessibleInterface(choice->cmdGakuwari);
    ASSERT_TRUE(button);
    EXPECT_EQ(button->text(QAccessible::Description), choice->cmdGakuwari->toolTip());
}

}  // namespace
