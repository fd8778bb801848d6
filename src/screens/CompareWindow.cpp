#include "screens/CompareWindow.hpp"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMimeData>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSortFilterProxyModel>
#include <QSpinBox>
#include <QSplitter>
#include <QTableView>
#include <QToolTip>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <functional>

#include "explain/claim_words.hpp"
#include "explain/comparison_words.hpp"
#include "explain/enquiry_words.hpp"
#include "pricing/season.hpp"
#include "screens/AnswerOut.hpp"
#include "screens/ComparisonModel.hpp"
#include "screens/DateTyping.hpp"
#include "screens/HelpWindow.hpp"
#include "screens/JourneyWindow.hpp"
#include "screens/LastTravelDate.hpp"
#include "screens/LineDiagram.hpp"
#include "screens/Screen.hpp"
#include "screens/ScreenFlow.hpp"
#include "screens/SeasonCalendar.hpp"
#include "screens/StationFinder.hpp"
#include "screens/WindowPlace.hpp"
#include "screens/file_out.hpp"
#include "screens/frmStart.hpp"
#include "screens/look.hpp"
#include "screens/shortcuts.hpp"
#include "screens/station_labels.hpp"
#include "screens/table_copy.hpp"
#include "screens/text.hpp"
#include "words/money.hpp"
#include "xlsx/workbook.hpp"

namespace {

const QString kPlaceKey = QStringLiteral("compare/geometry");

// The date field and its calendar take only the years the tables cover; the
// line beside it says which they are.
const QDate kFirstListed(mkd::kFirstListedYear, 1, 1);
const QDate kLastListed(mkd::kLastListedYear, 12, 31);

// All-station index of a stop of `list`.
int allIndex(mkd::StationList list, int stop) {
    return mkd::findStation(mkd::StationList::All, mkd::stationName(list, stop)).value_or(-1);
}

}  // namespace

CompareWindow::Opening CompareWindow::fromStart(const ScreenFlow& flow) {
    const mkd::EnquiryRequest& r = flow.enquiry().request;
    return {r.departure, r.arrival, std::nullopt, std::nullopt, std::nullopt};
}

CompareWindow::Opening CompareWindow::fromResult(const ScreenFlow& flow) {
    const mkd::EnquiryInProgress& e = flow.enquiry();
    Opening with{e.request.departure, e.request.arrival, std::nullopt, e.request.passenger, e.request.trip};
    if (e.date) with.date = e.date->date;
    return with;
}

namespace {

// The one window. Not a child of a screen: the scenarios and the random user
// name a screen's controls by searching the screen, and must never find the
// window's lists instead of the screen's own.
QPointer<CompareWindow> one;

}  // namespace

CompareWindow* CompareWindow::find(ScreenFlow& flow) { return one && &one->flow_ == &flow ? one.data() : nullptr; }

