// The season calendar driven by keys: from a travel-date screen (F4), the
// compare window's date field (Alt+↓) and the start screen (Ctrl+L); the
// day it gives is the one the lists and the season line then show, and the
// result is priced for it.
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDateEdit>
#include <QFile>
#include <QLabel>
#include <QMimeData>
#include <QTableWidget>
#include <QTemporaryDir>
#include <cmath>

#include "explain/enquiry_words.hpp"
#include "program.hpp"
#include "screens/AnswerOut.hpp"
#include "screens/CompareWindow.hpp"
#include "screens/DateScreen.hpp"
#include "screens/SeasonCalendar.hpp"
#include "screens/WhyLine.hpp"
#include "words/money.hpp"

namespace {

class Calendar : public ProgramTest {
protected:
    SeasonCalendarWindow* window() { return SeasonCalendarWindow::find(*session.flow()); }

    // A key to the calendar's focused control, the window made active first.
    void key(int k, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        SeasonCalendarWindow* w = window();
        ASSERT_TRUE(w && w->isVisible());
        if (QApplication::activeWindow() != w) {
            w->activateWindow();
            ASSERT_TRUE(QTest::qWaitFor([w] { return QApplication::activeWindow() == w; }));
        }
        QWidget* focus = QApplication::focusWidget();
        QTest::keyClick(focus && w->isAncestorOf(focus) ? focus : w, static_cast<Qt::Key>(k), modifiers);
        session.settle();
    }

    // The chosen cell's words, as a screen reader reads them.
    QString chosenWords() {
        const QTableWidget* grid = window()->grid;
        return grid->currentIndex().data(Qt::AccessibleTextRole).toString();
    }

    DateScreen* toReservedDate() {
        act(QStringLiteral("click frmStart.cmdExpress"));
        act(QStringLiteral("click frmTSelect.cmdSitei"));
        return qobject_cast<DateScreen*>(shown());
    }
};

TEST_F(Calendar, KeysChooseTheDayTheDateScreenThenPrices) {
    DateScreen* date = toReservedDate();
    ASSERT_TRUE(date);
    EXPECT_EQ(date->travelDate().date, (mkd::Date{2007, 8, 12}));
    press(Qt::Key_F4);
    ASSERT_TRUE(window() && window()->isVisible());
    EXPECT_EQ(window()->date(), (mkd::Date{2007, 8, 12}));
    for (int i = 0; i < 3; ++i) key(Qt::Key_Down);
    EXPECT_EQ(window()->date(), (mkd::Date{2007, 9, 2}));
    key(Qt::Key_Right);
    key(Qt::Key_Left);
    key(Qt::Key_Return);
    EXPECT_FALSE(window()->isVisible());
    EXPECT_EQ(date->cboNen->currentIndex(), 2007 - 2002);
    EXPECT_EQ(date->cboTuki->currentIndex(), 9 - 1);
    EXPECT_EQ(date->cboNiti->currentIndex(), 2 - 1);
    EXPECT_TRUE(
        date->lblWhy->text().contains(QString::fromStdString(mkd::dateAndSeasonText(mkd::travelDate(2007, 9, 2)))));

    // PgDn a month, Ctrl+PgDn a year, Up a week: 2008-10-26, then priced.
    press(Qt::Key_F4);
    key(Qt::Key_PageDown);
    EXPECT_EQ(window()->date(), (mkd::Date{2007, 10, 2}));
    key(Qt::Key_PageDown, Qt::ControlModifier);
    key(Qt::Key_Up);
    EXPECT_EQ(window()->date(), (mkd::Date{2008, 9, 25}));
    const QString words = chosenWords();
    key(Qt::Key_Return);
    EXPECT_EQ(date->travelDate().date, (mkd::Date{2008, 9, 25}));
    EXPECT_TRUE(words.contains(QString::fromStdString(std::string(mkd::seasonName(mkd::Season::OffPeak)))))
        << words.toStdString();
    press(Qt::Key_Return);  // 次へ, from the day list
    act(QStringLiteral("click frmKetteiSitei.cmdOtona"));
    ASSERT_EQ(shownName(), QStringLiteral("frmKekkaT"));
    ASSERT_TRUE(session.flow()->enquiry().answer);
    EXPECT_EQ(session.flow()->enquiry().answer->season, mkd::Season::OffPeak);
}

// Every day of a month with an override: what the calendar says of the day
// is what the date screen's season line says once the day is taken.
TEST_F(Calendar, EachDaysSeasonIsTheDateScreensLine) {
    DateScreen* date = toReservedDate();
    ASSERT_TRUE(date);
    for (int day = 1; day <= 30; ++day) {
        press(Qt::Key_F4);
        ASSERT_TRUE(window()->isVisible());
        if (day == 1) {
            key(Qt::Key_PageDown);  // September 2007
            key(Qt::Key_Home);
        } else {
            key(Qt::Key_Right);
        }
        const QString words = chosenWords();
        EXPECT_EQ(window()->grid->currentItem()->toolTip(), words);
        key(Qt::Key_Return);
        const mkd::TravelDate shown = date->travelDate();
        ASSERT_EQ(shown.date, (mkd::Date{2007, 9, day}));
        const QString season = QString::fromStdString(std::string(mkd::seasonName(shown.season)));
        EXPECT_TRUE(words.contains(season)) << day << words.toStdString();
        EXPECT_TRUE(date->lblWhy->text().contains(season)) << day;
        if (day == 24) {
            EXPECT_TRUE(words.contains(QStringLiteral("秋分の日の振替休日"))) << words.toStdString();
        }
    }
}

// Escape closes the calendar; the start screen's Ctrl+L opens it on its own
// pair's reserved seat, each day's total under it, the month copied whole.
TEST_F(Calendar, FromTheStartScreenCopiedWithLegendAndPrices) {
    press(Qt::Key_L, Qt::ControlModifier);
    ASSERT_TRUE(window() && window()->isVisible());
    key(Qt::Key_PageDown);  // September: off-peak days and overrides
    key(Qt::Key_C, Qt::ControlModifier);
    const QMimeData* copied = QApplication::clipboard()->mimeData();
    ASSERT_TRUE(copied);
    const QStringList lines = copied->text().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 3 + 30);
    EXPECT_TRUE(lines[3].startsWith(QStringLiteral("2007-09-01\t")));
    for (const mkd::CalendarDay& d : window()->month().days) {
        ASSERT_TRUE(d.total);
        EXPECT_TRUE(lines[2 + d.date.day].contains(QString::fromStdString(mkd::formatMoney(*d.total))));
    }
    EXPECT_TRUE(copied->html().contains(SeasonCalendarWindow::seasonColour(mkd::Season::OffPeak).name()));
    EXPECT_TRUE(copied->html().contains(QStringLiteral("秋分の日")));

