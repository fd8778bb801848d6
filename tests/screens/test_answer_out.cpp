// A result taken out of the program with keys alone: copied (text and
// HTML), added to the journey list, the list exported as CSV for Excel and
// printed to PDF, read back; a list priced with tables since replaced keeps
// its amounts and says so; a damaged list file is reported and kept.
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <cerrno>

#include "data/save_calls.hpp"
#include "data/table_edition.hpp"
#include "program.hpp"
#include "records/journey_list.hpp"
#include "screens/AnswerOut.hpp"
#include "screens/JourneyWindow.hpp"
#include "screens/ScreenFlow.hpp"
#include "screens/frmStart.hpp"
#include "words/money.hpp"

namespace {

const QStringList kReservedOkayamaMatsuyama = {"click frmStart.cmdExpress", "click frmTSelect.cmdSitei",
                                               "click frmDate.cmdNext", "click frmKetteiSitei.cmdOtona"};

class AnswerOut : public ProgramTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(data.isValid());
        // The journey list goes into a folder of the test's own.
        old_ = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", data.path().toUtf8());
        ProgramTest::SetUp();
    }
    void TearDown() override { qputenv("XDG_DATA_HOME", old_); }

    QString listFile() const { return data.path() + QStringLiteral("/mkd/journeys.tsv"); }

    void actAll(const QStringList& actions) {
        for (const QString& a : actions) act(a);
    }

    QString label(const char* qualified) {
        auto* l = control<QLabel>(QString::fromLatin1(qualified));
        return l ? l->text() : QStringLiteral("(no %1)").arg(QString::fromLatin1(qualified));
    }

    // A key to a window other than the screens (the journey list), made
    // active first as a window manager would.
    void pressIn(QWidget* window, int key, Qt::KeyboardModifiers modifiers) {
        window->activateWindow();
        // Not qWaitForWindowActive: a window owned by the start screen
        // counts as active while the start screen is.
        ASSERT_TRUE(QTest::qWaitFor([window] { return QApplication::activeWindow() == window; }));
        QTest::keyClick(window, static_cast<Qt::Key>(key), modifiers);
        session.settle();
    }

    // Answers the next file dialog by typing `path` and Enter.
    static void answerFileDialog(const QString& path) {
        auto* timer = new QTimer;
        timer->setInterval(20);
        QObject::connect(timer, &QTimer::timeout, [timer, path] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (!dialog) return;
            timer->stop();
            timer->deleteLater();
            auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            ASSERT_NE(name, nullptr);
            // The name as typed text, without the completer's popup.
            name->setText(path);
            QTest::keyClick(name, Qt::Key_Return);
        });
        timer->start();
    }

    static QString pdfText(const QString& path) {
        QProcess pdftotext;
        pdftotext.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
        if (!pdftotext.waitForFinished(30000) || pdftotext.exitCode() != 0)
            return QStringLiteral("(pdftotext failed: %1)").arg(pdftotext.errorString());
        return QString::fromUtf8(pdftotext.readAllStandardOutput());
    }

    QTemporaryDir data;

private:
    QByteArray old_;
};

