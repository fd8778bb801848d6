// Every screen walked, with the longest captions each kind of result shows:
// no text is cut off and no control lies outside its window, at whatever
// scale the test runs (the build runs it at 1 and 2); and what a screen
// reader hears of the lists, option groups and amounts. The screens to visit
// and each check are separate so that a second language can reuse them.
#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAccessible>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOption>
#include <QTableView>
#include <map>
#include <set>

#include "program.hpp"
#include "screens/AnswerOut.hpp"
#include "screens/JourneyWindow.hpp"

namespace {

// Scenario actions from a fresh start to a screen showing what is named.
struct Visit {
    const char* what;
    const char* screen;
    std::vector<const char*> actions;
};

const char* const kToExpress = "click frmStart.cmdExpress";
const char* const kMarinePair[] = {"select frmStart.cboHatu 0", "select frmStart.cboTyaku 12"};

const std::vector<Visit> kVisits = {
    {"start", "frmStart", {}},
    // Two of the longest names, which in English fit only smaller or cut.
    {"long names", "frmStart", {"select frmStart.cboHatu 2", "select frmStart.cboTyaku 88"}},
    {"long names' result",
     "frmKekka",
     {"select frmStart.cboHatu 2", "select frmStart.cboTyaku 88", "click frmStart.cmdSlow",
      "click frmKettei.cmdOtona"}},
    {"local choice", "frmKettei", {"click frmStart.cmdSlow"}},
    {"local student return",
     "frmKekka",
     {"click frmStart.cmdSlow", "click frmKettei.optOfuku", "click frmKettei.cmdGakuwari"}},
    {"express kind", "frmTSelect", {kToExpress}},
    {"non-reserved choice", "frmKetteiJiyu", {kToExpress, "click frmTSelect.cmdJiyu"}},
    {"non-reserved result", "frmKekkaT", {kToExpress, "click frmTSelect.cmdJiyu", "click frmKetteiJiyu.cmdGakuwari"}},
    {"travel date", "frmDate", {kToExpress, "click frmTSelect.cmdSitei"}},
    {"reserved choice via Matsuyama",
     "frmKetteiSitei",
     {kToExpress, "click frmTSelect.cmdSitei", "click frmDate.cmdNext", "click frmKetteiSitei.optNorikae"}},
    {"reserved off-peak student return",
     "frmKekkaT",
     {kToExpress, "click frmTSelect.cmdSitei", "select frmDate.cboTuki 5", "select frmDate.cboNiti 11",
      "click frmDate.cmdNext", "click frmKetteiSitei.optOfuku", "click frmKetteiSitei.optNorikae",
      "click frmKetteiSitei.cmdGakuwari"}},
    {"green choice", "frmKetteiGreen", {kToExpress, "click frmTSelect.cmdGreen"}},
    {"green result", "frmKekkaT", {kToExpress, "click frmTSelect.cmdGreen", "click frmKetteiGreen.cmdOtona"}},
    {"marine date", "frmDate2", {kMarinePair[0], kMarinePair[1], "click frmStart.mnuSitei"}},
    {"marine choice",
     "frmKetteiMarine",
     {kMarinePair[0], kMarinePair[1], "click frmStart.mnuSitei", "click frmDate2.cmdNext"}},
    {"marine off-peak result",
     "frmKekkaT",
     {kMarinePair[0], kMarinePair[1], "click frmStart.mnuSitei", "select frmDate2.cboTuki 5",
      "select frmDate2.cboNiti 11", "click frmDate2.cmdNext", "click frmKetteiMarine.optOfuku",
      "click frmKetteiMarine.cmdKodomo"}},
    {"marine green section", "frmMSelect", {kMarinePair[0], kMarinePair[1], "click frmStart.mnuGreen"}},
    {"marine green result",
     "frmKekkaT",
     {kMarinePair[0], kMarinePair[1], "click frmStart.mnuGreen", "click frmMSelect.cmdNext",
      "click frmKetteiMG.cmdOtona"}},
};

// Where a control's text is drawn, and the text; an empty text for controls
// without one.
struct Drawn {
    QString text;
    QRect room;
};

Drawn drawnText(QWidget* w) {
    QStyle* style = w->style();
    if (auto* label = qobject_cast<QLabel*>(w)) {
        const int inset = label->margin() + std::max(label->indent(), 0);
        return {label->text(), label->contentsRect().adjusted(inset, inset, -inset, -inset)};
    }
    if (auto* button = qobject_cast<QAbstractButton*>(w)) {
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = button->text();
        const bool radio = qobject_cast<QRadioButton*>(w) != nullptr;
        return {button->text(),
                style->subElementRect(radio ? QStyle::SE_RadioButtonContents : QStyle::SE_PushButtonContents, &option,
                                      button)};
    }
    if (auto* list = qobject_cast<QComboBox*>(w)) {
        QStyleOptionComboBox option;
        option.initFrom(list);
        option.currentText = list->currentText();
        const QRect field = style->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, list);
        // The style ends a name too long for the field with "…"; that is
        // fine only where the list then names it whole as its tool tip.
        if (list->toolTip() == list->currentText())
            return {list->fontMetrics().elidedText(list->currentText(), Qt::ElideRight, field.width()), field};
        return {list->currentText(), field};
    }
    return {};
}