CompareWindow* CompareWindow::open(ScreenFlow& flow, const Opening& with) {
    QWidget* opener = QApplication::activeWindow();
    CompareWindow* window = find(flow);
    if (!window) {
        // It goes with the start screen, which lives as long as the program.
        auto* start = flow.loaded<frmStart>();
        if (!start) return nullptr;
        delete one.data();
        window = new CompareWindow(flow, nullptr);
        one = window;
        QObject::connect(start, &QObject::destroyed, window, [window] { delete window; });
        window->take(with);
        window->place_->restore(opener);
        HelpWindow::offer(*window, flow, QStringLiteral("compare"));
    } else {
        window->take(with);
    }
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

CompareWindow::CompareWindow(ScreenFlow& flow, QWidget* parent)
    : QWidget(parent, Qt::Window), flow_(flow), place_(new WindowPlace(*this, flow.seam(), kPlaceKey)) {
    setObjectName(QStringLiteral("frmHikaku"));

    lblHatu = new QLabel(this);
    cboHatu = new QComboBox(this);
    cboHatu->setObjectName(QStringLiteral("cboHatu"));
    cmdSwap = new QPushButton(QStringLiteral("⇄"), this);
    cmdSwap->setObjectName(QStringLiteral("cmdSwap"));
    lblTyaku = new QLabel(this);
    cboTyaku = new QComboBox(this);
    cboTyaku->setObjectName(QStringLiteral("cboTyaku"));
    const QStringList names = stationNames(mkd::StationList::All, language());
    for (QComboBox* list : {cboHatu, cboTyaku}) {
        list->addItems(names);
        list->setMaxVisibleItems(20);
        new StationFinder(list, mkd::StationList::All, [this] { return language(); });
        connect(list, &QComboBox::activated, this, &CompareWindow::recompute);
    }
    lblHatu->setBuddy(cboHatu);
    lblTyaku->setBuddy(cboTyaku);
    connect(cmdSwap, &QPushButton::clicked, this, &CompareWindow::swapStations);

    lblDate = new QLabel(this);
    dtpDate = new QDateEdit(this);
    dtpDate->setObjectName(QStringLiteral("dtpDate"));
    dtpDate->setDisplayFormat(QStringLiteral("yyyy/MM/dd"));
    dtpDate->setDateRange(kFirstListed, kLastListed);
    // The season calendar instead of the field's own popup.
    cmdCalendar = new QPushButton(this);
    cmdCalendar->setObjectName(QStringLiteral("cmdCalendar"));
    cmdCalendar->setAutoDefault(false);
    connect(cmdCalendar, &QPushButton::clicked, this, &CompareWindow::openCalendar);
    openCalendarByKeys(dtpDate, [this] { openCalendar(); });
    typeDatesInTurn(dtpDate);
    lblDate->setBuddy(dtpDate);
    lblDateWhy = new QLabel(this);
    lblDateWhy->setObjectName(QStringLiteral("lblDateWhy"));
    lblDateWhy->setWordWrap(true);
    connect(dtpDate, &QDateEdit::dateChanged, this, &CompareWindow::recompute);

    lblAdults = new QLabel(this);
    lblChildren = new QLabel(this);
    lblStudents = new QLabel(this);
    spnAdults = new QSpinBox(this);
    spnChildren = new QSpinBox(this);
    spnStudents = new QSpinBox(this);
    const struct {
        QSpinBox* box;
        QLabel* label;
        const char* name;
    } counts[] = {{spnAdults, lblAdults, "spnOtona"},
                  {spnChildren, lblChildren, "spnKodomo"},
                  {spnStudents, lblStudents, "spnGakuwari"}};
    for (const auto& c : counts) {
        c.box->setObjectName(QString::fromLatin1(c.name));
        c.box->setRange(0, mkd::kMostOfAClass);
        c.label->setBuddy(c.box);
        connect(c.box, &QSpinBox::valueChanged, this, &CompareWindow::recompute);
    }
    spnAdults->setValue(1);
    lblStudentWhy = new QLabel(this);
    lblStudentWhy->setObjectName(QStringLiteral("lblStudentWhy"));
    lblStudentWhy->setWordWrap(true);

    optKatamiti = new QRadioButton(this);
    optKatamiti->setObjectName(QStringLiteral("optKatamiti"));
    optOfuku = new QRadioButton(this);
    optOfuku->setObjectName(QStringLiteral("optOfuku"));
    optKatamiti->setChecked(true);
    connect(optOfuku, &QRadioButton::toggled, this, &CompareWindow::recompute);
    chkCheapestFirst = new QCheckBox(this);
    chkCheapestFirst->setObjectName(QStringLiteral("chkCheapestFirst"));
    connect(chkCheapestFirst, &QCheckBox::toggled, this, &CompareWindow::sortRows);

    lblSummary = new QLabel(this);
    lblSummary->setObjectName(QStringLiteral("lblSummary"));
    lblSummary->setWordWrap(true);
    lblRefused = new QLabel(this);
    lblRefused->setObjectName(QStringLiteral("lblRefused"));
    lblRefused->setWordWrap(true);
    look::notice(lblRefused);
    lblRefused->hide();

    model = new ComparisonModel(this);
    sorted = new QSortFilterProxyModel(this);
    sorted->setSourceModel(model);
    sorted->setSortRole(ComparisonModel::SortRole);
    grid = new QTableView(this);
    grid->setObjectName(QStringLiteral("grdHikaku"));
    grid->setModel(sorted);
    grid->setSortingEnabled(true);
    grid->sortByColumn(-1, Qt::AscendingOrder);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setWordWrap(false);
    grid->verticalHeader()->hide();
    grid->verticalHeader()->setDefaultSectionSize(grid->fontMetrics().height() + 8);
    grid->horizontalHeader()->setStretchLastSection(true);
    grid->setTabKeyNavigation(false);

    copyAction = new QAction(this);
    copyAction->setShortcut(shortcutKey(Shortcut::Copy));
    connect(copyAction, &QAction::triggered, this, &CompareWindow::copy);
    selectAllAction = new QAction(this);
    selectAllAction->setShortcut(shortcutKey(Shortcut::SelectAll));
    connect(selectAllAction, &QAction::triggered, this, [this] {
        grid->setFocus(Qt::ShortcutFocusReason);
        grid->selectAll();
    });
    addAction_ = new QAction(this);
    addAction_->setShortcut(shortcutKey(Shortcut::AddToJourneys));
    connect(addAction_, &QAction::triggered, this, &CompareWindow::addToJourneys);
    printAction = new QAction(this);
    printAction->setShortcut(shortcutKey(Shortcut::Print));
    connect(printAction, &QAction::triggered, this, &CompareWindow::printTable);
    workbookAction = new QAction(this);
    workbookAction->setShortcut(shortcutKey(Shortcut::SaveWorkbook));
    connect(workbookAction, &QAction::triggered, this, &CompareWindow::saveWorkbook);
    for (QAction* a : {copyAction, selectAllAction, addAction_, printAction, workbookAction}) {
        addAction(a);
        grid->addAction(a);
    }
    grid->setContextMenuPolicy(Qt::ActionsContextMenu);

    diagram = new LineDiagram(this);
    connect(diagram, &LineDiagram::stationChosen, this,
            [this](int station, bool asArrival) { StationFinder::choose(asArrival ? cboTyaku : cboHatu, station); });

    auto* inputs = new QGridLayout;
    inputs->addWidget(lblHatu, 0, 0);
    auto* pair = new QHBoxLayout;
    pair->addWidget(cboHatu, 1);
    pair->addWidget(cmdSwap);
    pair->addWidget(lblTyaku);
    pair->addWidget(cboTyaku, 1);
    inputs->addLayout(pair, 0, 1);
    inputs->addWidget(lblDate, 1, 0);
    auto* date = new QHBoxLayout;
    date->addWidget(dtpDate);
    date->addWidget(cmdCalendar);
    date->addWidget(lblDateWhy, 1);
    inputs->addLayout(date, 1, 1);
    auto* people = new QHBoxLayout;
    for (const auto& c : counts) {
        people->addWidget(c.label);
        people->addWidget(c.box);
    }
    people->addWidget(lblStudentWhy, 1);
    inputs->addLayout(people, 2, 1);
    auto* trip = new QHBoxLayout;
    trip->addWidget(optKatamiti);
    trip->addWidget(optOfuku);
    trip->addStretch(1);
    trip->addWidget(chkCheapestFirst);
    inputs->addLayout(trip, 3, 1);
    inputs->setColumnStretch(1, 1);

    auto* split = new QSplitter(Qt::Vertical, this);
    split->setObjectName(QStringLiteral("splHikaku"));
    split->addWidget(grid);
    split->addWidget(diagram);
    split->setChildrenCollapsible(false);
    split->setStretchFactor(0, 2);
    split->setStretchFactor(1, 3);

    QVBoxLayout* layout = scrollingClient(*this);
    layout->addLayout(inputs);
    layout->addWidget(lblRefused);
    layout->addWidget(lblSummary);
    layout->addWidget(split, 1);
    lblSaved = savedLine(this);
    layout->addWidget(lblSaved);

    setTabOrder(cboHatu, cmdSwap);
    setTabOrder(cmdSwap, cboTyaku);
    setTabOrder(cboTyaku, dtpDate);
    setTabOrder(dtpDate, cmdCalendar);
    setTabOrder(cmdCalendar, spnAdults);
    setTabOrder(spnAdults, spnChildren);
    setTabOrder(spnChildren, spnStudents);
    setTabOrder(spnStudents, optKatamiti);
    setTabOrder(optKatamiti, optOfuku);
    setTabOrder(optOfuku, chkCheapestFirst);
    setTabOrder(chkCheapestFirst, grid);
    setTabOrder(grid, diagram);

    showWords();
    resize(980, 860);
    cboHatu->setFocus();
}

mkd::Comparer& CompareWindow::comparer(mkd::Season season) {
    auto& priced = priced_[static_cast<std::size_t>(season)];
    if (!priced) priced = std::make_unique<Priced>(flow_.tables().locations());
    return priced->comparer;
}

mkd::Lang CompareWindow::language() const { return flow_.language(); }

const mkd::Comparison& CompareWindow::comparison() const { return model->comparison(); }

void CompareWindow::showWords() {
    setWindowTitle(tr("料金の比較"));
    lblHatu->setText(tr("乗車駅"));
    lblTyaku->setText(tr("降車駅"));
    cmdSwap->setToolTip(tr("乗車駅と降車駅を入れ替える (Ctrl+Shift+S)"));
    cmdSwap->setAccessibleName(tr("乗車駅と降車駅を入れ替える"));
    cmdSwap->setShortcut(shortcutKey(Shortcut::Swap));
    lblDate->setText(tr("乗車日"));
    lblAdults->setText(tr("おとな"));
    lblChildren->setText(tr("こども"));
    lblStudents->setText(tr("学割"));
    optKatamiti->setText(tr("片道"));
    optOfuku->setText(tr("往復"));
    chkCheapestFirst->setText(tr("合計の安い順"));
    cboHatu->setAccessibleName(tr("乗車駅"));
    cboTyaku->setAccessibleName(tr("降車駅"));
    dtpDate->setAccessibleName(tr("乗車日"));
    cmdCalendar->setText(tr("カレンダー..."));
    cmdCalendar->setToolTip(tr("季節カレンダーで日を選ぶ (F4, Alt+↓)"));
    cmdCalendar->setAccessibleName(tr("季節カレンダーで日を選ぶ"));
    spnAdults->setAccessibleName(tr("おとなの人数"));
    spnChildren->setAccessibleName(tr("こどもの人数"));
    spnStudents->setAccessibleName(tr("学割の人数"));
    grid->setAccessibleName(tr("乗り方ごとの運賃と料金"));
    copyAction->setText(tr("表をコピー"));
    selectAllAction->setText(tr("すべて選択"));
    addAction_->setText(tr("選んだ乗り方を交通費明細に追加"));
    printAction->setText(tr("表を印刷..."));
    workbookAction->setText(tr("Excel ブックで保存..."));
    renameStations(cboHatu, mkd::StationList::All, language());
    renameStations(cboTyaku, mkd::StationList::All, language());
    recompute();
}

void CompareWindow::take(const Opening& with) {
    taking_ = true;
    if (mkd::isValidIndex(mkd::StationList::All, with.departure)) cboHatu->setCurrentIndex(with.departure);
    if (mkd::isValidIndex(mkd::StationList::All, with.arrival)) cboTyaku->setCurrentIndex(with.arrival);
    // Without an enquiry's date: the travel date chosen last, else the date
    // screens' own default.
    const mkd::Date d =
        with.date ? *with.date : LastTravelDate::last(flow_).value_or(mkd::defaultTravelDate(flow_.seam().today()));
    dtpDate->setDate(QDate(d.year, d.month, d.day));
    if (with.passenger) {
        spnAdults->setValue(*with.passenger == mkd::Passenger::Adult ? 1 : 0);
        spnChildren->setValue(*with.passenger == mkd::Passenger::Child ? 1 : 0);
        spnStudents->setValue(*with.passenger == mkd::Passenger::Student ? 1 : 0);
    }
    if (with.trip) (*with.trip == mkd::Trip::RoundTrip ? optOfuku : optKatamiti)->setChecked(true);
    diagram->markStation(cboHatu->currentIndex());
    taking_ = false;
    recompute();
}

void CompareWindow::recompute() {
    if (taking_) return;
    const mkd::Lang lang = language();
    const QDate date = dtpDate->date();
    explainDate();
    mkd::ComparisonRequest request;
    request.departure = cboHatu->currentIndex();
    request.arrival = cboTyaku->currentIndex();
    request.party = {spnAdults->value(), spnChildren->value(), spnStudents->value()};
    request.trip = optOfuku->isChecked() ? mkd::Trip::RoundTrip : mkd::Trip::OneWay;

    const bool listed = mkd::isListedDate(date.year(), date.month(), date.day());
    mkd::Comparison comparison;
    comparison.request = request;
    QString refused;
    if (!listed) {
        refused = toQt(mkd::dateNotListedText(lang));
    } else {
        request.season = mkd::travelDate(date.year(), date.month(), date.day()).season;
        comparison = comparer(request.season).compare(request);
        // Students only where 学割 is offered: none where it is not.
        if (!comparison.tableProblem && !comparison.student.offered && request.party.students > 0) {
            const QSignalBlocker quiet(spnStudents);
            spnStudents->setValue(0);
            request.party.students = 0;
            comparison = comparer(request.season).compare(request);
        }
        if (comparison.tableProblem) refused = toQt(mkd::refusalText(*comparison.tableProblem, lang));
    }
    model->show(comparison, lang);
    // A class nobody in the party belongs to has no columns.
    for (int c = ComparisonModel::AdultFare; c <= ComparisonModel::StudentTotal; ++c) {
        mkd::Passenger passenger;
        int part = 0;
        if (ComparisonModel::classColumn(c, passenger, part))
            grid->setColumnHidden(c, comparison.request.party.count(passenger) == 0);
    }
    sortRows();
    // A current cell from the start, not selected (Ctrl+C copies all rows
    // while none is): Home, End and the arrow keys move at once.
    if (!grid->currentIndex().isValid() && sorted->rowCount() > 0)
        grid->selectionModel()->setCurrentIndex(sorted->index(0, 0), QItemSelectionModel::NoUpdate);
    fitColumns();
    lblRefused->setText(refused);
    lblRefused->setVisible(!refused.isEmpty());

    mkd::Refused student;
    student.refusal = mkd::Refusal::StudentNotOffered;
    student.student = comparison.student;
    const bool studentOffered = listed && comparison.student.offered;
    spnStudents->setEnabled(studentOffered);
    lblStudentWhy->setText(studentOffered || !listed ? QString() : toQt(mkd::refusalText(student, lang)));
    spnStudents->setAccessibleDescription(lblStudentWhy->text());

    QStringList summary;
    if (listed && !comparison.tableProblem) {
        summary << toQt(mkd::text(mkd::Msg::Distance, lang, {mkd::numberWords(comparison.distance)}))
                << tr("有効期間 %1").arg(toQt(mkd::validityText(comparison.validityDays, lang)))
                << toQt(mkd::partyText(request.party, lang));
        QStringList cheapest;
        double amount = 0;
        for (const mkd::WayRow& row : comparison.rows) {
            if (!row.cheapest) continue;
            cheapest << toQt(mkd::wayName(row, request.season, lang));
            amount = *row.partyTotal;
        }
        if (!cheapest.isEmpty())
            summary << tr("いちばん安いのは %1 (%2)")
                           .arg(cheapest.join(toQt(mkd::text(mkd::Msg::ListSeparator, lang))),
                                toQt(mkd::formatMoney(amount, lang)));
        // The ★ is among the ways, each one ticket; split tickets may undercut it.
        const mkd::SplitRow& split = comparison.split;
        if (split.cheaper() && split.partyTotal)
            summary << tr("分けて買うと %1、%2")
                           .arg(toQt(mkd::formatMoney(*split.partyTotal, lang)), toQt(mkd::splitRowNote(split, lang)));
    }
    lblSummary->setText(summary.join(tr("　")));
    showDiagram();
}

void CompareWindow::fitColumns() {
    // Measuring every cell is most of a recomputation's time: the amount
    // columns are as wide as the largest amount a party can reach, and only
    // the names of the ways are measured, when they can have changed (the
    // row of split tickets comes and goes with the pair, trip and party).
    const mkd::Lang lang = language();
    const QString names = toQt(mkd::stationWords(mkd::StationList::All, cboHatu->currentIndex(), lang)) +
                          QString::number(cboTyaku->currentIndex()) + QString::number(int(lang)) +
                          QString::number(int(comparison().request.season)) +
                          QString::number(int(comparison().split.cheaper()));
    // The notes change with the party too, and are few: measured every time,
    // as wide as the longest so that none is cut off (the last column
    // stretches only into room left over).
    grid->resizeColumnToContents(ComparisonModel::Note);
    if (names == fitted_) return;
    fitted_ = names;
    const QFontMetrics metrics(grid->font());
    const int widest = metrics.horizontalAdvance(toQt(mkd::formatMoney(99999999, lang))) + 16;
    for (int c = ComparisonModel::PartyTotal; c <= ComparisonModel::Validity; ++c)
        grid->setColumnWidth(c, std::max(widest, grid->horizontalHeader()->sectionSizeHint(c)));
    grid->resizeColumnToContents(ComparisonModel::Way);
}

void CompareWindow::explainDate() {
    const QDate d = dtpDate->date();
    const mkd::Lang lang = language();
    QStringList lines;
    if (mkd::isListedDate(d.year(), d.month(), d.day())) {
        const mkd::TravelDate date = mkd::travelDate(d.year(), d.month(), d.day());
        lines << toQt(mkd::dateAndSeasonText(date, lang)) + tr("　") + toQt(mkd::seasonReason(date, lang));
    }
    lines << toQt(mkd::listedYearsText(lang));
    lblDateWhy->setText(lines.join(QLatin1Char('\n')));
    dtpDate->setAccessibleDescription(lblDateWhy->text());
}

void CompareWindow::showDiagram() {
    const mkd::Comparison& c = comparison();
    LineDiagram::Journey journey;
    if (!c.rows.empty()) {
        journey.departure = c.request.departure;
        journey.arrival = c.request.arrival;
        journey.distance = c.distance;
    }
    const auto offered = [&c](mkd::Enquiry kind) {
        for (const mkd::WayRow& row : c.rows)
            if (row.kind == kind && !row.refused) return true;
        return false;
    };
    if (offered(mkd::Enquiry::NonReserved)) {
        const mkd::Section s = mkd::presetExpressSection(c.request.departure, c.request.arrival).section;
        journey.express =
            LineDiagram::Span{allIndex(mkd::StationList::Express, s.from), allIndex(mkd::StationList::Express, s.to)};
    }
    if (offered(mkd::Enquiry::MarineGreen)) {
        const mkd::Section s = mkd::presetMarineSection(c.request.departure, c.request.arrival).section;
        journey.marine =
            LineDiagram::Span{allIndex(mkd::StationList::Marine, s.from), allIndex(mkd::StationList::Marine, s.to)};
    } else if (offered(mkd::Enquiry::MarineReserved)) {
        journey.marine = LineDiagram::Span{c.request.departure, c.request.arrival};
    }
    diagram->showJourney(journey, language());
}

void CompareWindow::sortRows() {
    if (chkCheapestFirst->isChecked())
        grid->sortByColumn(ComparisonModel::PartyTotal, Qt::AscendingOrder);
    else if (grid->horizontalHeader()->sortIndicatorSection() == ComparisonModel::PartyTotal)
        grid->sortByColumn(ComparisonModel::Way, Qt::AscendingOrder);
}

void CompareWindow::copy() {
    const QModelIndexList selection = grid->selectionModel()->selectedIndexes();
    QMimeData* mime = tableMimeData(*sorted, selection, hiddenColumns());
    // The split tickets' row stands for several tickets: they, their amounts
    // and validity and what they give up go with it, below the table.
    const bool splitCopied =
        std::any_of(selection.begin(), selection.end(),
                    [](const QModelIndex& i) { return i.data(ComparisonModel::SplitRole).toBool(); }) ||
        (selection.isEmpty() && comparison().split.cheaper());
    if (splitCopied) {
        QStringList lines;
        for (const std::string& line : mkd::splitRowLines(comparison().split, comparison().request.party, language()))
            lines << toQt(line);
        mime->setText(mime->text() + QLatin1Char('\n') + lines.join(QLatin1Char('\n')) + QLatin1Char('\n'));
        QString html = mime->html();
        for (const QString& line : lines) html += QStringLiteral("<p>%1</p>\n").arg(line.toHtmlEscaped());
        mime->setHtml(html);
    }
    QApplication::clipboard()->setMimeData(mime);
}

QList<int> CompareWindow::hiddenColumns() const {
    QList<int> hidden;
    for (int c = 0; c < sorted->columnCount(); ++c)
        if (grid->isColumnHidden(c)) hidden << c;
    return hidden;
}

int CompareWindow::addToJourneys() {
    const QModelIndex current = grid->currentIndex();
    if (!current.isValid()) return 0;
    const mkd::WayRow* way = model->way(sorted->mapToSource(current).row());
    if (!way || !way->partyTotal) return 0;  // the split tickets' row, or a way not offered
    const mkd::Comparison& c = comparison();
    JourneyWindow* list = journeyWindow(flow_);
    if (!list) return 0;
    const QDate d = dtpDate->date();
    int added = 0;
    // One line per person, as each would claim the journey.
    for (mkd::Passenger passenger : mkd::kPassengers) {
        const mkd::ClassPrice& price = way->price(passenger);
        if (!price.answer) continue;
        mkd::EnquiryInProgress enquiry;
        enquiry.request.kind = way->kind;
        enquiry.request.departure = c.request.departure;
        enquiry.request.arrival = c.request.arrival;
        enquiry.request.passenger = passenger;
        enquiry.request.trip = c.request.trip;
        enquiry.request.routing = way->routing;
        enquiry.date = mkd::travelDate(d.year(), d.month(), d.day());
        enquiry.answer = price.answer;
        for (int i = 0; i < c.request.party.count(passenger); ++i)
            if (list->add(enquiry) > 0) ++added;
    }
    if (added > 0)
        QToolTip::showText(grid->mapToGlobal(grid->visualRect(current).center()),
                           tr("交通費明細に追加しました（%n件）", nullptr, added), grid);
    return added;
}

void CompareWindow::printTable() {
    const QString html =
        QStringLiteral("<h3>%1</h3><p>%2</p>").arg(windowTitle().toHtmlEscaped(), lblSummary->text().toHtmlEscaped()) +
        tableHtml(*sorted, {}, hiddenColumns());
    printPreview(this, flow_, html);
}

mkd::Workbook CompareWindow::workbook() const {
    const mkd::Lang lang = language();
    const mkd::Comparison& c = comparison();
    const auto station = [lang](int index) { return mkd::stationWords(mkd::StationList::All, index, lang); };
    mkd::Workbook book;
    book.sheetName = windowTitle().toStdString();
    book.title = windowTitle().toStdString() + " " + std::string(station(c.request.departure)) + " → " +
                 std::string(station(c.request.arrival));
    const QDate d = dtpDate->date();
    book.lines.push_back(mkd::dateAndSeasonText(mkd::travelDate(d.year(), d.month(), d.day()), lang) + " " +
                         (optOfuku->isChecked() ? optOfuku : optKatamiti)->text().toStdString());
    if (!lblSummary->text().isEmpty()) book.lines.push_back(lblSummary->text().toStdString());
    if (c.split.cheaper())
        for (const std::string& line : mkd::splitRowLines(c.split, c.request.party, lang)) book.lines.push_back(line);
    book.lines.push_back(
        mkd::claimMadeWith(MKD_VERSION, mkd::tablesInUse(flow_.tables().locations().tableFolder), lang));
    book.footer = book.lines.back();
    book.yenFormat = lang == mkd::Lang::English ? "\"¥\"#,##0" : "#,##0\"円\"";
    const QList<int> hidden = hiddenColumns();
    for (int column = 0; column < sorted->columnCount(); ++column)
        if (!hidden.contains(column))
            book.heads.push_back(sorted->headerData(column, Qt::Horizontal).toString().toStdString());
    mkd::SheetGroup rows;
    for (int r = 0; r < sorted->rowCount(); ++r) {
        auto& cells = rows.rows.emplace_back();
        for (int column = 0; column < sorted->columnCount(); ++column) {
            if (hidden.contains(column)) continue;
            const QModelIndex at = sorted->index(r, column);
            const QVariant amount = at.data(ComparisonModel::AmountRole);
            const QString shown = at.data().toString();
            if (amount.isValid())
                cells.push_back(mkd::SheetCell::yen(std::round(mkd::shownAmount(amount.toDouble()))));
            else if (shown == QStringLiteral("—"))
                cells.emplace_back();
            else
                cells.push_back(mkd::SheetCell::words(shown.toStdString()));
        }
    }
    book.groups.push_back(std::move(rows));
    return book;
}

void CompareWindow::saveWorkbook() {
    const mkd::Lang lang = language();
    const mkd::Comparison& c = comparison();
    const QString name =
        tr("%1_%2-%3_%4")
            .arg(windowTitle(), toQt(mkd::stationWords(mkd::StationList::All, c.request.departure, lang)),
                 toQt(mkd::stationWords(mkd::StationList::All, c.request.arrival, lang)),
                 dtpDate->date().toString(Qt::ISODate));
    const QString path = askSavePath(this, flow_,
                                     {tr("Excel ブックで保存"), QStringLiteral("xlsx"), name + QStringLiteral(".xlsx"),
                                      tr("Excel ブック (*.xlsx)"), QStringLiteral("xlsx")});
    if (path.isEmpty()) return;
    const std::string bytes = workbookBytes(flow_, workbook());
    if (!bytes.empty() && saveBytes(flow_, path, bytes)) showSavedPath(lblSaved, path);
}

void CompareWindow::openCalendar() {
    mkd::CalendarJourney journey;
    journey.request.kind = mkd::Enquiry::Reserved;
    journey.request.departure = cboHatu->currentIndex();
    journey.request.arrival = cboTyaku->currentIndex();
    journey.request.trip = optOfuku->isChecked() ? mkd::Trip::RoundTrip : mkd::Trip::OneWay;
    journey.party = {spnAdults->value(), spnChildren->value(), spnStudents->value()};
    const QDate d = dtpDate->date();
    QPointer<CompareWindow> self(this);
    SeasonCalendarWindow::open(flow_, {{d.year(), d.month(), d.day()}, journey, [self](const mkd::Date& date) {
                                           if (self) self->setTravelDate(date);
                                       }});
}

void CompareWindow::setTravelDate(const mkd::Date& date) {
    dtpDate->setDate(QDate(date.year, date.month, date.day));
    activateWindow();
    raise();
    dtpDate->setFocus(Qt::OtherFocusReason);
}

void CompareWindow::swapStations() {
    const int departure = cboHatu->currentIndex();
    const int arrival = cboTyaku->currentIndex();
    if (departure < 0 || arrival < 0) return;
    taking_ = true;
    StationFinder::choose(cboHatu, arrival);
    StationFinder::choose(cboTyaku, departure);
    taking_ = false;
    recompute();
}

void CompareWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange) showWords();
    QWidget::changeEvent(event);
}

void CompareWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape || event->matches(QKeySequence::Close)) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void offerComparison(Screen& screen, ScreenFlow& flow) {
    auto* compare = new QAction(&screen);
    compare->setObjectName(QStringLiteral("mnuHikaku"));
    compare->setShortcut(shortcutKey(Shortcut::Compare));
    const auto words = [compare] { compare->setText(CompareWindow::tr("料金の比較")); };
    words();
    QObject::connect(compare, &QAction::triggered, &screen,
                     [&flow] { CompareWindow::open(flow, CompareWindow::fromResult(flow)); });
    screen.addAction(compare);
    screen.setContextMenuPolicy(Qt::ActionsContextMenu);
    // Its words follow the language like the screen's own.
    class Words : public QObject {
    public:
        Words(QObject* parent, std::function<void()> write) : QObject(parent), write_(std::move(write)) {}
        bool eventFilter(QObject*, QEvent* event) override {
            if (event->type() == QEvent::LanguageChange) write_();
            return false;
        }

    private:
        std::function<void()> write_;
    };
    screen.installEventFilter(new Words(compare, words));
}
