// Printing when the print module is missing, as after a damaged install:
// this test program has none beside it or where it is installed. The user
// is told, with the reason, and the result stays on screen.
#include "program.hpp"

namespace {

class NoPrintModule : public ProgramTest {};

TEST_F(NoPrintModule, PrintingSaysTheModuleCannotBeLoaded) {
    for (const char* line : {"select frmStart.cboHatu 0", "select frmStart.cboTyaku 12", "click frmStart.cmdSlow",
                             "click frmKettei.cmdOtona"})
        act(QString::fromLatin1(line));
    ASSERT_EQ(shownName(), QStringLiteral("frmKekka"));
    press(Qt::Key_P, Qt::ControlModifier);
    const auto& messages = session.seam().messages;
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages.back().text, QStringLiteral("印刷の部品を読み込めませんでした。"));
    EXPECT_TRUE(messages.back().informative.contains(QStringLiteral("mkdprint")))
        << messages.back().informative.toStdString();
    EXPECT_EQ(shownName(), QStringLiteral("frmKekka"));
}

}  // namespace