// "" when `w`'s text fits where it is drawn, else what is cut off.
QString textFits(QWidget* w) {
    const Drawn d = drawnText(w);
    if (qobject_cast<QLabel*>(w) && d.text.endsWith(QChar(0x2026)) && w->toolTip().isEmpty())
        return QStringLiteral("%1 \"%2\" is cut short without a tool tip").arg(w->objectName(), d.text);
    const QFontMetrics metrics = w->fontMetrics();
    // A label that wraps its words needs room for all its lines.
    if (auto* label = qobject_cast<QLabel*>(w); label && label->wordWrap()) {
        const QRect needs = metrics.boundingRect(d.room, int(label->alignment()) | Qt::TextWordWrap, d.text);
        if (needs.height() <= d.room.height() && needs.width() <= d.room.width()) return {};
        return QStringLiteral("%1 \"%2\" needs %3 px high, has %4")
            .arg(w->objectName(), d.text)
            .arg(needs.height())
            .arg(d.room.height());
    }
    for (const QString& line : d.text.split(QLatin1Char('\n'))) {
        const int width = metrics.horizontalAdvance(line);
        if (width > d.room.width())
            return QStringLiteral("%1 \"%2\" needs %3 px, has %4")
                .arg(w->objectName(), line)
                .arg(width)
                .arg(d.room.width());
    }
    return {};
}

// "" when `w` lies inside the client area of its screen.
QString insideWindow(QWidget* w, QWidget* client) {
    const QRect rect(w->mapTo(client, QPoint(0, 0)), w->size());
    if (client->rect().contains(rect)) return {};
    return QStringLiteral("%1 at (%2,%3 %4×%5) outside %6×%7")
        .arg(w->objectName())
        .arg(rect.x())
        .arg(rect.y())
        .arg(rect.width())
        .arg(rect.height())
        .arg(client->width())
        .arg(client->height());
}

