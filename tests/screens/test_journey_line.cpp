// The screens between the start screen and the result: the line below the
// specified controls that names the journey being priced, in both languages
// and to a screen reader; and the year list that takes a year as typed.
#include <QAbstractItemView>
#include <QAccessible>
#include <QComboBox>
#include <QLabel>

#include "program.hpp"

namespace {

class Between : public ProgramTest {
protected:
    void restartIn(const char* language) {
        session.seam().settings.insert(QStringLiteral("language"), QString::fromLatin1(language));
        ASSERT_EQ(session.restart(), QString());
    }
    QComboBox* years() { return control<QComboBox>(QStringLiteral("frmDate.cboNen")); }
    // Keys typed into the focused control, after the pause that ends a
    // list's search.
    void type(const QString& keys) {
        QTest::qWait(QApplication::keyboardInputInterval() + 50);
        activate();
        QTest::keyClicks(QApplication::focusWidget(), keys);
        session.settle();
    }
};

constexpr const char* kOkayamaUwajima[] = {"select frmStart.cboHatu 0", "select frmStart.cboTyaku 106"};
constexpr const char* kOkayamaTakamatsu[] = {"select frmStart.cboHatu 0", "select frmStart.cboTyaku 12"};

struct JourneyCase {
    const char* language;
    const char* const* pair;
    std::vector<const char*> actions;
    const char* screen;
    const char* words;
};

TEST_F(Between, ChoiceAndDateScreensNameTheJourney) {
    const JourneyCase cases[] = {
        {"ja", kOkayamaUwajima, {"click frmStart.cmdSlow"}, "frmKettei", "岡山→宇和島　普通列車"},
        {"ja",
         kOkayamaUwajima,
         {"click frmStart.cmdExpress", "click frmTSelect.cmdJiyu"},
         "frmKetteiJiyu",
         "岡山→宇和島　特急 自由席\n(特急区間は岡山→宇和島)"},
        {"ja",
         kOkayamaUwajima,
         {"click frmStart.cmdExpress", "click frmTSelect.cmdSitei"},
         "frmDate",
         "岡山→宇和島　特急 指定席\n(特急区間は岡山→宇和島)"},
        {"ja", kOkayamaTakamatsu, {"click frmStart.mnuSitei"}, "frmDate2", "岡山→高松　マリンライナー 指定席"},
        {"ja",
         kOkayamaTakamatsu,
         {"click frmStart.mnuSitei", "click frmDate2.cmdNext"},
         "frmKetteiMarine",
         "岡山→高松　マリンライナー 指定席"},
        {"ja",
         kOkayamaTakamatsu,
         {"click frmStart.mnuGreen", "click frmMSelect.cmdNext"},
         "frmKetteiMG",
         "岡山→高松　マリンライナー グリーン車\n(マリンライナーの区間は岡山→高松)"},
        {"en", kOkayamaTakamatsu, {"click frmStart.cmdSlow"}, "frmKettei", "Okayama → Takamatsu, local train"},
        {"en",
         kOkayamaUwajima,
         {"click frmStart.cmdExpress", "click frmTSelect.cmdSitei", "click frmDate.cmdNext"},
         "frmKetteiSitei",
         "Okayama → Uwajima, express, reserved\n(limited express from Okayama to Uwajima)"},
        // Back on the start screen with another journey: the line follows.
        {"ja",
         kOkayamaUwajima,
         {"click frmStart.cmdSlow", "click frmKettei.cmdBack", "select frmStart.cboTyaku 12", "click frmStart.cmdSlow"},
         "frmKettei",
         "岡山→高松　普通列車"},
    };
    for (const JourneyCase& c : cases) {
        SCOPED_TRACE(std::string(c.language) + " " + c.screen + " " + c.words);
        restartIn(c.language);
        act(QString::fromLatin1(c.pair[0]));
        act(QString::fromLatin1(c.pair[1]));
        for (const char* a : c.actions) act(QString::fromLatin1(a));
        ASSERT_EQ(shownName(), QLatin1String(c.screen));
        auto* line = control<QLabel>(QLatin1String(c.screen) + QStringLiteral(".lblJourney"));
        ASSERT_TRUE(line);
        EXPECT_TRUE(line->isVisible());
        EXPECT_EQ(line->text(), QString::fromUtf8(c.words));
        EXPECT_EQ(line->accessibleDescription(), line->text());
        // Below every specified control, and inside the window that grew by it.
        for (QWidget* w : line->parentWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (w == line || w->isWindow() || qobject_cast<QLabel*>(w)) continue;
            EXPECT_LE(w->geometry().bottom(), line->geometry().top()) << w->objectName().toStdString();
        }
        EXPECT_LE(line->geometry().bottom(), line->parentWidget()->height());
    }
}

// Typing a year into the year list, closed or open, chooses it as the
// Gregorian year, the Heisei year with or without "h", or its last two
// digits; what stands for no listed year leaves the choice as it was.
TEST_F(Between, YearListTakesTheYearAsTyped) {
    const struct {
        const char* language;
        const char* keys;
        int index;  // 2002 is 0
    } cases[] = {
        {"ja", "2007", 5}, {"ja", "19", 5},   {"ja", "h16", 2}, {"ja", "H20", 6},  {"ja", "03", 1},
        {"ja", "2004", 2}, {"ja", "1999", 2}, {"ja", "h25", 2}, {"en", "2003", 1}, {"en", "h19", 5},
    };
    // A short pause ends a search, as a longer one would.
    const int interval = QApplication::keyboardInputInterval();
    QApplication::setKeyboardInputInterval(150);
    const char* language = "";
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.language) + " " + c.keys);
        if (std::string(language) != c.language) {
            language = c.language;
            restartIn(language);
            for (const char* a : {"click frmStart.cmdExpress", "click frmTSelect.cmdSitei"})
                act(QString::fromLatin1(a));
            years()->setFocus();
        }
        type(QString::fromUtf8(c.keys));
        EXPECT_EQ(years()->currentIndex(), c.index);
    }
    // With the list open, the typed year is the row that Enter chooses.
    press(Qt::Key_Down, Qt::AltModifier);
    QAbstractItemView* rows = years()->view();
    ASSERT_TRUE(rows->isVisible());
    QTest::qWait(QApplication::keyboardInputInterval() + 50);
    QTest::keyClicks(rows, QStringLiteral("h15"));
    EXPECT_EQ(years()->currentIndex(), 5);
    QTest::keyClick(rows, Qt::Key_Return);
    session.settle();
    EXPECT_EQ(years()->currentIndex(), 1);
    EXPECT_TRUE(control<QLabel>(QStringLiteral("frmDate.lblWhy"))->text().contains(QStringLiteral("2003")));
    QApplication::setKeyboardInputInterval(interval);
}