// Ctrl+C on either result puts its lines on the clipboard as text and as an
// HTML table, in the language the screens speak.
TEST_F(AnswerOut, CopyHoldsTheResultsLinesInTheScreensLanguage) {
    const struct {
        const char* what;
        QStringList actions;
        std::vector<const char*> labels;
        const char* detail;
    } cases[] = {
        {"local",
         {"click frmStart.cmdSlow", "click frmKettei.cmdKodomo"},
         {"frmKekka.lblBill", "frmKekka.lblYen"},
         "営業キロ"},
        {"reserved",
         kReservedOkayamaMatsuyama,
         {"frmKekkaT.lblBill", "frmKekkaT.lblYen", "frmKekkaT.lblBillT", "frmKekkaT.lblYenT", "frmKekkaT.lblGoukei"},
         "2007年8月12日"},
        {"reserved in English",
         QStringList{"click frmStart.mnuEnglish"} + kReservedOkayamaMatsuyama,
         {"frmKekkaT.lblYen", "frmKekkaT.lblYenT", "frmKekkaT.lblGoukei"},
         "Okayama ⇒ Matsuyama"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        act(QStringLiteral("select frmStart.cboHatu 0"));
        act(QStringLiteral("select frmStart.cboTyaku 67"));
        actAll(c.actions);
        QApplication::clipboard()->clear();
        press(Qt::Key_C, Qt::ControlModifier);
        const QMimeData* copied = QApplication::clipboard()->mimeData();
        ASSERT_NE(copied, nullptr);
        const QString text = copied->text();
        EXPECT_TRUE(copied->hasHtml());
        EXPECT_TRUE(copied->html().contains(QLatin1String("<table")));
        for (const char* l : c.labels) {
            EXPECT_TRUE(text.contains(label(l))) << l << ": " << label(l).toStdString() << " in " << text.toStdString();
            EXPECT_TRUE(copied->html().contains(label(l))) << l;
        }
        EXPECT_TRUE(text.contains(QString::fromUtf8(c.detail))) << text.toStdString();
        // The tables by their edition, not by the folder they lie in.
        const std::string edition =
            mkd::tablesInUse((session.appDir() + QStringLiteral("/Untin")).toStdString()).edition;
        EXPECT_TRUE(text.contains(QString::fromStdString(edition))) << "the tables' edition";
        EXPECT_FALSE(text.contains(session.appDir())) << "the tables' folder";
        ASSERT_TRUE(session.restart().isEmpty());
    }
}

// The whole errand with keys: two journeys into the list, exported for
// Excel and printed to PDF; both hold the amounts the results showed.
// Tables replaced afterwards leave the amounts and mark the rows.
TEST_F(AnswerOut, JourneyListFromResultsToCsvAndPdf) {
    QStringList totals;
    for (const bool back : {false, true}) {
        act(QStringLiteral("select frmStart.cboHatu 0"));
        act(QStringLiteral("select frmStart.cboTyaku 67"));
        if (back) press(Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
        actAll(kReservedOkayamaMatsuyama);
        ASSERT_EQ(shownName(), QStringLiteral("frmKekkaT"));
        totals << label("frmKekkaT.lblGoukei");
        press(Qt::Key_D, Qt::ControlModifier);
        if (!back) {
            // Ctrl+P opens the print preview; Escape closes it.
            bool previewed = false;
            QTimer::singleShot(50, [&previewed] {
                QWidget* preview = QApplication::activeModalWidget();
                previewed = preview && preview->inherits("QPrintPreviewDialog");
                if (preview) QTest::keyClick(preview, Qt::Key_Escape);
            });
            press(Qt::Key_P, Qt::ControlModifier);
            EXPECT_TRUE(previewed);
            // The result on paper holds every amount it shows.
            const QString pdf = data.path() + QStringLiteral("/result.pdf");
            answerFileDialog(pdf);
            press(Qt::Key_P, Qt::ControlModifier | Qt::ShiftModifier);
            const QString printed = pdfText(pdf);
            for (const char* l : {"frmKekkaT.lblYen", "frmKekkaT.lblYenT", "frmKekkaT.lblGoukei"})
                EXPECT_TRUE(printed.contains(label(l).remove(QStringLiteral("円")))) << l << printed.toStdString();
            act(QStringLiteral("click frmKekkaT.cmdRetry"));
        }
    }
    press(Qt::Key_J, Qt::ControlModifier);
    JourneyWindow* list = journeyWindow(*session.flow());
    ASSERT_NE(list, nullptr);
    ASSERT_TRUE(list->isVisible());
    ASSERT_EQ(list->list().rows.size(), 2u);
    EXPECT_EQ(list->list().rows[0].date, (mkd::Date{2007, 8, 12}));

    const QString csvPath = data.path() + QStringLiteral("/claim.csv");
    answerFileDialog(csvPath);
    pressIn(list, Qt::Key_E, Qt::ControlModifier);
    QFile csv(csvPath);
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    const QByteArray bytes = csv.readAll();
    ASSERT_TRUE(bytes.startsWith("\xEF\xBB\xBF"));
    QStringList records = QString::fromUtf8(bytes.mid(3)).split(QStringLiteral("\r\n"));
    ASSERT_EQ(records.size(), 5);  // heads, two journeys, the total, and nothing after the last CR LF
    EXPECT_TRUE(records[4].isEmpty());
    auto amount = [](const QString& shown) {
        return QString(shown).remove(QRegularExpression(QStringLiteral("[^0-9]")));
    };
    EXPECT_EQ(records[1].split(QLatin1Char(','))[6], amount(totals[0]));
    EXPECT_EQ(records[2].split(QLatin1Char(','))[6], amount(totals[1]));
    EXPECT_EQ(records[3].split(QLatin1Char(','))[6].toInt(), amount(totals[0]).toInt() + amount(totals[1]).toInt());

    const QString pdfPath = data.path() + QStringLiteral("/claim.pdf");
    answerFileDialog(pdfPath);
    pressIn(list, Qt::Key_P, Qt::ControlModifier | Qt::ShiftModifier);
    const QString printed = pdfText(pdfPath);
    for (const QString& t : totals)
        EXPECT_TRUE(printed.contains(QString(t).remove(QStringLiteral("円")))) << printed.toStdString();

    // Other tables: the same amounts, each row marked.
    const QString marine = session.appDir() + QStringLiteral("/Untin/MarineG.txt");
    QFile table(marine);
    ASSERT_TRUE(table.open(QIODevice::ReadWrite));
    QByteArray cells = table.readAll();
    // One cell changed: 710 yen becomes 610.
    const qsizetype digit = cells.indexOf('7');
    ASSERT_GE(digit, 0);
    cells[digit] = '6';
    table.seek(0);
    table.write(cells);
    table.close();
    list->close();
    press(Qt::Key_J, Qt::ControlModifier);
    ASSERT_TRUE(list->isVisible());
    const QAbstractItemModel* model = list->table->model();
    for (int row = 0; row < 2; ++row) {
        EXPECT_EQ(model->index(row, JourneyModel::kAmountColumn).data().toString(), totals[row]);
        EXPECT_TRUE(model->index(row, 8).data().toString().startsWith(QStringLiteral("別の料金表で計算 (")));
    }
}

// Every export asks about the file it writes and writes only a regular file:
// a name typed without ".pdf" is asked about, and written, with it; a pipe
// (which would hold the program up) or a link to a device stand-in made here
// is refused and stays what it was; on a full disk the old file is kept. Each
// refusal is told with the file and the reason.
TEST_F(AnswerOut, ExportsWriteOnlyTheFileAskedAbout) {
    actAll({"click frmStart.cmdSlow", "click frmKettei.cmdOtona"});
    press(Qt::Key_D, Qt::ControlModifier);
    press(Qt::Key_J, Qt::ControlModifier);
    JourneyWindow* list = journeyWindow(*session.flow());
    ASSERT_NE(list, nullptr);
    const QString dir = data.path() + QLatin1Char('/');
    ASSERT_EQ(::mkfifo(QFile::encodeName(dir + QStringLiteral("pipe.pdf")).constData(), 0644), 0);
    const bool devices =
        ::mknod(QFile::encodeName(dir + QStringLiteral("null")).constData(), S_IFCHR | 0666, makedev(1, 3)) == 0;
    if (devices) QFile::link(dir + QStringLiteral("null"), dir + QStringLiteral("null.csv"));
    const QByteArray old(8893, 'o');
    auto write = [&](const QString& name) {
        QFile f(dir + name);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(old);
    };
    auto read = [&](const QString& name) {
        QFile f(dir + name);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(none)");
    };
    const int pdf = Qt::Key_P, csv = Qt::Key_E;
    const struct {
        const char* what;
        int key;
        const char* typed;
        bool replace;  // the answer to the question, if one is asked
        bool fullDisk;
        const char* asked;  // "" when no question
        const char* said;  // "" when no message
        const char* file;  // the file that must hold the old bytes afterwards, or ""
    } cases[] = {
        {"no suffix typed, not replaced", pdf, "claim", false, false, "claim.pdf は既にあります", "", "claim.pdf"},
        {"no suffix typed, replaced", pdf, "claim", true, false, "claim.pdf は既にあります", "", ""},
        {"a pipe", pdf, "pipe.pdf", true, false, "", "普通のファイルではありません", ""},
        {"a link to a device", csv, "null.csv", true, false, "", "普通のファイルではありません", ""},
        {"a full disk", csv, "claim.csv", true, true, "claim.csv は既にあります", "ディスクに空きがありません",
         "claim.csv"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.key == csv && !devices && QString::fromLatin1(c.typed) == QStringLiteral("null.csv")) continue;
        write(QStringLiteral("claim.pdf"));
        write(QStringLiteral("claim.csv"));
        session.seam().messages.clear();
        session.seam().confirmAnswer = c.replace;
        if (c.fullDisk)
            mkd::saveCalls().write = [](int, const void*, std::size_t) -> ssize_t {
                errno = ENOSPC;
                return -1;
            };
        answerFileDialog(dir + QString::fromUtf8(c.typed));
        ::alarm(60);  // a blocking open ends the test rather than hanging it
        pressIn(list, c.key, c.key == csv ? Qt::ControlModifier : Qt::ControlModifier | Qt::ShiftModifier);
        ::alarm(0);
        mkd::saveCalls() = mkd::systemSaveCalls();
        const auto& messages = session.seam().messages;
        std::size_t next = 0;
        if (*c.asked) {
            ASSERT_GT(messages.size(), next);
            EXPECT_TRUE(messages[next].text.contains(QString::fromUtf8(c.asked))) << messages[next].text.toStdString();
            ++next;
        }
        if (*c.said) {
            ASSERT_GT(messages.size(), next);
            EXPECT_TRUE(messages[next].informative.contains(dir + QString::fromUtf8(c.typed)));
            EXPECT_TRUE(messages[next].informative.contains(QString::fromUtf8(c.said)))
                << messages[next].informative.toStdString();
            ++next;
        }
        EXPECT_EQ(messages.size(), next);
        if (*c.file) {
            EXPECT_EQ(read(QString::fromUtf8(c.file)), old);
        }
        if (c.key == pdf && *c.asked && c.replace) {
            EXPECT_TRUE(read(QStringLiteral("claim.pdf")).startsWith("%PDF"));
        }
        EXPECT_FALSE(QFile::exists(dir + QStringLiteral("claim"))) << "the name as typed";
    }
    struct stat info {};
    ASSERT_EQ(::lstat(QFile::encodeName(dir + QStringLiteral("pipe.pdf")).constData(), &info), 0);
    EXPECT_TRUE(S_ISFIFO(info.st_mode));
    if (devices) {
        ASSERT_EQ(::lstat(QFile::encodeName(dir + QStringLiteral("null")).constData(), &info), 0);
        EXPECT_TRUE(S_ISCHR(info.st_mode));
    }
}

// Rows moved, edited and deleted with keys in the list window; every
// change is in the file at once, the month filter and the total follow.
TEST_F(AnswerOut, ListEditsAreSavedAtOnce) {
    for (const char* passenger : {"click frmKettei.cmdOtona", "click frmKettei.cmdKodomo"}) {
        actAll({"click frmStart.cmdSlow", passenger});
        press(Qt::Key_D, Qt::ControlModifier);
        act(QStringLiteral("click frmKekka.cmdRetry"));
    }
    press(Qt::Key_J, Qt::ControlModifier);
    JourneyWindow* list = journeyWindow(*session.flow());
    ASSERT_NE(list, nullptr);
    auto saved = [&] {
        mkd::JourneyStore store(listFile().toStdString());
        store.load();
        return store.list.rows;
    };
    ASSERT_EQ(saved().size(), 2u);
    const double adult = saved()[0].amount;
    const double child = saved()[1].amount;

    list->table->setCurrentIndex(list->table->model()->index(1, 0));
    pressIn(list, Qt::Key_Up, Qt::ControlModifier);
    ASSERT_EQ(QApplication::focusWidget(), list->table);
    EXPECT_EQ(saved()[0].amount, child);
    // The date edited as typed: F2, the new date, Enter; a date that is not
    // one is refused.
    for (const char* typed : {"2007-09-31", "2007-09-30"}) {
        QTest::keyClick(list->table, Qt::Key_F2);
        ASSERT_NE(qobject_cast<QLineEdit*>(QApplication::focusWidget()), nullptr);
        QTest::keyClicks(QApplication::focusWidget(), QString::fromLatin1(typed));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        session.settle();
    }
    EXPECT_EQ(saved()[0].date, (mkd::Date{2007, 9, 30}));
    ASSERT_EQ(list->month->count(), 3);  // all, 2007-08, 2007-09
    QTest::keyClick(list->month, Qt::Key_Down);
    QTest::keyClick(list->month, Qt::Key_Down);
    ASSERT_EQ(list->month->currentIndex(), 2);
    EXPECT_EQ(list->table->model()->rowCount(), 1);
    EXPECT_TRUE(list->total->text().contains(QString::fromStdString(mkd::formatMoney(child))))
        << list->total->text().toStdString();
    QTest::keyClick(list->month, Qt::Key_Home);
    ASSERT_EQ(list->month->currentIndex(), 0);
    list->table->setFocus();
    list->table->setCurrentIndex(list->table->model()->index(0, 0));
    pressIn(list, Qt::Key_Delete, Qt::NoModifier);
    ASSERT_EQ(saved().size(), 1u);
    EXPECT_EQ(saved()[0].amount, adult);
}

// A claim of three journeys in October and two in November (and, for paper,
// enough to fill two pages), written before the list window first opens.
void writeClaimList(const QString& path, int rows) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("# mkd journeys 1\n");
    for (int i = 0; i < rows; ++i) {
        const QString date = i < rows - 2 ? QStringLiteral("2007-10-%1").arg(1 + i % 28, 2, 10, QLatin1Char('0'))
                                          : QStringLiteral("2007-11-%1").arg(10 + i % 10);
        file.write(QStringLiteral("%1\t0\t6\tlocal\tadult\tone-way\t%2\t-\t用務 %3\n")
                       .arg(date)
                       .arg(100 + i)
                       .arg(i + 1)
                       .toUtf8());
    }
}

// Delete asks nothing, Ctrl+Z brings the row back (in the file too) and
// Ctrl+Shift+Z takes it away again; a click on a column's head sorts by it,
// the list's own order kept.
TEST_F(AnswerOut, DeleteIsUndoneByKeysAndColumnsSort) {
    writeClaimList(listFile(), 5);
    press(Qt::Key_J, Qt::ControlModifier);
    JourneyWindow* list = journeyWindow(*session.flow());
    ASSERT_NE(list, nullptr);
    auto saved = [&] {
        mkd::JourneyStore store(listFile().toStdString());
        store.load();
        return store.list.rows;
    };
    const auto before = saved();
    ASSERT_EQ(before.size(), 5u);
    list->table->setFocus();
    list->table->setCurrentIndex(list->table->model()->index(1, 0));
    pressIn(list, Qt::Key_Delete, Qt::NoModifier);
    ASSERT_EQ(QApplication::focusWidget(), list->table);
    EXPECT_EQ(saved().size(), 4u);
    pressIn(list, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(saved(), before);
    EXPECT_EQ(list->table->currentIndex().row(), 1);
    pressIn(list, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(saved().size(), 4u);
    pressIn(list, Qt::Key_Z, Qt::ControlModifier);
    ASSERT_EQ(saved(), before);
    // Two subtotals shown, one per month.
    EXPECT_TRUE(list->subtotals->text().contains(QStringLiteral("2007-10 小計")) &&
                list->subtotals->text().contains(QStringLiteral("2007-11 小計")))
        << list->subtotals->text().toStdString();

    QHeaderView* head = list->table->horizontalHeader();
    const QPoint amount(head->sectionViewportPosition(JourneyModel::kAmountColumn) + 5, head->height() / 2);
    QTest::mouseClick(head->viewport(), Qt::LeftButton, {}, amount);
    QTest::mouseClick(head->viewport(), Qt::LeftButton, {}, amount);
    const QAbstractItemModel* model = list->table->model();
    EXPECT_EQ(head->sortIndicatorSection(), JourneyModel::kAmountColumn);
    EXPECT_EQ(model->index(0, JourneyModel::kAmountColumn).data(Qt::EditRole).toString(), QStringLiteral("104"));
    EXPECT_EQ(model->index(4, JourneyModel::kAmountColumn).data(Qt::EditRole).toString(), QStringLiteral("100"));
    EXPECT_EQ(saved(), before);
    // Tab goes from the table to the month filter.
    list->table->setFocus();
    pressIn(list, Qt::Key_Tab, Qt::NoModifier);
    EXPECT_EQ(QApplication::focusWidget(), list->month);
}

// "Excel ブック" saved with Enter in the file dialog: the file lands in the
// documents folder of the home, under a name that says what and when; the
// window says where it went; Qt's own words in the dialog are Japanese.
TEST_F(AnswerOut, ClaimWorkbookLandsInTheDocumentsFolder) {
    QTemporaryDir home;
    const QByteArray oldHome = qgetenv("HOME");
    qputenv("HOME", home.path().toUtf8());
    QDir(home.path()).mkpath(QStringLiteral("Documents"));
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    writeClaimList(listFile(), 5);
    press(Qt::Key_J, Qt::ControlModifier);
    JourneyWindow* list = journeyWindow(*session.flow());
    ASSERT_NE(list, nullptr);
    QString accept;
    QTimer::singleShot(100, [&accept] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog) return;
        if (auto* box = dialog->findChild<QDialogButtonBox*>())
            if (!box->buttons().isEmpty()) accept = box->buttons().constFirst()->text();
        QTest::keyClick(dialog, Qt::Key_Return);
    });
    pressIn(list, Qt::Key_X, Qt::ControlModifier | Qt::ShiftModifier);
    qputenv("HOME", oldHome);
    const QString path = documents + QStringLiteral("/交通費明細_2007-10_2007-11.xlsx");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    EXPECT_TRUE(file.read(2) == "PK");
    EXPECT_TRUE(list->savedTo->isVisible());
    EXPECT_TRUE(list->savedTo->text().contains(path)) << list->savedTo->text().toStdString();
    if (QFile::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) + QStringLiteral("/qtbase_ja.qm"))) {
        EXPECT_TRUE(accept.contains(QStringLiteral("保存"))) << accept.toStdString();
    }
    // Read back as the accounts office would: five dated rows, a SUM total.
    QProcess python;
    python.start(QStringLiteral("/usr/bin/python3"),
                 {QStringLiteral("-c"),
                  QStringLiteral("import openpyxl,sys,datetime\n"
                                 "s=openpyxl.load_workbook(sys.argv[1]).active\n"
                                 "r=[x for x in s.iter_rows() if isinstance(x[0].value,datetime.datetime)]\n"
                                 "t=[x[6].value for x in s.iter_rows() if x[0].value=='合計']\n"
                                 "print(len(r), t[0])"),
                  path});
    ASSERT_TRUE(python.waitForFinished(60000));
    if (python.exitCode() == 0) {
        EXPECT_EQ(python.readAllStandardOutput().trimmed(), QByteArray("5 =SUM(G8:G10,G12:G13)"));
    }
}