// "" unless `w` is a label beside the list it names (the date screens' 年,
// 月, 日) whose text is off the list's line. Their places start 8 px below
// the lists' and stay as they are: the text, at the top of its place, shares
// the list's line without being exactly level with it, hence half a line of
// slack.
QString linedUp(QWidget* w) {
    auto* label = qobject_cast<QLabel*>(w);
    auto* list = label ? qobject_cast<QComboBox*>(label->buddy()) : nullptr;
    if (!list || label->geometry().left() < list->geometry().right()) return {};
    // Where the label's text is drawn, by its alignment: the rectangle is
    // as specified and may be taller than the text.
    const QRect room = label->contentsRect().translated(label->pos());
    const int textHeight = label->fontMetrics().height();
    const int middle = label->alignment() & Qt::AlignTop      ? room.top() + textHeight / 2
                       : label->alignment() & Qt::AlignBottom ? room.bottom() - textHeight / 2
                                                              : room.center().y();
    const int off = middle - list->geometry().center().y();
    if (std::abs(off) <= textHeight / 2) return {};
    return QStringLiteral("%1 is %2 px off the middle of %3").arg(label->objectName()).arg(off).arg(list->objectName());
}

// "" when the whole window, frame included, lies on the screen's available
// area (it scrolls inside when larger).
QString onScreen(QWidget& window) {
    const QRect available = window.screen()->availableGeometry();
    if (available.contains(window.frameGeometry())) return {};
    return QStringLiteral("window %1×%2 at (%3,%4) off the %5×%6 screen")
        .arg(window.frameGeometry().width())
        .arg(window.frameGeometry().height())
        .arg(window.frameGeometry().x())
        .arg(window.frameGeometry().y())
        .arg(available.width())
        .arg(available.height());
}

class Walk : public ProgramTest {
protected:
    // Each visit from a fresh start in each of `languages` (as if the user
    // had chosen it before); `check` sees the screen shown at its end.
    template <class Check>
    void visitAll(Check check, std::initializer_list<const char*> languages = {"ja"}) {
        for (const char* language : languages) {
            session.seam().settings.insert(QStringLiteral("language"), QString::fromLatin1(language));
            for (const Visit& v : kVisits) {
                SCOPED_TRACE(std::string(language) + ": " + v.what);
                ASSERT_EQ(session.restart(), QString());
                for (const char* a : v.actions) act(QString::fromLatin1(a));
                ASSERT_EQ(shownName(), QLatin1String(v.screen));
                check(*shown());
            }
        }
    }
};

TEST_F(Walk, NoTextCutOffAndNothingOutsideItsWindow) {
    visitAll(
        [](Screen& screen) {
            QWidget* client = screen.findChild<QWidget*>(QStringLiteral("client"));
            if (!client) client = screen.centralWidget();
            EXPECT_EQ(onScreen(screen), QString()) << screen.objectName().toStdString();
            for (QWidget* w : screen.findChildren<QWidget*>()) {
                if (!w->isVisibleTo(&screen) || w->objectName().isEmpty() || !drawnText(w).room.isValid()) continue;
                if (w->parentWidget() && qobject_cast<QComboBox*>(w->parentWidget())) continue;
                if (!client->isAncestorOf(w)) continue;  // the menu bar's "»", a window of its own
                EXPECT_EQ(textFits(w), QString()) << screen.objectName().toStdString();
                EXPECT_EQ(insideWindow(w, client), QString()) << screen.objectName().toStdString();
                EXPECT_EQ(linedUp(w), QString()) << screen.objectName().toStdString();
            }
        },
        {"ja", "en"});
}

// The name of the label a screen reader reads for `w` (a list or an
// amount, whose own name on Linux is its value), or "" when it has none.
QString labelledBy(QWidget* w) {
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
    const auto labels = a ? a->relations(QAccessible::Label) : decltype(a->relations()){};
    return labels.size() == 1 ? labels.front().first->text(QAccessible::Name) : QString();
}

