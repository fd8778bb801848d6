// Where the screens show: each one over the one it replaces, and the start
// screen where it was when the program last ended, unless that place is on
// no display any more.
#include <QScreen>

#include "program.hpp"

namespace {

using Placement = ProgramTest;

// A user's walk through the screens: every screen centred on the one before,
// at the very same place when both are the same size, and on the display.
TEST_F(Placement, EachScreenShowsWhereTheLastOneWas) {
    shown()->move(130, 90);
    session.settle();
    const std::vector<const char*> walk = {"click frmStart.cmdExpress", "click frmTSelect.cmdSitei",
                                           "click frmDate.cmdNext",     "click frmKetteiSitei.cmdOtona",
                                           "click frmKekkaT.cmdBack",   "click frmKetteiSitei.cmdBack",
                                           "click frmDate.cmdBack",     "click frmTSelect.cmdBack"};
    for (const char* a : walk) {
        SCOPED_TRACE(a);
        const QRect before = shown()->frameGeometry();
        act(QString::fromLatin1(a));
        const QRect after = shown()->frameGeometry();
        // Centred on it, unless that would leave part of it off the display.
        const QRect available = shown()->screen()->availableGeometry();
        const bool atAnEdge = after.top() == available.top() || after.bottom() == available.bottom() ||
                              after.left() == available.left() || after.right() == available.right();
        if (!atAnEdge) {
            EXPECT_LE((after.center() - before.center()).manhattanLength(), 2);
        }
        EXPECT_TRUE(available.contains(after));
        if (after.size() == before.size()) {
            EXPECT_EQ(after.topLeft(), before.topLeft());
        }
    }
}

// The start screen's place is kept through the settings for the next start,
// and forgotten when it lies on no display.
TEST_F(Placement, TheStartScreenShowsWhereItWasLastTime) {
    shown()->move(150, 110);
    session.settle();
    const QPoint place = shown()->frameGeometry().topLeft();
    act(QStringLiteral("click frmStart.cmdExit"));
    ASSERT_FALSE(session.running());
    ASSERT_EQ(session.restart(), QString());
    EXPECT_EQ(shown()->frameGeometry().topLeft(), place);

    const QRect frame = session.seam().settings.value(QStringLiteral("window/frame")).toRect();
    ASSERT_TRUE(frame.isValid());
    const QRect available = shown()->screen()->availableGeometry();
    session.seam().settings.insert(QStringLiteral("window/frame"), frame.translated(available.width() * 3, 0));
    session.seam().settings.insert(
        QStringLiteral("window/client"),
        session.seam().settings.value(QStringLiteral("window/client")).toRect().translated(available.width() * 3, 0));
    ASSERT_EQ(session.restart(), QString());
    EXPECT_TRUE(available.contains(shown()->frameGeometry()));
}

// A place that no screen of ours could have had (edited by hand: margins as
// wide as the display, a client area of one pixel, a frame larger than any
// display) is forgotten: the start screen shows at its own size.
TEST_F(Placement, AnImplausiblePlaceIsForgotten) {
    const QSize size = shown()->size();
    const QRect display = shown()->screen()->geometry();
    const QRect absurd[][2] = {
        {QRect(0, 0, 400, 300), QRect(0, 0, 1, 1)},
        {QRect(0, 0, 400, 300), QRect(300, 250, 90, 40)},
        {QRect(0, 0, display.width() * 4, display.height() * 4), QRect(5, 30, 400, 300)},
    };
    for (const auto& place : absurd) {
        SCOPED_TRACE(place[1].width());
        act(QStringLiteral("click frmStart.cmdExit"));
        session.seam().settings.insert(QStringLiteral("window/frame"), place[0]);
        session.seam().settings.insert(QStringLiteral("window/client"), place[1]);
        ASSERT_EQ(session.restart(), QString());
        EXPECT_EQ(shown()->size(), size);
        EXPECT_TRUE(shown()->screen()->availableGeometry().contains(shown()->frameGeometry()));
    }
}

}  // namespace
