// The compare window driven as a user drives it: opened with Ctrl+K from the
// start screen and from a result, stations typed, the date and the party
// entered with keys, a station chosen on the line diagram, the table copied;
// every amount it shows read back against mkd-fare compare for the same
// inputs.
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QMimeData>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cmath>

#include "explain/enquiry_words.hpp"
#include "program.hpp"
#include "records/journey_list.hpp"
#include "screens/AnswerOut.hpp"
#include "screens/CompareWindow.hpp"
#include "screens/ComparisonModel.hpp"
#include "screens/JourneyWindow.hpp"
#include "screens/LineDiagram.hpp"
#include "words/money.hpp"

namespace {

class Compare : public ProgramTest {
protected:
    CompareWindow* window() { return CompareWindow::find(*session.flow()); }

    // A key to whatever has the focus in the compare window (or its open
    // popup), the window made active first as a window manager would.
    void key(int k, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        CompareWindow* w = window();
        ASSERT_TRUE(w);
        if (!QApplication::activePopupWidget()) {
            ASSERT_TRUE(activeWindow(w));
        }
        QWidget* target = QApplication::activePopupWidget();
        QWidget* focus = QApplication::focusWidget();
        if (!target || (focus && target->isAncestorOf(focus))) target = focus;
        QTest::keyClick(target ? target : w, static_cast<Qt::Key>(k), modifiers);
        session.settle();
    }
    void type(const QString& text) {
        QTest::keyClicks(QApplication::focusWidget(), text);
        session.settle();
    }
    void tabTo(QWidget* control) {
        for (int i = 0; i < 20 && QApplication::focusWidget() != control; ++i) key(Qt::Key_Tab);
        ASSERT_EQ(QApplication::focusWidget(), control)
            << (QApplication::focusWidget() ? QApplication::focusWidget()->objectName().toStdString() : "none")
            << " not " << control->objectName().toStdString();
    }

    // Ctrl+K on the start screen.
    void openFromStart() {
        press(Qt::Key_K, Qt::ControlModifier);
        ASSERT_TRUE(window() && window()->isVisible());
        ASSERT_TRUE(activeWindow(window()));
    }

    // The window made the active one, as a window manager does for a window
    // that asks (it shares activation with the start screen, so Qt's own
    // wait would take the start screen's for its own).
    static bool activeWindow(QWidget* w) {
        if (QApplication::activeWindow() == w) return true;
        w->activateWindow();
        return QTest::qWaitFor([w] { return QApplication::activeWindow() == w; });
    }

    // Everything of the compare form entered with keys: stations by their
    // Latin names, the date typed, the party's counts, the trip.
    void enter(int from, int to, const QString& date, int adults, int children, int students, bool roundTrip) {
        CompareWindow* w = window();
        for (auto [list, station] : {std::pair{w->cboHatu, from}, std::pair{w->cboTyaku, to}}) {
            tabTo(list);
            type(QString::fromStdString(mkd::stationWords(mkd::StationList::All, station, mkd::Lang::English)));
            key(Qt::Key_Return);
            ASSERT_EQ(list->currentIndex(), station);
        }
        tabTo(w->dtpDate);
        type(date);
        for (auto [box, count] : {std::pair{w->spnAdults, adults}, std::pair{w->spnChildren, children},
                                  std::pair{w->spnStudents, students}}) {
            if (!box->isEnabled()) continue;
            tabTo(box);
            key(Qt::Key_A, Qt::ControlModifier);
            type(QString::number(count));
        }
        tabTo(w->optOfuku->isChecked() ? w->optOfuku : w->optKatamiti);
        if (roundTrip != w->optOfuku->isChecked()) key(roundTrip ? Qt::Key_Right : Qt::Key_Left);
        ASSERT_EQ(w->optOfuku->isChecked(), roundTrip);
    }

    QString cell(int row, int column, int role = Qt::DisplayRole) {
        auto* model = window()->grid->model();
        return model->data(model->index(row, column), role).toString();
    }
    bool splitRow(int row) {
        auto* model = window()->grid->model();
        return model->data(model->index(row, 0), ComparisonModel::SplitRole).toBool();
    }
    // The rows that are ways of travel.
    int ways() {
        int n = 0;
        for (int r = 0; r < window()->grid->model()->rowCount(); ++r) n += splitRow(r) ? 0 : 1;
        return n;
    }

