#include "screens/frmStart.hpp"

#include <cerrno>

#include <QActionGroup>
#include <QComboBox>
#include <QDir>
#include <QHelpEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QToolTip>
#include <algorithm>

#include "data/initial_selection.hpp"
#include "data/stations.hpp"
#include "explain/enquiry_words.hpp"
#include "pricing/enquiry.hpp"
#include "pricing/journey_rules.hpp"
#include "pricing/season.hpp"
#include "records/journey_list.hpp"
#include "screens/AnswerOut.hpp"
#include "screens/CompareWindow.hpp"
#include "screens/HelpWindow.hpp"
#include "screens/JourneyWindow.hpp"
#include "screens/KindScreens.hpp"
#include "screens/ScreenFlow.hpp"
#include "screens/SeasonCalendar.hpp"
#include "screens/SectionScreen.hpp"
#include "screens/StationFinder.hpp"
#include "screens/WhyLine.hpp"
#include "screens/look.hpp"
#include "screens/shortcuts.hpp"
#include "screens/station_labels.hpp"
#include "screens/text.hpp"
#include "words/words.hpp"

namespace {

// Shows the tool tip of the menu or item under the mouse, also where Qt
// shows none by itself: a menu of the menu bar, and a disabled item. An
// action without a tool tip of its own (Qt then offers its text) shows none.
// The menu bar's highlighted menu, when it is off, said on the line below
// the buttons: the bar tells of a highlighted menu only when it is on, but
// draws itself anew whenever the highlight moves.
class HighlightedWhy : public QObject {
public:
    HighlightedWhy(QMenuBar* bar, WhyLine* line) : QObject(line), bar_(bar), line_(line) {
        bar->installEventFilter(this);
    }
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::Paint) return false;
        QAction* action = bar_->activeAction();
        if (action == shown_) return false;
        if (action && !action->isEnabled() && !action->statusTip().isEmpty()) {
            line_->say(action->statusTip());
            shown_ = action;
        } else if (shown_) {
            line_->say({});
            shown_ = nullptr;
        }
        return false;
    }

private:
    QMenuBar* bar_;
    WhyLine* line_;
    QAction* shown_ = nullptr;
};

class ActionTips : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::ToolTip) return false;
        auto* help = static_cast<QHelpEvent*>(event);
        QAction* action = nullptr;
        if (auto* bar = qobject_cast<QMenuBar*>(watched)) action = bar->actionAt(help->pos());
        if (auto* menu = qobject_cast<QMenu*>(watched)) action = menu->actionAt(help->pos());
        const QString tip = action && action->toolTip() != QString(action->text()).remove(QLatin1Char('&'))
                                ? action->toolTip()
                                : QString();
        if (tip.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), tip, static_cast<QWidget*>(watched));
        return true;
    }
};

}  // namespace

frmStart::frmStart(ScreenFlow& f) : Screen(f, kName, QT_TR_NOOP("乗車区間"), 3390, 2310) {
    addControls({{ControlRow::Label, "lblSelect", QT_TR_NOOP("選択してください。"), 120, 225, 3135, 375, 15.75,
                  Qt::AlignCenter}});
    addStationPair(mkd::StationList::All);
    cboHatu = control<QComboBox>("cboHatu");
    cboTyaku = control<QComboBox>("cboTyaku");
    addMenus();
    // Once every menu is there: each kind's way in, as its row says.
    addWaysIn();
    cmdExit = addButton("cmdExit", QT_TR_NOOP("終了"), twips(2280, 1680, 975, 375));
    cmdExpress = control<QPushButton>("cmdExpress");
    cmdSlow = control<QPushButton>("cmdSlow");
    mnuSitei = findChild<QAction*>(QStringLiteral("mnuSitei"));
    mnuGreen = findChild<QAction*>(QStringLiteral("mnuGreen"));
    // The long form of what the short English captions stand for.
    setWords(cmdExpress, QT_TR_NOOP("特急の運賃と料金を調べる"), Words::ToolTip);
    setWords(cmdSlow, QT_TR_NOOP("普通列車の運賃を調べる"), Words::ToolTip);

    connect(cboHatu, &QComboBox::activated, this, &frmStart::cboHatu_Click);
    connect(cboTyaku, &QComboBox::activated, this, &frmStart::cboTyaku_Click);
    // Enter in the arrival list presses the way in last used.
    lastWay_ = cmdSlow;
    connect(cmdSlow, &QPushButton::clicked, this, [this] { lastWay_ = cmdSlow; });
    connect(cmdExpress, &QPushButton::clicked, this, [this] { lastWay_ = cmdExpress; });
    connect(cmdExit, &QPushButton::clicked, this, &frmStart::cmdExit_Click);
    connect(mnuHenko, &QAction::triggered, this, &frmStart::mnuHenko_Click);
    addSwap();
    setTabOrder(cboHatu, cboTyaku);
    setTabOrder(cboTyaku, cmdSwap);
    setTabOrder(cmdSwap, cmdExpress);
    setTabOrder(cmdExpress, cmdSlow);
    setTabOrder(cmdSlow, cmdExit);
    explainOffMenus();
}

