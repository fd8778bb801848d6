// The look shared by every screen: the program's font, inherited at 9 pt and
// set only for other sizes, and the widget style.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStandardItemModel>
#include <QStyleOption>
#include <QTableView>
#include <QTest>

#include <cmath>

#include "data/table_store.hpp"
#include "screens/ProgramStyle.hpp"
#include "screens/Screen.hpp"
#include "screens/ScreenFlow.hpp"
#include "screens/Seam.hpp"
#include "screens/program_font.hpp"
#include "test_seam.hpp"

namespace {

// A screen with one control of each kind, at the sizes the screens use.
class SampleScreen : public Screen {
public:
    explicit SampleScreen(ScreenFlow& screens) : Screen(screens, "frmSample", "見本", 3390, 2310) {
        title = addLabel("lblSelect", "選択してください。", twips(120, 225, 3135, 375), 15.75);
        caption = addLabel("lblHatu", "乗車駅", twips(360, 720, 975, 255), 12);
        list = addList("cboHatu", twips(240, 1080, 1215, 300));
        button = addButton("cmdSlow", "普通列車", twips(1200, 1680, 975, 375));
        small = addButton("cmdGreen", "グリーン車", twips(480, 2160, 975, 375), 8.25);
        option = addOption("optKatamiti", "　片　道", twips(1800, 1320, 1095, 255));
    }
    QLabel* title;
    QLabel* caption;
    QComboBox* list;
    QPushButton* button;
    QPushButton* small;
    QRadioButton* option;
};

class Look : public ::testing::Test {
protected:
    TestSeam seam;
    mkd::TableStore tables{"."};
    ScreenFlow flow{seam, tables};
};

TEST_F(Look, EveryControlDrawsInTheProgramFontAtItsSize) {
    SampleScreen screen(flow);
    const struct {
        QWidget* widget;
        int pixels;
    } cases[] = {{screen.title, 21},  {screen.caption, 16}, {screen.list, 12},
                 {screen.button, 12}, {screen.small, 11},   {screen.option, 12}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.widget->objectName().toStdString());
        const QFont f = c.widget->font();
        EXPECT_EQ(f.pixelSize(), c.pixels);
        EXPECT_TRUE(f.bold());
        EXPECT_EQ(f.families(), programFaces());
    }
    // The 9 pt controls inherit the screen's font rather than set their own.
    EXPECT_FALSE(screen.list->testAttribute(Qt::WA_SetFont));
    EXPECT_FALSE(screen.button->testAttribute(Qt::WA_SetFont));
    EXPECT_TRUE(screen.small->testAttribute(Qt::WA_SetFont));
}

TEST_F(Look, MenuBarOverflowButtonStillDrawsItsIcon) {
    const QIcon deferred =
        QApplication::style()->standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton, nullptr, nullptr);
    ASSERT_FALSE(deferred.isNull());
    EXPECT_FALSE(deferred.pixmap(16, 16).isNull());
    EXPECT_FALSE(QApplication::style()->standardIcon(QStyle::SP_ToolBarVerticalExtensionButton).pixmap(16).isNull());
    // Other icons come from Fusion unchanged.
    EXPECT_FALSE(QApplication::style()->standardIcon(QStyle::SP_ArrowUp).isNull());

    // A window too narrow for its menus shows the overflow button, drawn.
    SampleScreen screen(flow);
    for (const char* title : {"初期表示", "マリンライナー", "三つ目", "四つ目", "五つ目"})
        screen.menuBar()->addMenu(QString::fromUtf8(title));
    screen.show();
    QApplication::processEvents();
    EXPECT_FALSE(screen.grab().isNull());
}

// Disabled buttons are drawn in another colour than enabled ones, and the
// selected option shows a mark in its indicator where an unselected one is
// hollow.
TEST_F(Look, DisabledLooksDisabledAndTheSelectedOptionIsMarked) {
    SampleScreen screen(flow);
    auto* other = new QRadioButton(QStringLiteral("　往　復"), screen.option->parentWidget());
    other->setGeometry(screen.option->geometry().translated(0, 20));
    other->setFont(screen.option->font());
    screen.option->setChecked(true);
    screen.show();
    QApplication::processEvents();
    const QPalette p = screen.button->palette();
    EXPECT_NE(p.color(QPalette::Disabled, QPalette::ButtonText), p.color(QPalette::Active, QPalette::ButtonText));
    const QImage enabled = screen.button->grab().toImage();
    screen.button->setEnabled(false);
    EXPECT_NE(screen.button->grab().toImage(), enabled);

    QStyleOptionButton option;
    option.initFrom(screen.option);
    const QPoint centre =
        QApplication::style()->subElementRect(QStyle::SE_RadioButtonIndicator, &option, screen.option).center();
    const QImage checked = screen.option->grab().toImage();
    const QImage unchecked = other->grab().toImage();
    const qreal ratio = checked.devicePixelRatio();
    const QPoint at = centre * ratio;
    const QPoint inside = (centre + QPoint(0, -option.rect.height() / 5)) * ratio;  // hollow part of the ring
    EXPECT_NE(checked.pixel(at), unchecked.pixel(at));
    EXPECT_EQ(unchecked.pixel(at), unchecked.pixel(inside));
}

// The ring around the control with the keyboard focus: 2 pixels at least
// 3:1 against the dark grey around it and, inside it, a line at least 3:1
// against the light face.
double contrast(QColor a, QColor b) {
    const auto luminance = [](QColor c) {
        const auto channel = [](double v) { return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
        return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
    };
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

TEST_F(Look, TheFocusRingIsTwoPixelsAndStandsOut) {
    SampleScreen screen(flow);
    screen.show();
    screen.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&screen));
    for (QWidget* control : std::initializer_list<QWidget*>{screen.button, screen.list}) {
        control->setFocus(Qt::TabFocusReason);
        QApplication::processEvents();
        ASSERT_TRUE(control->hasFocus());
        const QImage image = control->grab().toImage();
        const qreal ratio = image.devicePixelRatio();
        const QColor background = screen.palette().color(QPalette::Window);
        const int middle = static_cast<int>(control->height() / 2 * ratio);
        for (int x = 0; x < static_cast<int>(2 * ratio); ++x)
            EXPECT_GE(contrast(image.pixelColor(x, middle), background), 3.0) << control->objectName().toStdString();
        const QColor face = control->palette().color(QPalette::Button);
        EXPECT_GE(contrast(image.pixelColor(static_cast<int>(2 * ratio), middle), face), 3.0);
        control->clearFocus();
        EXPECT_NE(control->grab().toImage(), image);
    }
    // The windows of their own: a table before any row is chosen, a number
    // and a date field show the same ring.
    auto* table = new QTableView(screen.list->parentWidget());
    auto* model = new QStandardItemModel(3, 3, table);
    table->setModel(model);
    table->setGeometry(10, 10, 200, 100);
    auto* count = new QSpinBox(screen.list->parentWidget());
    count->setGeometry(10, 120, 80, 24);
    for (QWidget* control : std::initializer_list<QWidget*>{table, count}) {
        control->show();
        control->setFocus(Qt::TabFocusReason);
        QApplication::processEvents();
        ASSERT_TRUE(control->hasFocus());
        const QImage image = control->grab().toImage();
        const qreal ratio = image.devicePixelRatio();
        const QColor background = screen.palette().color(QPalette::Window);
        const int middle = static_cast<int>(control->height() / 2 * ratio);
        for (int x = 0; x < static_cast<int>(2 * ratio); ++x)
            EXPECT_GE(contrast(image.pixelColor(x, middle), background), 3.0) << control->metaObject()->className();
    }
}

}  // namespace