    // mkd-fare compare --json for the same journey and party.
    QJsonObject fare(int from, int to, const QString& date, int adults, int children, int students) {
        QProcess p;
        p.start(QStringLiteral(MKD_FARE),
                {QStringLiteral("compare"), QString::number(from), QString::number(to), QStringLiteral("--date"), date,
                 QStringLiteral("--adults"), QString::number(adults), QStringLiteral("--children"),
                 QString::number(children), QStringLiteral("--students"), QString::number(students),
                 QStringLiteral("--json"), QStringLiteral("--lang"), QStringLiteral("ja"), QStringLiteral("--appdir"),
                 QStringLiteral(MKD_TEST_TABLES)});
        p.waitForFinished(30000);
        return QJsonDocument::fromJson(p.readAllStandardOutput()).object();
    }

    // Every cell of the window against mkd-fare's answer, row by row in the
    // core's order.
    void expectSameAsFare(const QJsonObject& answer, bool roundTrip) {
        const QString trip = roundTrip ? QStringLiteral("round_trip") : QStringLiteral("one_way");
        const QJsonArray options = answer[QStringLiteral("options")].toArray();
        ASSERT_EQ(ways(), options.size());
        const char* classes[] = {"adult", "child", "student"};
        for (int r = 0, way = 0; r < window()->grid->model()->rowCount(); ++r) {
            if (splitRow(r)) continue;
            const QJsonObject o = options[way++].toObject();
            SCOPED_TRACE(o[QStringLiteral("label")].toString().toStdString());
            EXPECT_TRUE(cell(r, ComparisonModel::Way).endsWith(o[QStringLiteral("label")].toString()));
            const QJsonObject party = o[QStringLiteral("party")].toObject()[trip].toObject();
            if (party.contains(QStringLiteral("total"))) {
                EXPECT_EQ(cell(r, ComparisonModel::PartyTotal),
                          party[QStringLiteral("total")].toObject()[QStringLiteral("text")].toString());
                EXPECT_EQ(cell(r, ComparisonModel::Way).startsWith(QStringLiteral("★")),
                          party[QStringLiteral("cheapest")].toBool());
            } else {
                EXPECT_EQ(cell(r, ComparisonModel::Note),
                          party[QStringLiteral("refused")].toObject()[QStringLiteral("message")].toString());
            }
            for (int c = 0; c < 3; ++c) {
                const QJsonObject price =
                    o[QStringLiteral("classes")].toObject()[QLatin1String(classes[c])].toObject()[trip].toObject();
                const int column = ComparisonModel::AdultFare + 3 * c;
                if (!price.contains(QStringLiteral("total"))) {
                    EXPECT_EQ(cell(r, column + 2), QStringLiteral("—"));
                    continue;
                }
                EXPECT_EQ(cell(r, column), price[QStringLiteral("fare")].toObject()[QStringLiteral("text")].toString());
                EXPECT_EQ(cell(r, column + 2),
                          price[QStringLiteral("total")].toObject()[QStringLiteral("text")].toString());
            }
        }
    }
};

// The whole errand with keys alone: Ctrl+K, two stations typed, 2 adults and
// 1 child, a date in August 2007; every party total and the cheapest as
// mkd-fare compare gives them.
TEST_F(Compare, KeyboardOnlyPartyTotalsAreMkdFaresCompare) {
    openFromStart();
    EXPECT_EQ(QApplication::focusWidget(), window()->cboHatu);
    enter(0, 67, QStringLiteral("20070812"), 2, 1, 0, false);
    EXPECT_EQ(window()->dtpDate->date(), QDate(2007, 8, 12));
    EXPECT_TRUE(window()->lblDateWhy->text().contains(QStringLiteral("繁忙期")));
    expectSameAsFare(fare(0, 67, QStringLiteral("2007-08-12"), 2, 1, 0), false);
    EXPECT_TRUE(window()->lblSummary->text().contains(QStringLiteral("いちばん安いのは")));

    // Sorted by the party's total: the cheapest first, the ways refused last.
    tabTo(window()->chkCheapestFirst);
    key(Qt::Key_Space);
    auto* model = window()->grid->model();
    const int first = splitRow(0) ? 1 : 0;  // split tickets may undercut every way
    EXPECT_TRUE(cell(first, ComparisonModel::Way).startsWith(QStringLiteral("★")));
    for (int r = 1; r < model->rowCount(); ++r)
        EXPECT_LE(model->data(model->index(r - 1, ComparisonModel::PartyTotal), ComparisonModel::SortRole).toDouble(),
                  model->data(model->index(r, ComparisonModel::PartyTotal), ComparisonModel::SortRole).toDouble());
}

// A spread of pairs, dates, parties and trips, each entered with keys.
TEST_F(Compare, EveryCellIsMkdFaresForASpreadOfInputs) {
    const struct {
        int from, to;
        const char* typed;
        int adults, children, students;
        bool roundTrip;
    } cases[] = {
        {0, 106, "20021231", 1, 2, 3, true},  // express through and via 松山, no Marine Liner
        {12, 0, "20060610", 0, 3, 0, false},  // the Marine Liner, off-peak
        {106, 11, "20081001", 4, 0, 1, false},  // the other way round
        {1, 3, "20070505", 2, 2, 0, true},  // no express between them
    };
    openFromStart();
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.from) + "→" + std::to_string(c.to));
        enter(c.from, c.to, QLatin1String(c.typed), c.adults, c.children, c.students, c.roundTrip);
        const QString date =
            QDate::fromString(QLatin1String(c.typed), QStringLiteral("yyyyMMdd")).toString(Qt::ISODate);
        expectSameAsFare(fare(c.from, c.to, date, c.adults, c.children, window()->spnStudents->value()), c.roundTrip);
    }
}

