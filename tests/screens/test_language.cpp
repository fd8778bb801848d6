// Switching the language from the start screen's menu: every window that is
// open changes at once, hidden screens too, and the choice is kept for the
// next start. Driven by mouse clicks on the real screens.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLibraryInfo>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QToolButton>

#include "data/table_store.hpp"
#include "screens/HelpWindow.hpp"
#include "screens/ScreenFlow.hpp"
#include "screens/Seam.hpp"
#include "screens/frmKettei.hpp"
#include "screens/frmStart.hpp"
#include "test_seam.hpp"

namespace {

// Every text a person reads on a screen, one line per control.
QString wordsOf(const QWidget* screen) {
    QString all = screen->windowTitle() + QLatin1Char('\n');
    for (const QLabel* l : screen->findChildren<QLabel*>()) all += l->text() + QLatin1Char('\n');
    for (const QAbstractButton* b : screen->findChildren<QAbstractButton*>()) all += b->text() + QLatin1Char('\n');
    for (const QComboBox* c : screen->findChildren<QComboBox*>()) all += c->currentText() + QLatin1Char('\n');
    return all;
}

// Chooses `item` of the language menu with the mouse. On the narrow start
// screen the menu sits behind the menu bar's "»", whose list runs its own
// event loop until an item is chosen: the clicks inside it are queued first,
// and a watchdog closes whatever is still open so that a failure cannot hang.
void chooseLanguage(frmStart* start, QAction* item) {
    QMenuBar* bar = start->menuBar();
    auto* more = bar->findChild<QToolButton*>(QStringLiteral("qt_menubar_ext_button"));
    ASSERT_TRUE(more && more->isVisible());
    QMenu* overflow = more->menu();
    ASSERT_TRUE(overflow);
    bool chosen = false;
    QTimer::singleShot(0, overflow, [&] {
        QTest::mouseClick(overflow, Qt::LeftButton, {},
                          overflow->actionGeometry(start->mnuLanguage->menuAction()).center());
        // The submenu opens after the style's short delay.
        chosen = QTest::qWaitFor([&] { return start->mnuLanguage->isVisible(); }, 2000);
        if (chosen)
            QTest::mouseClick(start->mnuLanguage, Qt::LeftButton, {},
                              start->mnuLanguage->actionGeometry(item).center());
    });
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [] {
        while (QWidget* popup = QApplication::activePopupWidget()) popup->close();
    });
    watchdog.start(5000);
    QTest::mouseClick(more, Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_TRUE(chosen) << "the language menu did not open from the menu bar's \"»\"";
}

TEST(ScreenLanguage, TheMenuChangesEveryOpenWindowAtOnceAndIsRemembered) {
    TestSeam seam{QStringLiteral(MKD_SOURCE_DIR)};
    mkd::TableStore tables{MKD_SOURCE_DIR};
    const QFont desktop = QApplication::font();
    {
        ScreenFlow flow{seam, tables, mkd::Lang::Japanese};
        ASSERT_TRUE(flow.start());
        auto* start = flow.find<frmStart>();
        // A loaded screen that is hidden, and the help page beside the start screen.
        auto* choice = flow.loaded<frmKettei>();
        ASSERT_TRUE(choice && !choice->isVisible());
        start->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(start));
        // Qt's own words in Japanese (a line edit's menu, a dialog's buttons),
        // loaded once the start screen has painted, where Qt's translation is installed.
        if (QFile::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) + QStringLiteral("/qtbase_ja.qm"))) {
            EXPECT_TRUE(QTest::qWaitFor(
                [] { return QCoreApplication::translate("QLineEdit", "&Copy") != QStringLiteral("&Copy"); }, 2000));
        }
        QTest::keyClick(start, Qt::Key_F1);
        ASSERT_TRUE(start->help && start->help->isVisible());
        const QString japaneseStart = wordsOf(start);
        const QString japaneseChoice = wordsOf(choice);
        EXPECT_TRUE(start->mnuJapanese->isChecked());
        // A Japanese desktop's face, whose Latin letters are all one width.
        QApplication::setFont(QFont(QStringLiteral("IPAGothic")));
        start->activateWindow();

        chooseLanguage(start, start->mnuEnglish);
        // English in the windows beside the screens is set in a proportional face.
        const QFontMetrics help(start->help->text->font());
        EXPECT_LT(help.horizontalAdvance(QStringLiteral("iiii")), help.horizontalAdvance(QStringLiteral("MMMM")))
            << QFontInfo(start->help->text->font()).family().toStdString();
        EXPECT_EQ(flow.language(), mkd::Lang::English);
        EXPECT_TRUE(start->mnuEnglish->isChecked());
        EXPECT_EQ(start->windowTitle(), QStringLiteral("Journey"));
        EXPECT_EQ(start->cmdSlow->text(), QStringLiteral("Local"));
        EXPECT_EQ(start->mnuMarine->title(), QStringLiteral("Marine Liner"));
        EXPECT_EQ(start->cmdSwap->toolTip(), QStringLiteral("Swap the departure and arrival stations (Ctrl+Shift+S)"));
        EXPECT_EQ(start->cboHatu->currentText(), QStringLiteral("Okayama"));
        EXPECT_EQ(start->cboTyaku->currentText(), QStringLiteral("Uwajima"));
        // The station pair's captions, and the lists named after them.
        EXPECT_EQ(start->findChild<QLabel*>(QStringLiteral("lblHatu"))->text(), QStringLiteral("From"));
        EXPECT_EQ(start->cboTyaku->accessibleName(), QStringLiteral("To"));
        EXPECT_EQ(choice->cmdOtona->text(), QStringLiteral("Adult"));
        EXPECT_EQ(start->help->windowTitle(), QStringLiteral("How to use Michikusa Daiya"));
        EXPECT_TRUE(start->help->text->toPlainText().contains(QStringLiteral("Busy season")));
        EXPECT_EQ(seam.settings.value(QStringLiteral("language")).toString(), QStringLiteral("en"));

        // Back to Japanese: every caption as it was, to the byte.
        start->activateWindow();
        chooseLanguage(start, start->mnuJapanese);
        EXPECT_EQ(wordsOf(start).toStdString(), japaneseStart.toStdString());
        EXPECT_EQ(wordsOf(choice), japaneseChoice);
        EXPECT_EQ(seam.settings.value(QStringLiteral("language")).toString(), QStringLiteral("ja"));
        EXPECT_EQ(QApplication::font().family(), QStringLiteral("IPAGothic"));

        start->activateWindow();
        chooseLanguage(start, start->mnuEnglish);
    }
    QApplication::processEvents();
    QApplication::setFont(desktop);

    // The next start speaks English although the system speaks Japanese.
    ScreenFlow next{seam, tables, mkd::Lang::Japanese};
    ASSERT_TRUE(next.start());
    auto* start = next.find<frmStart>();
    EXPECT_EQ(next.language(), mkd::Lang::English);
    EXPECT_EQ(start->windowTitle(), QStringLiteral("Journey"));
    EXPECT_TRUE(start->mnuEnglish->isChecked());
}

}  // namespace