void frmStart::addMenus() {
    look::menuBar(menuBar());
    mnuShoki = addMenu("mnuShoki", QT_TR_NOOP("初期表示"));
    mnuHenko = addMenuItem(mnuShoki, "mnuHenko", QT_TR_NOOP("変更"));
    mnuMarine = addMenu("mnuMarine", QT_TR_NOOP("マリンライナー"));
    mnuMarine->menuAction()->setEnabled(false);
    mnuHelp = addMenu("mnuHelp", QT_TR_NOOP("ヘルプ"));
    mnuUsage = addMenuItem(mnuHelp, "mnuUsage", QT_TR_NOOP("使い方"));
    mnuUsage->setShortcut(shortcutKey(Shortcut::Help));
    mnuAbout = addMenuItem(mnuHelp, "mnuAbout", QT_TR_NOOP("バージョン情報"));
    connect(mnuUsage, &QAction::triggered, this, &frmStart::showHelp);
    connect(mnuAbout, &QAction::triggered, this, &frmStart::showAbout);
    addToolsMenu();
    addJourneyMenu();
    addLanguageMenu();
}

void frmStart::addSwap() {
    // The free space between the lists, below "⇒".
    cmdSwap = addButton("cmdSwap", "⇄", twips(1530, 1395, 315, 255));
    setWords(cmdSwap, QT_TR_NOOP("乗車駅と降車駅を入れ替える (Ctrl+Shift+S)"), Words::ToolTip);
    setWords(cmdSwap, QT_TR_NOOP("乗車駅と降車駅を入れ替える"), Words::AccessibleName);
    auto* swapKey = new QAction(this);
    swapKey->setShortcut(shortcutKey(Shortcut::Swap));
    addAction(swapKey);
    connect(cmdSwap, &QPushButton::clicked, this, &frmStart::swapStations);
    connect(swapKey, &QAction::triggered, this, &frmStart::swapStations);
}

void frmStart::explainOffMenus() {
    // The Marine Liner menu and its items say why they are off (see
    // explainMarineMenu).
    auto* tips = new ActionTips(this);
    menuBar()->installEventFilter(tips);
    mnuMarine->installEventFilter(tips);
    // The arrow keys reach the Marine menu and its 指定席 also when they are
    // off (ProgramStyle); the line below the buttons then says why.
    whyOff = new WhyLine(client);
    const auto explainHighlighted = [this](QAction* action) {
        whyOff->say(action && !action->isEnabled() ? action->statusTip() : QString());
    };
    new HighlightedWhy(menuBar(), whyOff);
    connect(mnuMarine, &QMenu::hovered, this, explainHighlighted);
    connect(mnuMarine, &QMenu::aboutToHide, whyOff, [line = whyOff] { line->say({}); });
}