// Ways the pair does not allow are rows that say why; students where 学割
// is not offered are refused with the reason; a date beyond the tables'
// years is refused with the reason.
TEST_F(Compare, RefusalsSayWhy) {
    openFromStart();
    enter(1, 3, QStringLiteral("20070812"), 1, 0, 0, false);
    CompareWindow* w = window();
    int reasoned = 0;
    for (int r = 0; r < w->grid->model()->rowCount(); ++r) {
        if (cell(r, ComparisonModel::PartyTotal) != QStringLiteral("—")) continue;
        EXPECT_FALSE(cell(r, ComparisonModel::Note).isEmpty()) << cell(r, 0).toStdString();
        ++reasoned;
    }
    EXPECT_GE(reasoned, 3);  // the three express seats at least
    EXPECT_TRUE(cell(1, ComparisonModel::Note).contains(QStringLiteral("普通列車にしましょう")));
    EXPECT_FALSE(w->spnStudents->isEnabled());
    EXPECT_TRUE(w->lblStudentWhy->text().contains(QStringLiteral("100 km")));

    // The field takes no year beyond the tables and says which years can be
    // priced; it takes only those.
    tabTo(w->dtpDate);
    type(QStringLiteral("20090812"));
    EXPECT_LE(w->dtpDate->date().year(), 2008);
    EXPECT_TRUE(w->lblDateWhy->text().contains(QString::fromStdString(mkd::listedYearsText())));
    EXPECT_GT(w->grid->model()->rowCount(), 0);
    EXPECT_EQ(w->dtpDate->minimumDate(), QDate(2002, 1, 1));
    EXPECT_EQ(w->dtpDate->maximumDate(), QDate(2008, 12, 31));
}

// Ctrl+A then Ctrl+C: the whole table, headings and reasons included, as
// text and as HTML.
TEST_F(Compare, CopiesTheWholeTable) {
    openFromStart();
    enter(0, 106, QStringLiteral("20070812"), 1, 0, 0, false);
    QApplication::clipboard()->clear();
    key(Qt::Key_A, Qt::ControlModifier);
    key(Qt::Key_C, Qt::ControlModifier);
    const QMimeData* copied = QApplication::clipboard()->mimeData();
    ASSERT_TRUE(copied);
    const QStringList lines = copied->text().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), window()->grid->model()->rowCount() + 1);
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("乗り方\t")));
    EXPECT_TRUE(copied->text().contains(QStringLiteral("宇和島はその外です")));
    EXPECT_EQ(copied->html().count(QStringLiteral("<tr>")), lines.size());
}