// The claim on paper: every page headed and numbered "n / N", the subtotals,
// the total, the program's version and the tables' edition; no folder.
TEST_F(AnswerOut, ClaimPdfNumbersItsPages) {
    writeClaimList(listFile(), 40);
    press(Qt::Key_J, Qt::ControlModifier);
    JourneyWindow* list = journeyWindow(*session.flow());
    ASSERT_NE(list, nullptr);
    const QString pdf = data.path() + QStringLiteral("/claim.pdf");
    answerFileDialog(pdf);
    pressIn(list, Qt::Key_P, Qt::ControlModifier | Qt::ShiftModifier);
    const QString text = pdfText(pdf);
    const QStringList pages = text.split(QLatin1Char('\f'), Qt::SkipEmptyParts);
    ASSERT_GE(pages.size(), 2) << text.toStdString();
    const QString edition =
        QString::fromStdString(mkd::tablesInUse((session.appDir() + QStringLiteral("/Untin")).toStdString()).edition);
    for (int p = 0; p < pages.size(); ++p) {
        // "n / N" (pdftotext closes the blanks up)
        EXPECT_TRUE(
            pages[p].contains(QRegularExpression(QStringLiteral("\\b%1 ?/ ?%2\\b").arg(p + 1).arg(pages.size()))))
            << p;
        EXPECT_TRUE(pages[p].contains(QStringLiteral("交通費精算書"))) << p;
        EXPECT_TRUE(pages[p].contains(QStringLiteral("乗車日"))) << p;  // the table's head row
        EXPECT_TRUE(pages[p].contains(edition) && pages[p].contains(QStringLiteral(MKD_VERSION_TEXT))) << p;
    }
    for (int i = 1; i <= 40; ++i)
        EXPECT_TRUE(text.contains(QStringLiteral("用務 %1\n").arg(i)) ||
                    text.contains(QStringLiteral("用務 %1 ").arg(i)))
            << i;
    for (const char* word : {"2007-10 小計", "2007-11 小計", "合計", "申請者", "承認者", "氏名", "所属"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(word))) << word;
    EXPECT_TRUE(text.contains(QStringLiteral("4,780円")));  // 100 + … + 139
    EXPECT_FALSE(text.contains(session.appDir()));
}

