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

}  // namespace