// The English "Non-res." and the date's "Y", "M", "D" are cut short to fit
// their specified places; a screen reader says them in full, in either
// language its own word.
TEST_F(Between, ShortenedCaptionIsSaidInFull) {
    struct Said {
        const char* language;
        const char* control;
        const char* name;
    };
    for (const Said& s : {Said{"ja", "frmTSelect.cmdJiyu", "自由席"}, Said{"en", "frmTSelect.cmdJiyu", "Non-reserved"},
                          Said{"ja", "frmDate.cboNen", "年"}, Said{"en", "frmDate.cboNen", "Year"},
                          Said{"en", "frmDate.cboTuki", "Month"}, Said{"en", "frmDate.cboNiti", "Day"}}) {
        restartIn(s.language);
        act(QStringLiteral("click frmStart.cmdExpress"));
        if (QString::fromLatin1(s.control).startsWith(QLatin1String("frmDate")))
            act(QStringLiteral("click frmTSelect.cmdSitei"));
        QAccessibleInterface* shown =
            QAccessible::queryAccessibleInterface(control<QWidget>(QString::fromLatin1(s.control)));
        ASSERT_TRUE(shown);
        EXPECT_EQ(shown->text(QAccessible::Name), QString::fromUtf8(s.name)) << s.language << " " << s.control;
    }
}

}  // namespace