void frmStart::addLanguageMenu() {
    // The language menu reads the same in both languages, and each language
    // is named in itself, so that anyone finds their own. It comes last: on
    // the narrow start screen it is the one that moves into the menu bar's
    // "»", where the help menu would be missed more.
    mnuLanguage = menuBar()->addMenu(QStringLiteral("表示言語 / Language"));
    mnuLanguage->setObjectName(QStringLiteral("mnuLanguage"));
    auto* languages = new QActionGroup(this);
    const struct {
        QAction*& item;
        const char* name;
        QString text;
        mkd::Lang lang;
    } items[] = {{mnuJapanese, "mnuJapanese", QStringLiteral("日本語"), mkd::Lang::Japanese},
                 {mnuEnglish, "mnuEnglish", QStringLiteral("English"), mkd::Lang::English}};
    for (const auto& i : items) {
        i.item = mnuLanguage->addAction(i.text);
        i.item->setObjectName(QString::fromLatin1(i.name));
        i.item->setCheckable(true);
        i.item->setChecked(flow.language() == i.lang);
        languages->addAction(i.item);
        connect(i.item, &QAction::triggered, this, [this, lang = i.lang] { flow.chooseLanguage(lang); });
    }
}

std::string frmStart::shownPath(const std::string& path) const {
    // Inside the folder that holds the tables' folder, the part the user
    // recognises: "Untin/Henko.txt".
    const std::string& tables = flow.tables().locations().tableFolder;
    const std::string folder = tables.substr(0, tables.rfind('/') == std::string::npos ? 0 : tables.rfind('/'));
    if (!folder.empty() && path.size() > folder.size() && path.starts_with(folder) && path[folder.size()] == '/')
        return path.substr(folder.size() + 1);
    return path;
}

int frmStart::departure() const { return cboHatu->currentIndex(); }
int frmStart::arrival() const { return cboTyaku->currentIndex(); }

void frmStart::Form_Load() {
    // The start-up sequence: both lists, the stored pair, the menu, the four
    // tables every journey needs.
    const QStringList names = stationNames(mkd::StationList::All, flow.language());
    cboHatu->addItems(names);
    cboTyaku->addItems(names);

    auto& tables = flow.tables();
    const mkd::LoadResult stored = tables.loadInitialSelection();
    int hatu = mkd::kDefaultPair.departure;
    int tyaku = mkd::kDefaultPair.arrival;
    if (stored.ok()) {
        hatu = mkd::selectionPosition(tables.initialCell(0), mkd::kDefaultPair.departure);
        tyaku = mkd::selectionPosition(tables.initialCell(1), mkd::kDefaultPair.arrival);
    } else if (stored.error == mkd::LoadError::CannotOpen && stored.systemError != ENOENT) {
        // There is a file, but it cannot be read (no permission, a folder):
        // the user is told once, and "変更" will say the same if it cannot
        // write it either.
        const mkd::Lang lang = flow.language();
        flow.message(toQt(mkd::text(mkd::Msg::SelectionUnreadable, lang,
                                    {shownPath(tables.lastPath()), mkd::reasonText(stored.systemError, lang),
                                     mkd::stationWords(mkd::StationList::All, hatu, lang),
                                     mkd::stationWords(mkd::StationList::All, tyaku, lang)})));
    } else if (stored.error != mkd::LoadError::CannotOpen) {
        // A missing file only means nothing was stored yet; a damaged one is
        // reported like any other table file.
        flow.fatal(QString::fromStdString(mkd::describeLoadError(stored, tables.lastPath(), 2, flow.language())));
        return;
    }
    cboHatu->setCurrentIndex(hatu);
    cboHatu_Click();
    cboTyaku->setCurrentIndex(tyaku);
    cboTyaku_Click();
    applyMenuRule(departure(), arrival());
    applyMenuRule(arrival(), departure());

    for (auto file : mkd::startupTables())
        if (!flow.load(file)) return;
}

void frmStart::Form_Unload() {
    // Closing the main window ends the program at once.
    flow.endProgram(0);
}

void frmStart::languageChanged() {
    renameStations(cboHatu, mkd::StationList::All, flow.language());
    renameStations(cboTyaku, mkd::StationList::All, flow.language());
    (flow.language() == mkd::Lang::English ? mnuEnglish : mnuJapanese)->setChecked(true);
    if (judged_) explainMarineMenu(*judged_);
}

void frmStart::applyMenuRule(int key, int partner) {
    const mkd::MarineMenu now{mnuMarine->menuAction()->isEnabled(), mnuSitei->isEnabled()};
    const mkd::MarineMenuJudgement judged = mkd::judgeMarineMenu(now, key, partner);
    mnuMarine->menuAction()->setEnabled(judged.menu.marine);
    mnuSitei->setEnabled(judged.menu.sitei);
    explainMarineMenu(judged);
}