// A family of 2 adults and 2 children: the party's total is the first
// amount, in the window and on the clipboard, and there are no 学割 columns;
// the table has a current cell as soon as it has the focus; a date typed
// "2007 Tab 10 Tab 10" is 2007-10-10; Ctrl+D puts the current way into the
// journey list, a line per person.
TEST_F(Compare, AnswersFirstForAFamily) {
    QTemporaryDir data;
    const QByteArray old = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", data.path().toUtf8());
    openFromStart();
    enter(0, 106, QStringLiteral("20070812"), 2, 2, 0, false);
    CompareWindow* w = window();
    tabTo(w->dtpDate);
    type(QStringLiteral("2007"));
    key(Qt::Key_Tab);
    type(QStringLiteral("10"));
    key(Qt::Key_Tab);
    type(QStringLiteral("10"));
    EXPECT_EQ(w->dtpDate->date(), QDate(2007, 10, 10));
    EXPECT_EQ(QApplication::focusWidget(), w->dtpDate);

    tabTo(w->grid);
    key(Qt::Key_A, Qt::ControlModifier);
    key(Qt::Key_C, Qt::ControlModifier);
    ASSERT_TRUE(QApplication::clipboard()->mimeData());
    const QStringList heads =
        QApplication::clipboard()->mimeData()->text().section(QLatin1Char('\n'), 0, 0).split(QLatin1Char('\t'));
    ASSERT_GT(heads.size(), 2);
    EXPECT_EQ(heads[1], w->grid->model()->headerData(ComparisonModel::PartyTotal, Qt::Horizontal).toString());
    EXPECT_FALSE(heads.join(QLatin1Char(' ')).contains(QStringLiteral("学割"))) << heads.join(' ').toStdString();
    EXPECT_TRUE(w->grid->isColumnHidden(ComparisonModel::StudentTotal));
    EXPECT_FALSE(w->grid->isColumnHidden(ComparisonModel::ChildTotal));

    // Focus on the table: a current cell at once, the arrows move from it.
    w->grid->clearSelection();
    tabTo(w->grid);
    ASSERT_TRUE(w->grid->currentIndex().isValid());
    key(Qt::Key_Down);
    EXPECT_EQ(w->grid->currentIndex().row(), 1);
    key(Qt::Key_Up);
    ASSERT_EQ(w->grid->currentIndex().row(), 0);  // the local train
    key(Qt::Key_D, Qt::ControlModifier);
    JourneyWindow* list = journeyWindow(*session.flow());
    ASSERT_TRUE(list);
    EXPECT_EQ(list->list().rows.size(), 4u);
    for (const mkd::JourneyRow& row : list->list().rows) EXPECT_EQ(row.date, (mkd::Date{2007, 10, 10}));
    qputenv("XDG_DATA_HOME", old);
}