// What a screen reader hears: the lists by the captions that label them, the
// option groups by name, each amount with its caption as its label; no
// padding spaces.
TEST_F(Walk, ScreenReaderHearsCaptions) {
    const auto name = [](QWidget* w) {
        if (qobject_cast<QComboBox*>(w)) return labelledBy(w);
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
        return a ? a->text(QAccessible::Name) : QString();
    };
    const std::map<QString, QString> named = {
        {QStringLiteral("frmStart.cboHatu"), QStringLiteral("乗車駅")},
        {QStringLiteral("frmStart.cboTyaku"), QStringLiteral("降車駅")},
        {QStringLiteral("frmDate.cboNen"), QStringLiteral("年")},
        {QStringLiteral("frmDate.cboTuki"), QStringLiteral("月")},
        {QStringLiteral("frmDate.cboNiti"), QStringLiteral("日")},
        {QStringLiteral("frmKetteiSitei.optKatamiti"), QStringLiteral("片道")},
        {QStringLiteral("frmKetteiSitei.optNorikae"), QStringLiteral("松山乗換")},
        {QStringLiteral("frmKetteiSitei.fraNorikae"), QStringLiteral("直通・松山乗換")},
    };
    const std::map<QString, QString> grouped = {
        {QStringLiteral("frmKetteiSitei.optOfuku"), QStringLiteral("片道・往復")},
        {QStringLiteral("frmKetteiSitei.optTyokutu"), QStringLiteral("直通・松山乗換")},
    };
    const QStringList amounts = {QStringLiteral("lblYen"), QStringLiteral("lblYenT"), QStringLiteral("lblGoukei")};
    std::set<QString> heard;
    visitAll([&](Screen& screen) {
        const QString prefix = screen.objectName() + QLatin1Char('.');
        for (QWidget* w : screen.findChildren<QWidget*>()) {
            const QString id = prefix + w->objectName();
            if (auto it = named.find(id); it != named.end()) {
                EXPECT_EQ(name(w), it->second) << id.toStdString();
                heard.insert(id);
            }
            if (auto it = grouped.find(id); it != grouped.end()) {
                EXPECT_EQ(w->accessibleDescription(), it->second) << id.toStdString();
                heard.insert(id);
            }
            if (!amounts.contains(w->objectName()) || !w->isVisibleTo(&screen)) continue;
            const QString caption = labelledBy(w);
            EXPECT_FALSE(caption.isEmpty() || caption.contains(QChar(0x3000))) << id.toStdString();
            heard.insert(prefix + QStringLiteral("amount"));
        }
    });
    for (const auto& [id, n] : named) EXPECT_TRUE(heard.count(id)) << id.toStdString();
    EXPECT_TRUE(heard.count(QStringLiteral("frmKekka.amount")));
    EXPECT_TRUE(heard.count(QStringLiteral("frmKekkaT.amount")));
}

}  // namespace

namespace {

// What a window of its own shows, from `client` down: no text cut off and
// nothing outside it, and the window on the screen.
void expectNothingCutOff(QWidget& window, QWidget* client) {
    EXPECT_EQ(onScreen(window), QString());
    for (QWidget* w : client->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(&window) || !drawnText(w).room.isValid()) continue;
        if (w->parentWidget() && qobject_cast<QComboBox*>(w->parentWidget())) continue;
        if (qobject_cast<QLabel*>(w) && w->parentWidget() != client) continue;  // inside a table's header
        EXPECT_EQ(textFits(w), QString()) << w->objectName().toStdString();
        EXPECT_EQ(insideWindow(w, client), QString()) << w->objectName().toStdString();
    }
    // Each table's cells: each whole in its column (the table scrolls).
    for (const QTableView* grid : client->findChildren<QTableView*>())
        for (int r = 0; r < grid->model()->rowCount(); ++r)
            for (int c = 0; c < grid->model()->columnCount(); ++c) {
                if (grid->isColumnHidden(c)) continue;
                const QModelIndex cell = grid->model()->index(r, c);
                EXPECT_LE(grid->sizeHintForIndex(cell).width(), grid->columnWidth(c))
                    << grid->objectName().toStdString() << ": " << cell.data().toString().toStdString();
            }
}