void frmStart::explainMarineMenu(const mkd::MarineMenuJudgement& judged) {
    // On hover and to a screen reader: the section the menu prices, or why
    // it is off; and why its 指定席 item is off.
    auto say = [](QAction* action, const QString& why) {
        action->setToolTip(why);
        action->setStatusTip(why);
        action->setWhatsThis(why);
    };
    judged_ = judged;
    const mkd::Lang lang = flow.language();
    mkd::Refused r;
    r.departure = departure();
    r.arrival = arrival();
    r.marine = judged;
    QString menuWhy;
    if (!judged.menu.marine) {
        r.refusal = mkd::Refusal::MarineNotOffered;
        menuWhy = toQt(mkd::refusalText(r, lang));
    } else if (const auto advised = enquiry(mkd::Enquiry::MarineGreen).check(mkd::Step::Preset)) {
        menuWhy = toQt(mkd::refusalReason(*advised, lang));
    } else if (const auto p = enquiry(mkd::Enquiry::MarineGreen).preset()) {
        menuWhy = toQt(mkd::text(mkd::Msg::MarineServes, lang,
                                 {mkd::stationWords(mkd::StationList::Marine, p->section.from, lang),
                                  mkd::stationWords(mkd::StationList::Marine, p->section.to, lang)}));
    }
    say(mnuMarine->menuAction(), menuWhy);
    mnuMarine->setAccessibleDescription(menuWhy);
    r.refusal = mkd::Refusal::MarineSeatNotOffered;
    say(mnuSitei, judged.menu.sitei ? QString() : toQt(mkd::refusalText(r, lang)));
    // Beyond the tool tip's sentence: why, and what to do instead.
    if (!judged.menu.sitei) {
        const QString whole = mnuSitei->toolTip() + QLatin1Char('\n') + toQt(mkd::text(mkd::Msg::MarineSeatWhy, lang));
        mnuSitei->setStatusTip(whole);
        mnuSitei->setWhatsThis(whole);
    }
}

void frmStart::cboHatu_Click() {
    noteStations();
    applyMenuRule(departure(), arrival());
}
void frmStart::cboTyaku_Click() {
    noteStations();
    applyMenuRule(arrival(), departure());
}

void frmStart::noteStations() {
    mkd::EnquiryRequest& request = flow.enquiry().request;
    request.departure = departure();
    request.arrival = arrival();
}

void frmStart::begin(mkd::Enquiry kind) {
    // A new enquiry from the start screen's pair: nothing of the last one
    // carries over.
    flow.startEnquiry(kind);
    noteStations();
    flow.enquiry().request.marineMenu = mkd::MarineMenu{mnuMarine->menuAction()->isEnabled(), mnuSitei->isEnabled()};
}

mkd::EnquiryState frmStart::enquiry(mkd::Enquiry kind) const {
    mkd::EnquiryRequest request;
    request.kind = kind;
    request.departure = departure();
    request.arrival = arrival();
    return {flow.tables(), request};
}

void frmStart::addWaysIn() {
    // Each kind's way in, as its row names it: an item of one of the menus
    // built before, or a button. Kinds that share one (the three
    // limited-express kinds: the seat is chosen on the section screen) are
    // led into the first of them. Buttons are made left to right, the order
    // a screen reader and Tab meet them in.
    std::vector<mkd::Enquiry> kinds(mkd::kEnquiries.begin(), mkd::kEnquiries.end());
    std::stable_sort(kinds.begin(), kinds.end(), [](mkd::Enquiry a, mkd::Enquiry b) {
        return kindScreens(a).entryPlace[0] < kindScreens(b).entryPlace[0];
    });
    for (mkd::Enquiry kind : kinds) {
        const KindScreens& row = kindScreens(kind);
        if (findChild<QObject*>(QLatin1String(row.entry))) continue;
        if (row.entryMenu) {
            auto* menu = findChild<QMenu*>(QLatin1String(row.entryMenu));
            if (!menu) continue;  // Kinds.EveryKindIsWhole finds it missing
            connect(addMenuItem(menu, row.entry, row.entryCaption), &QAction::triggered, this,
                    [this, kind] { enter(kind); });
        } else {
            const auto& [left, top, width, height] = row.entryPlace;
            connect(addButton(row.entry, row.entryCaption, twips(left, top, width, height)), &QPushButton::clicked,
                    this, [this, kind] { enter(kind); });
        }
    }
}