// Ctrl+Shift+X and Enter in the dialog: the table as a workbook in the
// documents folder, read back as a spreadsheet reads it: the columns shown
// (the party's total second, no 学割), a row per way, amounts as numbers.
TEST_F(Compare, SavesTheTableAsAWorkbook) {
    QTemporaryDir home;
    const QByteArray oldHome = qgetenv("HOME");
    qputenv("HOME", home.path().toUtf8());
    QDir(home.path()).mkpath(QStringLiteral("Documents"));
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    openFromStart();
    enter(0, 106, QStringLiteral("20070812"), 2, 2, 0, false);
    QTimer::singleShot(100, [] {
        if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget()))
            QTest::keyClick(dialog, Qt::Key_Return);
    });
    key(Qt::Key_X, Qt::ControlModifier | Qt::ShiftModifier);
    qputenv("HOME", oldHome);
    const QString path = documents + QStringLiteral("/料金の比較_岡山-宇和島_2007-08-12.xlsx");
    ASSERT_TRUE(QFile::exists(path)) << path.toStdString();
    EXPECT_TRUE(window()->lblSaved->text().contains(path));

    QProcess python;
    python.start(QStringLiteral("/usr/bin/python3"),
                 {QStringLiteral("-c"),
                  QStringLiteral("import openpyxl,sys\n"
                                 "rows=list(openpyxl.load_workbook(sys.argv[1]).active.values)\n"
                                 "h=[i for i,r in enumerate(rows) if r[0]=='乗り方'][0]\n"
                                 "print('\\t'.join(x for x in rows[h] if x))\n"
                                 "for r in rows[h+1:]:\n"
                                 " if r[0]: print(r[1] if isinstance(r[1],(int,float)) else '-')\n"),
                  path});
    ASSERT_TRUE(python.waitForFinished(60000));
    if (python.exitCode() != 0) GTEST_SKIP() << "openpyxl: " << python.readAllStandardError().toStdString();
    const QStringList lines =
        QString::fromUtf8(python.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    const QAbstractItemModel* model = window()->grid->model();
    ASSERT_EQ(lines.size(), model->rowCount() + 1);
    const QStringList heads = lines[0].split(QLatin1Char('\t'));
    EXPECT_EQ(heads[1], model->headerData(ComparisonModel::PartyTotal, Qt::Horizontal).toString());
    EXPECT_FALSE(lines[0].contains(QStringLiteral("学割")));
    for (int r = 0; r < model->rowCount(); ++r) {
        const QVariant amount = model->data(model->index(r, ComparisonModel::PartyTotal), ComparisonModel::AmountRole);
        EXPECT_EQ(lines[r + 1], amount.isValid() ? QString::number(std::round(mkd::shownAmount(amount.toDouble())))
                                                 : QStringLiteral("-"))
            << "row " << r;
    }
}

// From a result: Ctrl+K opens the window with its pair, date and passenger;
// the result stays as it was.
TEST_F(Compare, OpensWithTheResultsEnquiry) {
    for (const char* a : {"select frmStart.cboHatu 0", "select frmStart.cboTyaku 67", "click frmStart.cmdExpress",
                          "click frmTSelect.cmdSitei", "select frmDate.cboTuki 5", "select frmDate.cboNiti 11",
                          "click frmDate.cmdNext", "click frmKetteiSitei.optOfuku", "click frmKetteiSitei.cmdKodomo"})
        act(QString::fromLatin1(a));
    ASSERT_EQ(shownName(), QStringLiteral("frmKekkaT"));
    press(Qt::Key_K, Qt::ControlModifier);
    CompareWindow* w = window();
    ASSERT_TRUE(w && w->isVisible());
    EXPECT_EQ(w->cboHatu->currentIndex(), 0);
    EXPECT_EQ(w->cboTyaku->currentIndex(), 67);
    EXPECT_EQ(w->dtpDate->date(), QDate(2007, 6, 12));
    EXPECT_EQ(w->spnAdults->value(), 0);
    EXPECT_EQ(w->spnChildren->value(), 1);
    EXPECT_TRUE(w->optOfuku->isChecked());
    EXPECT_EQ(shownName(), QStringLiteral("frmKekkaT"));
    // One window: asked again, the same one.
    EXPECT_EQ(CompareWindow::open(*session.flow(), CompareWindow::fromResult(*session.flow())), w);

    // The local result too, with its passenger.
    for (const char* a : {"click frmKekkaT.cmdRetry", "select frmStart.cboTyaku 20", "click frmStart.cmdSlow",
                          "click frmKettei.cmdOtona"})
        act(QString::fromLatin1(a));
    ASSERT_EQ(shownName(), QStringLiteral("frmKekka"));
    press(Qt::Key_K, Qt::ControlModifier);
    EXPECT_EQ(window(), w);
    EXPECT_EQ(w->cboTyaku->currentIndex(), 20);
    EXPECT_EQ(w->spnAdults->value(), 1);
    EXPECT_EQ(w->spnChildren->value(), 0);
}

class CompareOnSampleTables : public Compare {
protected:
    // The shipped sample tables, whose bands make splits pay.
    void SetUp() override {
        ASSERT_EQ(session.setAppDir(QStringLiteral(MKD_SAMPLE_TABLES)), QString());
        Compare::SetUp();
    }
};

