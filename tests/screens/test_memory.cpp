// What a screen leaves behind once it is discarded: nothing that grows with
// the number of enquiries (the memory soak in bench/run.sh measures it; these
// check the causes, without timing).
#include <QGuiApplication>
#include <QPointer>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOption>
#include <QWindow>
#include <map>

#include "program.hpp"
#include "screens/ProgramStyle.hpp"

namespace {

using Memory = ProgramTest;

// Fusion under the program's style, noting the palette each button's bevel
// is drawn with: Fusion files the drawing in the pixmap cache under a name
// made of that palette's cache key.
class BevelKeys : public QProxyStyle {
public:
    BevelKeys() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override {
        if (element == PE_PanelButtonCommand && widget) keys[widget->objectName()] = option->palette.cacheKey();
        QProxyStyle::drawPrimitive(element, option, painter, widget);
    }
    mutable std::map<QString, qint64> keys;
};

const QStringList kLocalEnquiry = {
    QStringLiteral("click frmStart.cmdSlow"),   QStringLiteral("click frmKettei.cmdOtona"),
    QStringLiteral("click frmKekka.cmdRetry"),  QStringLiteral("click frmStart.cmdExpress"),
    QStringLiteral("click frmTSelect.cmdJiyu"), QStringLiteral("click frmKetteiJiyu.cmdKodomo"),
    QStringLiteral("click frmKekkaT.cmdRetry")};

// A choice screen created afresh for the next enquiry draws its buttons
// under the names the one before used, so the cache holds one set of them
// however many enquiries are made (it used to gain a set every time, and
// Qt never forgot the names).
TEST_F(Memory, ScreensCreatedAfreshDrawUnderTheSameCacheNames) {
    auto* program = qobject_cast<ProgramStyle*>(QApplication::style());
    ASSERT_NE(program, nullptr);
    auto* recorder = new BevelKeys;
    program->setBaseStyle(recorder);

    std::vector<qint64> keys;
    QPointer<Screen> previous;
    for (int i = 0; i < 2; ++i) {
        act(QStringLiteral("click frmStart.cmdSlow"));
        ASSERT_EQ(shownName(), QStringLiteral("frmKettei"));
        EXPECT_NE(shown(), previous.data());
        previous = shown();
        recorder->keys.clear();
        shown()->grab();
        ASSERT_EQ(recorder->keys.count(QStringLiteral("cmdOtona")), 1u);
        keys.push_back(recorder->keys[QStringLiteral("cmdOtona")]);
        act(QStringLiteral("click frmKettei.cmdOtona"));
        act(QStringLiteral("click frmKekka.cmdRetry"));
        EXPECT_TRUE(previous.isNull()) << "the choice screen was not discarded";
    }
    program->setBaseStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    EXPECT_EQ(keys[0], keys[1]);
}

// Enquiries leave as many windows, top-level widgets, loaded screens and
// shared palettes as the first one did.
TEST_F(Memory, EnquiriesLeaveNoWindowsBehind) {
    auto* program = qobject_cast<ProgramStyle*>(QApplication::style());
    ASSERT_NE(program, nullptr);
    auto counts = [&] {
        return std::vector<std::size_t>{static_cast<std::size_t>(QGuiApplication::allWindows().size()),
                                        static_cast<std::size_t>(QApplication::topLevelWidgets().size()),
                                        session.flow()->loadedScreens().size(), program->sharedPaletteCount()};
    };
    for (const QString& a : kLocalEnquiry) act(a);
    const std::vector<std::size_t> first = counts();
    for (int i = 0; i < 10; ++i)
        for (const QString& a : kLocalEnquiry) act(a);
    EXPECT_EQ(counts(), first);
}

}  // namespace