void frmStart::enter(mkd::Enquiry kind) {
    // Every way in, button or menu item, asks the core what refuses the
    // enquiry here; the steps its screens do not take follow at once.
    begin(kind);
    if (!flow.takeStep(mkd::Step::Entry)) return;
    const KindScreens& row = kindScreens(kind);
    if (row.section) {
        // The section screen reads its step's tables (the Marine Green
        // table) as it opens; its lists are then preset, or a local train
        // advised.
        auto* section = static_cast<SectionScreen*>(flow.loaded(row.section));
        if (!section || !section->preset(mkd::EnquiryState(flow.tables(), flow.enquiry().request))) return;
    }
    flow.follow(*this, row.entry);
}

void frmStart::cmdExit_Click() { flow.endProgram(0); }

void frmStart::mnuHenko_Click() {
    // A failed save keeps the old file whole (the core writes a temporary
    // file and only then replaces it); the user is told which file and why.
    const mkd::SaveResult saved = flow.tables().saveInitialSelection(departure(), arrival());
    if (saved.ok()) return;
    if (saved.problem == mkd::SaveProblem::TemporaryRemoved) {
        flow.message(toQt(mkd::text(mkd::Msg::SelectionSaveRaced, flow.language(), {shownPath(saved.path)})));
        return;
    }
    const std::string reason = saved.problem == mkd::SaveProblem::ReadOnlyFile
                                   ? std::string(mkd::text(mkd::Msg::ReasonReadOnlyFile, flow.language()))
                                   : mkd::reasonText(saved.error, flow.language());
    flow.message(toQt(mkd::text(mkd::Msg::SelectionNotSaved, flow.language(), {shownPath(saved.path), reason})));
}

bool frmStart::enterInList(QComboBox* list) {
    if (list == cboHatu) {
        cboTyaku->setFocus(Qt::TabFocusReason);
        return true;
    }
    if (list == cboTyaku && lastWay_->isEnabled()) {
        lastWay_->click();
        return true;
    }
    return false;
}

void frmStart::swapStations() {
    // As if the user chose the new departure and then the new arrival.
    const int oldDeparture = departure();
    const int oldArrival = arrival();
    if (oldDeparture < 0 || oldArrival < 0) return;
    StationFinder::choose(cboHatu, oldArrival);
    StationFinder::choose(cboTyaku, oldDeparture);
}

void frmStart::showHelp() {
    if (!help) help = new HelpWindow(this, [this] { return flow.language(); });
    help->show();
    help->raise();
    help->activateWindow();
}

void frmStart::showAbout() {
    const QString folder = QDir::toNativeSeparators(QDir::cleanPath(toQt(flow.tables().path(""))));
    flow.message(tr("みちくさダイヤ %1\n\n料金表のフォルダー：\n%2\n\n対応している乗車日：%3年〜%4年")
                     .arg(QStringLiteral(MKD_VERSION), folder)
                     .arg(mkd::kFirstListedYear)
                     .arg(mkd::kLastListedYear));
}

void frmStart::addToolsMenu() {
    mnuTools = addMenu("mnuTools", QT_TR_NOOP("ツール"));
    mnuCompare = addMenuItem(mnuTools, "mnuCompare", QT_TR_NOOP("料金の比較"));
    mnuCompare->setShortcut(shortcutKey(Shortcut::Compare));
    connect(mnuCompare, &QAction::triggered, this,
            [this] { CompareWindow::open(flow, CompareWindow::fromStart(flow)); });
    mnuCalendar = addMenuItem(mnuTools, "mnuCalendar", QT_TR_NOOP("季節カレンダー"));
    mnuCalendar->setShortcut(shortcutKey(Shortcut::SeasonCalendar));
    connect(mnuCalendar, &QAction::triggered, this, [this] { openSeasonCalendar(flow); });
}