// A local result with a cheaper split: Ctrl+K shows a row of its own under
// the local train's, with the party's saving and where the tickets meet, and the
// tickets and what they give up in its tooltip, in either language; a pair
// where no split is cheaper has none.
TEST_F(CompareOnSampleTables, SplitTicketsHaveARowOfTheirOwn) {
    const struct {
        const char* language;
        mkd::Lang lang;
        const char *note, *ticket, *givesUp;
    } cases[] = {
        {"ja", mkd::Lang::Japanese, "340円安い（上の町で分割）", "岡山 ⇒ 上の町", "その代わりに:"},
        {"en", mkd::Lang::English, "¥340 cheaper (split at Kaminocho)", "Okayama ⇒ Kaminocho", "What you give up:"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.language);
        session.seam().settings.insert(QStringLiteral("language"), QString::fromLatin1(c.language));
        ASSERT_EQ(session.restart(), QString());
        for (const char* a : {"select frmStart.cboHatu 0", "select frmStart.cboTyaku 83", "click frmStart.cmdSlow",
                              "click frmKettei.cmdOtona"})
            act(QString::fromLatin1(a));
        ASSERT_EQ(shownName(), QStringLiteral("frmKekka"));
        press(Qt::Key_K, Qt::ControlModifier);
        ASSERT_TRUE(window() && window()->isVisible());
        const int split = 1;  // under the local train
        ASSERT_TRUE(splitRow(split));
        EXPECT_EQ(ways(), window()->grid->model()->rowCount() - 1);
        EXPECT_EQ(cell(split, ComparisonModel::PartyTotal), QString::fromStdString(mkd::formatMoney(4210, c.lang)));
        EXPECT_EQ(cell(split, ComparisonModel::Note), QString::fromUtf8(c.note));
        const QString tip = cell(split, ComparisonModel::PartyTotal, Qt::ToolTipRole);
        EXPECT_TRUE(tip.contains(QString::fromUtf8(c.ticket))) << tip.toStdString();
        EXPECT_TRUE(tip.contains(QString::fromUtf8(c.givesUp))) << tip.toStdString();
        EXPECT_EQ(cell(split, ComparisonModel::Way, Qt::AccessibleDescriptionRole), tip);
        // Each of its cells whole in its column.
        QTableView* grid = window()->grid;
        for (int column = 0; column < ComparisonModel::ColumnCount; ++column) {
            if (!grid->isColumnHidden(column)) {
                EXPECT_LE(grid->sizeHintForIndex(grid->model()->index(split, column)).width(),
                          grid->columnWidth(column))
                    << cell(split, column).toStdString();
            }
        }
        // The ★ goes to one ticket per way; the summary says the split undercuts it.
        EXPECT_TRUE(window()->lblSummary->text().contains(QString::fromUtf8(c.note)));

        // Copied with the rest of the table.
        QApplication::clipboard()->clear();
        key(Qt::Key_A, Qt::ControlModifier);
        key(Qt::Key_C, Qt::ControlModifier);
        ASSERT_TRUE(QApplication::clipboard()->mimeData());
        const QString copied = QApplication::clipboard()->mimeData()->text();
        EXPECT_TRUE(copied.contains(QString::fromUtf8(c.note)));
        // The tickets and what they give up go with it.
        for (const char* part : {c.ticket, c.givesUp}) EXPECT_TRUE(copied.contains(QString::fromUtf8(part))) << part;
    }
    enter(12, 20, QStringLiteral("20070812"), 1, 1, 0, false);  // 高松 → 坂出
    EXPECT_EQ(ways(), window()->grid->model()->rowCount());
}