// A list file that cannot be read is reported with its reason and kept
// aside under another name; the list starts empty and saves a new file.
TEST_F(AnswerOut, DamagedListIsReportedAndKept) {
    QDir().mkpath(data.path() + QStringLiteral("/mkd"));
    QFile damaged(listFile());
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write("date,from,to\n");
    damaged.close();
    press(Qt::Key_J, Qt::ControlModifier);
    ASSERT_FALSE(session.seam().messages.empty());
    const QString said = session.seam().messages.back().text;
    EXPECT_TRUE(said.contains(QStringLiteral("journeys.tsv.damaged-1"))) << said.toStdString();
    EXPECT_TRUE(said.contains(QStringLiteral("見出し"))) << said.toStdString();
    QFile kept(listFile() + QStringLiteral(".damaged-1"));
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), QByteArray("date,from,to\n"));
    EXPECT_FALSE(QFile::exists(listFile()));
}

// Every result is a recent journey; from the start screen's menu "記録"
// one key asks it again, with the travel date it was asked for, and a
// recent one kept under a name is asked again from the favourites, all with
// keys. The date screen offers the travel date chosen last on F5.
TEST_F(AnswerOut, RecentAndFavouriteJourneysAskAgainWithOneKey) {
    act(QStringLiteral("select frmStart.cboHatu 0"));
    act(QStringLiteral("select frmStart.cboTyaku 67"));
    actAll({"click frmStart.cmdExpress", "click frmTSelect.cmdSitei", "select frmDate.cboTuki 9",
            "select frmDate.cboNiti 9", "click frmDate.cmdNext", "click frmKetteiSitei.optOfuku",
            "click frmKetteiSitei.cmdKodomo"});
    const QString reservedTotal = label("frmKekkaT.lblGoukei");
    act(QStringLiteral("click frmKekkaT.cmdRetry"));
    // The date screen opens on its own default; F5 gives 2007-10-10 again.
    actAll({"click frmStart.cmdExpress", "click frmTSelect.cmdSitei"});
    EXPECT_EQ(control<QComboBox>(QStringLiteral("frmDate.cboTuki"))->currentIndex(), 7);
    EXPECT_TRUE(label("frmDate.lblLastDate").contains(QStringLiteral("2007年10月10日")))
        << label("frmDate.lblLastDate").toStdString();
    press(Qt::Key_F5);
    EXPECT_EQ(control<QComboBox>(QStringLiteral("frmDate.cboTuki"))->currentIndex(), 9);
    actAll({"click frmDate.cmdNext", "click frmKetteiSitei.optOfuku", "click frmKetteiSitei.cmdKodomo"});
    EXPECT_EQ(label("frmKekkaT.lblGoukei"), reservedTotal);
    act(QStringLiteral("click frmKekkaT.cmdRetry"));
    actAll({"click frmStart.cmdSlow", "click frmKettei.cmdOtona"});
    const QString localFare = label("frmKekka.lblYen");
    act(QStringLiteral("click frmKekka.cmdRetry"));
    act(QStringLiteral("select frmStart.cboTyaku 5"));

    auto* start = qobject_cast<frmStart*>(shown());
    ASSERT_NE(start, nullptr);
    // F10, then Right to "記録"; then its mnemonics.
    // The arrow keys also stop on a menu that is off (the Marine Liner's),
    // where no menu opens: Down opens "記録" once it is highlighted.
    auto openJourneys = [&] {
        press(Qt::Key_F10);
        // On a highlighted menu that is off no menu is open, and the menu
        // bar keeps the keys (the offscreen platform cannot grab them).
        for (int i = 0; i < 8 && start->menuBar()->activeAction() != start->mnuJourneys->menuAction(); ++i) {
            if (QApplication::activePopupWidget()) {
                press(Qt::Key_Right);
            } else {
                QTest::keyClick(start->menuBar(), Qt::Key_Right);
                session.settle();
            }
        }
        if (QApplication::activePopupWidget() != start->mnuJourneys) {
            QTest::keyClick(start->menuBar(), Qt::Key_Down);
            session.settle();
        }
        ASSERT_EQ(QApplication::activePopupWidget(), start->mnuJourneys);
    };
    openJourneys();
    press({Qt::Key_R, Qt::Key_2});  // the second most recent: the reserved seat
    ASSERT_EQ(shownName(), QStringLiteral("frmKekkaT"));
    EXPECT_EQ(label("frmKekkaT.lblGoukei"), reservedTotal);
    act(QStringLiteral("click frmKekkaT.cmdRetry"));

    // The local journey kept as "出張" and asked again from the favourites.
    QTimer::singleShot(50, [] {
        auto* name = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        ASSERT_NE(name, nullptr);
        name->setText(QStringLiteral("出張"));  // typed through an input method
        QTest::keyClick(name, Qt::Key_Return);
    });
    openJourneys();
    press({Qt::Key_A, Qt::Key_2});
    EXPECT_EQ(start->mnuFavourites->actions().size(), 0) << "written when the menu opens";
    act(QStringLiteral("select frmStart.cboTyaku 5"));
    openJourneys();
    ASSERT_EQ(start->mnuFavourites->actions().size(), 1);
    EXPECT_EQ(start->mnuFavourites->actions()[0]->text(), QStringLiteral("&1  出張"));
    press({Qt::Key_F, Qt::Key_1});
    ASSERT_EQ(shownName(), QStringLiteral("frmKekka"));
    EXPECT_EQ(label("frmKekka.lblYen"), localFare);
    EXPECT_EQ(session.seam().settings.value(QStringLiteral("journeys/favourites")).toStringList(),
              QStringList{QStringLiteral("出張\tlocal,0,67,adult,one-way")});
}

}  // namespace