void frmStart::addJourneyMenu() {
    // Its items have no object names: they are no part of the specified
    // screens, which scenarios and the random user reach by name.
    mnuJourneys = menuBar()->addMenu(QString());
    setWords(mnuJourneys, QT_TR_NOOP("記録"));
    QAction* list = mnuJourneys->addAction(QString());
    setWords(list, QT_TR_NOOP("交通費明細(&J)..."));
    list->setShortcut(shortcutKey(Shortcut::OpenJourneys));
    connect(list, &QAction::triggered, this, [this] {
        if (JourneyWindow* w = journeyWindow(flow)) w->open();
    });
    mnuJourneys->addSeparator();
    mnuRecent = mnuJourneys->addMenu(QString());
    setWords(mnuRecent, QT_TR_NOOP("最近の区間(&R)"));
    mnuFavourites = mnuJourneys->addMenu(QString());
    setWords(mnuFavourites, QT_TR_NOOP("お気に入り(&F)"));
    mnuKeep = mnuJourneys->addMenu(QString());
    setWords(mnuKeep, QT_TR_NOOP("お気に入りに登録(&A)"));
    mnuForget = mnuJourneys->addMenu(QString());
    setWords(mnuForget, QT_TR_NOOP("お気に入りから削除(&D)"));
    connect(mnuJourneys, &QMenu::aboutToShow, this, &frmStart::showJourneys);
}

QString frmStart::journeyWords(const mkd::RecentJourney& j) const {
    const mkd::Lang lang = flow.language();
    return toQt(
        mkd::stationWords(mkd::StationList::All, j.departure, lang) + " ⇒ " +
        mkd::stationWords(mkd::StationList::All, j.arrival, lang) + "  " + std::string(mkd::kindName(j.kind, lang)) +
        "  " + std::string(mkd::passengerName(j.passenger, lang)) + " " +
        std::string(mkd::text(j.trip == mkd::Trip::RoundTrip ? mkd::Msg::RoundTrip : mkd::Msg::OneWay, lang)) +
        (j.date ? "  " + mkd::dateText(j.date) : std::string()) +
        (j.routing == mkd::Routing::ChangeAtMatsuyama ? "  " + std::string(mkd::text(mkd::Msg::ChangeAtMatsuyama, lang))
                                                      : std::string()));
}

void frmStart::showJourneys() {
    // Written afresh each time the menu opens: 1 to 9 and 0 ask one again.
    const auto mnemonic = [](std::size_t i) { return QStringLiteral("&%1  ").arg((i + 1) % 10); };
    const auto escaped = [](QString name) { return name.replace(QLatin1Char('&'), QStringLiteral("&&")); };
    const std::vector<mkd::RecentJourney> recent = recentJourneys(flow);
    auto favourites = favouriteJourneys(flow);
    for (QMenu* m : {mnuRecent, mnuFavourites, mnuKeep, mnuForget}) m->clear();
    for (std::size_t i = 0; i < recent.size(); ++i) {
        const mkd::RecentJourney j = recent[i];
        connect(mnuRecent->addAction(mnemonic(i) + journeyWords(j)), &QAction::triggered, this,
                [this, j] { askAgain(flow, j); });
        connect(mnuKeep->addAction(mnemonic(i) + journeyWords(j)), &QAction::triggered, this,
                [this, j] { keepFavourite(this, flow, j, journeyWords(j)); });
    }
    for (std::size_t i = 0; i < favourites.size(); ++i) {
        const auto [name, j] = favourites[i];
        QAction* item = mnuFavourites->addAction(mnemonic(i) + escaped(name));
        item->setToolTip(journeyWords(j));
        connect(item, &QAction::triggered, this, [this, j = j] { askAgain(flow, j); });
        connect(mnuForget->addAction(mnemonic(i) + escaped(name)), &QAction::triggered, this,
                [this, name = name, j = j] { forgetFavourite(flow, name, j); });
    }
    mnuRecent->setEnabled(!recent.empty());
    mnuKeep->setEnabled(!recent.empty());
    mnuFavourites->setEnabled(!favourites.empty());
    mnuForget->setEnabled(!favourites.empty());
}