// The split's tickets on the local result by keys alone: Tab reaches
// "内訳", whose name reads them; Space shows them below; Ctrl+C copies them
// with the amount, in either language.
TEST_F(CompareOnSampleTables, SplitTicketsReachedByKeysOnTheResult) {
    const struct {
        const char* language;
        const char *ticket, *second, *givesUp;
    } cases[] = {
        {"ja", "岡山 ⇒ 上の町", "上の町 ⇒ 下灘", "その代わりに:"},
        {"en", "Okayama ⇒ Kaminocho", "Kaminocho ⇒ Shimonada", "What you give up:"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.language);
        session.seam().settings.insert(QStringLiteral("language"), QString::fromLatin1(c.language));
        ASSERT_EQ(session.restart(), QString());
        for (const char* a : {"select frmStart.cboHatu 0", "select frmStart.cboTyaku 83", "click frmStart.cmdSlow",
                              "click frmKettei.cmdOtona"})
            act(QString::fromLatin1(a));
        ASSERT_TRUE(ProgramTest::tabTo(QStringLiteral("cmdUtiwake")));
        const QString name = QApplication::focusWidget()->accessibleName();
        const QString tickets = QApplication::focusWidget()->accessibleDescription();
        EXPECT_TRUE(name.contains(control<QLabel>(QStringLiteral("frmKekka.lblSplit"))->text())) << name.toStdString();
        auto* below = control<QLabel>(QStringLiteral("frmKekka.lblSplitTickets"));
        ASSERT_TRUE(below);
        EXPECT_FALSE(below->isVisible());
        press(Qt::Key_Space);
        EXPECT_TRUE(below->isVisible());
        EXPECT_EQ(below->text(), tickets);
        QApplication::clipboard()->clear();
        press(Qt::Key_C, Qt::ControlModifier);
        ASSERT_TRUE(QApplication::clipboard()->mimeData());
        const QString copied = QApplication::clipboard()->mimeData()->text();
        for (const char* part : {c.ticket, c.second, c.givesUp}) {
            EXPECT_TRUE(tickets.contains(QString::fromUtf8(part))) << part << tickets.toStdString();
            EXPECT_TRUE(copied.contains(QString::fromUtf8(part))) << part << copied.toStdString();
        }
    }
}

// A station on the diagram: clicked, it is the boarding station; with the
// arrow keys and Shift+Enter, the alighting one.
TEST_F(Compare, StationsChosenOnTheDiagram) {
    openFromStart();
    CompareWindow* w = window();
    w->resize(1000, 800);
    session.settle();
    LineDiagram* d = w->diagram;
    QTest::mouseClick(d, Qt::LeftButton, {}, d->stationPoint(12).toPoint());
    session.settle();
    EXPECT_EQ(w->cboHatu->currentIndex(), 12);
    EXPECT_EQ(w->comparison().request.departure, 12);
    key(Qt::Key_Right);
    key(Qt::Key_Right);
    key(Qt::Key_Return, Qt::ShiftModifier);
    EXPECT_EQ(w->cboTyaku->currentIndex(), 14);
    EXPECT_EQ(d->journey().arrival, 14);

    // Ctrl+Shift+S swaps them, as on the start screen.
    key(Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    // (The button is pressed as a click would press it, for a moment.)
    EXPECT_TRUE(QTest::qWaitFor([w] { return w->cboHatu->currentIndex() == 14; }));
    EXPECT_EQ(w->cboHatu->currentIndex(), 14);
    EXPECT_EQ(w->comparison().request.arrival, 12);
}

// The names on the line diagram: for a journey from every station, in both
// languages, the two ends are always named, no two names overlap and none
// leaves the drawing (run at scale 1 and, as scale2., at 2).
TEST(LineDiagramLabels, NoneOverlapsAnotherOrLeavesTheDrawing) {
    LineDiagram diagram;
    diagram.resize(700, diagram.heightForWidth(700));
    const QRectF drawing(0, 0, 1000, 560);
    for (const mkd::Lang lang : {mkd::Lang::Japanese, mkd::Lang::English}) {
        for (int from = 0; from < mkd::kAllStations; ++from) {
            for (const int to : {0, 67, 106}) {
                if (to == from) continue;
                diagram.showJourney({from, to, std::nullopt, std::nullopt, 0}, lang);
                const std::vector<LineDiagram::Label> labels = diagram.labels();
                SCOPED_TRACE(std::to_string(from) + " → " + std::to_string(to));
                EXPECT_EQ(std::count_if(labels.begin(), labels.end(), [](const auto& l) { return l.end; }), 2);
                for (std::size_t i = 0; i < labels.size(); ++i) {
                    EXPECT_TRUE(drawing.contains(labels[i].shape.boundingRect())) << labels[i].name.toStdString();
                    for (std::size_t j = i + 1; j < labels.size(); ++j)
                        EXPECT_FALSE(labels[i].shape.intersects(labels[j].shape))
                            << labels[i].name.toStdString() << " / " << labels[j].name.toStdString();
                }
            }
        }
    }
}

}  // namespace