    // On paper through the print module: one page.
    QTemporaryDir folder;
    const QString pdf = folder.filePath(QStringLiteral("month.pdf"));
    ASSERT_TRUE(writePdf(window()->html(), pdf));
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll().count("/Type /Page\n"), 1);
    key(Qt::Key_Escape);
    EXPECT_FALSE(window()->isVisible());
}

// The compare window's date field: Alt+↓ opens the calendar, Enter sets it.
TEST_F(Calendar, TheCompareWindowsDateFieldByKeys) {
    press(Qt::Key_K, Qt::ControlModifier);
    CompareWindow* compare = CompareWindow::find(*session.flow());
    ASSERT_TRUE(compare);
    compare->dtpDate->setFocus();
    QTest::keyClick(compare->dtpDate, Qt::Key_Down, Qt::AltModifier);
    session.settle();
    ASSERT_TRUE(window() && window()->isVisible());
    key(Qt::Key_PageUp);
    key(Qt::Key_End);
    key(Qt::Key_Enter);
    EXPECT_EQ(compare->dtpDate->date(), QDate(2007, 7, 31));
}

// Lightness apart by at least WCAG's 3:1 for non-text contrast between any
// two seasons, so that they differ in grey too.
TEST(CalendarColours, SeasonsDifferInLightness) {
    const auto luminance = [](const QColor& c) {
        const auto channel = [](double v) { return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
        return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
    };
    const mkd::Season seasons[] = {mkd::Season::Busy, mkd::Season::Normal, mkd::Season::OffPeak};
    for (mkd::Season a : seasons)
        for (mkd::Season b : seasons) {
            if (a == b) continue;
            const double la = luminance(SeasonCalendarWindow::seasonColour(a));
            const double lb = luminance(SeasonCalendarWindow::seasonColour(b));
            EXPECT_GE((std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05), 3.0) << int(a) << " " << int(b);
        }
}

}  // namespace