// The compare window, opened with Ctrl+K over pairs whose rows say the most
// (long names, reasons for every way): no text cut off and nothing outside
// it, the window on the screen, in both languages.
TEST_F(Walk, CompareWindowHasNoTextCutOff) {
    const std::vector<std::vector<const char*>> pairs = {
        {}, {"select frmStart.cboHatu 2", "select frmStart.cboTyaku 88"}, {"select frmStart.cboTyaku 1"}};
    for (const char* language : {"ja", "en"}) {
        session.seam().settings.insert(QStringLiteral("language"), QString::fromLatin1(language));
        for (const auto& pair : pairs) {
            SCOPED_TRACE(std::string(language) + ": " + std::to_string(pair.size()));
            ASSERT_EQ(session.restart(), QString());
            for (const char* a : pair) act(QString::fromLatin1(a));
            press(Qt::Key_K, Qt::ControlModifier);
            QWidget* window = nullptr;
            for (QWidget* w : QApplication::topLevelWidgets())
                if (w->objectName() == QLatin1String("frmHikaku") && w->isVisible()) window = w;
            ASSERT_TRUE(window);
            session.settle();
            QWidget* client = window->findChild<QWidget*>(QStringLiteral("client"));
            ASSERT_TRUE(client);
            expectNothingCutOff(*window, client);
        }
    }
}

// The season calendar (Ctrl+L) on a month of six weeks, with the start
// screen's pair priced under each day: no text cut off and nothing outside
// it, in both languages.
TEST_F(Walk, SeasonCalendarHasNoTextCutOff) {
    for (const char* language : {"ja", "en"}) {
        SCOPED_TRACE(language);
        session.seam().settings.insert(QStringLiteral("language"), QString::fromLatin1(language));
        ASSERT_EQ(session.restart(), QString());
        act(QStringLiteral("select frmStart.cboHatu 2"));
        act(QStringLiteral("select frmStart.cboTyaku 88"));
        press(Qt::Key_L, Qt::ControlModifier);
        QWidget* window = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == QLatin1String("frmCalendar") && w->isVisible()) window = w;
        ASSERT_TRUE(window);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageDown);  // September 2007: six weeks
        session.settle();
        QWidget* client = window->findChild<QWidget*>(QStringLiteral("client"));
        ASSERT_TRUE(client);
        expectNothingCutOff(*window, client);
        window->close();
    }
}

// The journey list (Ctrl+J) holding journeys with the longest names and
// words: no text cut off and nothing outside it, in both languages.
TEST_F(Walk, JourneyListHasNoTextCutOff) {
    const std::vector<std::pair<std::vector<const char*>, const char*>> journeys = {
        {{"select frmStart.cboHatu 2", "select frmStart.cboTyaku 88", "click frmStart.cmdSlow",
          "click frmKettei.cmdOtona"},
         "click frmKekka.cmdRetry"},
        {{kToExpress, "click frmTSelect.cmdGreen", "click frmKetteiGreen.cmdKodomo"}, "click frmKekkaT.cmdRetry"}};
    for (const char* language : {"ja", "en"}) {
        SCOPED_TRACE(language);
        session.seam().settings.insert(QStringLiteral("language"), QString::fromLatin1(language));
        ASSERT_EQ(session.restart(), QString());
        for (const auto& [journey, back] : journeys) {
            for (const char* a : journey) act(QString::fromLatin1(a));
            press(Qt::Key_D, Qt::ControlModifier);  // kept in the list
            act(QString::fromLatin1(back));
        }
        press(Qt::Key_J, Qt::ControlModifier);
        JourneyWindow* window = journeyWindow(*session.flow());
        ASSERT_TRUE(window && window->isVisible());
        session.settle();
        const auto* table = window->findChild<QAbstractItemView*>();
        ASSERT_TRUE(table);
        EXPECT_GE(table->model()->rowCount(), 2);
        QWidget* client = window->findChild<QWidget*>(QStringLiteral("client"));
        ASSERT_TRUE(client);
        expectNothingCutOff(*window, client);
        window->close();
    }
}

}  // namespace
