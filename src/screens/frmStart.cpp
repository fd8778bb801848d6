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

#include "data/initial_selection.hpp"
#include "data/stations.hpp"
#include "pricing/enquiry.hpp"
#include "pricing/journey_rules.hpp"
#include "pricing/season.hpp"
#include "screens/HelpWindow.hpp"
#include "screens/ScreenFlow.hpp"
#include "screens/StationFinder.hpp"
#include "screens/WhyLine.hpp"
#include "screens/frmDate2.hpp"
#include "screens/frmKettei.hpp"
#include "screens/frmMSelect.hpp"
#include "screens/frmTSelect.hpp"
#include "screens/look.hpp"
#include "screens/station_labels.hpp"
#include "screens/text.hpp"
#include "words/enquiry_words.hpp"
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
    addLabel("lblSelect", QT_TR_NOOP("選択してください。"), twips(120, 225, 3135, 375), 15.75, Qt::AlignCenter);
    addLabel("lblHatu", QT_TR_NOOP("乗車駅"), twips(360, 720, 975, 255), 12, Qt::AlignCenter);
    addLabel("lblKousha", QT_TR_NOOP("降車駅"), twips(2040, 720, 975, 255), 12, Qt::AlignCenter);
    cboHatu = addList("cboHatu", twips(240, 1080, 1215, 300));
    addLabel("lblYajirusi", "⇒", twips(1440, 1080, 495, 255), 14.25, Qt::AlignCenter);
    cboTyaku = addList("cboTyaku", twips(1920, 1080, 1215, 300));
    cmdExpress = addButton("cmdExpress", QT_TR_NOOP("特急利用"), twips(120, 1680, 975, 375));
    cmdSlow = addButton("cmdSlow", QT_TR_NOOP("普通列車"), twips(1200, 1680, 975, 375));
    cmdExit = addButton("cmdExit", QT_TR_NOOP("終了"), twips(2280, 1680, 975, 375));
    // The long form of what the short English captions stand for.
    setWords(cmdExpress, QT_TR_NOOP("特急の運賃と料金を調べる"), Words::ToolTip);
    setWords(cmdSlow, QT_TR_NOOP("普通列車の運賃を調べる"), Words::ToolTip);
    setTabOrder(cboHatu, cboTyaku);
    setTabOrder(cboTyaku, cmdExpress);
    setTabOrder(cmdExpress, cmdSlow);
    setTabOrder(cmdSlow, cmdExit);
    captionOf("lblHatu", cboHatu);
    captionOf("lblKousha", cboTyaku);

    look::menuBar(menuBar());
    mnuShoki = addMenu("mnuShoki", QT_TR_NOOP("初期表示"));
    mnuHenko = addMenuItem(mnuShoki, "mnuHenko", QT_TR_NOOP("変更"));
    mnuMarine = addMenu("mnuMarine", QT_TR_NOOP("マリンライナー"));
    mnuSitei = addMenuItem(mnuMarine, "mnuSitei", QT_TR_NOOP("指定席"));
    mnuGreen = addMenuItem(mnuMarine, "mnuGreen", QT_TR_NOOP("グリーン車"));
    mnuMarine->menuAction()->setEnabled(false);
    // The Marine Liner menu and its items say why they are off (see
    // explainMarineMenu).
    auto* tips = new ActionTips(this);
    menuBar()->installEventFilter(tips);
    mnuMarine->installEventFilter(tips);

    connect(cboHatu, &QComboBox::activated, this, &frmStart::cboHatu_Click);
    connect(cboTyaku, &QComboBox::activated, this, &frmStart::cboTyaku_Click);
    connect(cmdSlow, &QPushButton::clicked, this, &frmStart::cmdSlow_Click);
    connect(cmdExpress, &QPushButton::clicked, this, &frmStart::cmdExpress_Click);
    lastWay_ = cmdSlow;
    connect(cmdSlow, &QPushButton::clicked, this, [this] { lastWay_ = cmdSlow; });
    connect(cmdExpress, &QPushButton::clicked, this, [this] { lastWay_ = cmdExpress; });
    connect(cmdExit, &QPushButton::clicked, this, &frmStart::cmdExit_Click);
    connect(mnuHenko, &QAction::triggered, this, &frmStart::mnuHenko_Click);
    connect(mnuSitei, &QAction::triggered, this, &frmStart::mnuSitei_Click);
    connect(mnuGreen, &QAction::triggered, this, &frmStart::mnuGreen_Click);

    // Typing a station's name, reading or Latin spelling into either list.
    new StationFinder(cboHatu, mkd::StationList::All, [this] { return flow.language(); });
    new StationFinder(cboTyaku, mkd::StationList::All, [this] { return flow.language(); });

    // The free space between the lists, below "⇒".
    cmdSwap = addButton("cmdSwap", "⇄", twips(1530, 1395, 315, 255));
    setWords(cmdSwap, QT_TR_NOOP("乗車駅と降車駅を入れ替える (Ctrl+Shift+S)"), Words::ToolTip);
    setWords(cmdSwap, QT_TR_NOOP("乗車駅と降車駅を入れ替える"), Words::AccessibleName);
    setTabOrder(cboTyaku, cmdSwap);
    setTabOrder(cmdSwap, cmdExpress);
    auto* swapKey = new QAction(this);
    swapKey->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    addAction(swapKey);
    connect(cmdSwap, &QPushButton::clicked, this, &frmStart::swapStations);
    connect(swapKey, &QAction::triggered, this, &frmStart::swapStations);

    // The arrow keys reach the Marine menu and its 指定席 also when they are
    // off (ProgramStyle); the line below the buttons then says why.
    whyOff = new WhyLine(client);
    const auto explainHighlighted = [this](QAction* action) {
        whyOff->say(action && !action->isEnabled() ? action->statusTip() : QString());
    };
    new HighlightedWhy(menuBar(), whyOff);
    connect(mnuMarine, &QMenu::hovered, this, explainHighlighted);
    connect(mnuMarine, &QMenu::aboutToHide, whyOff, [line = whyOff] { line->say({}); });

    mnuHelp = addMenu("mnuHelp", QT_TR_NOOP("ヘルプ"));
    mnuUsage = addMenuItem(mnuHelp, "mnuUsage", QT_TR_NOOP("使い方"));
    mnuUsage->setShortcut(QKeySequence(Qt::Key_F1));
    mnuAbout = addMenuItem(mnuHelp, "mnuAbout", QT_TR_NOOP("バージョン情報"));
    connect(mnuUsage, &QAction::triggered, this, &frmStart::showHelp);
    connect(mnuAbout, &QAction::triggered, this, &frmStart::showAbout);

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
        flow.message(qs(mkd::text(mkd::Msg::SelectionUnreadable, lang,
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
        menuWhy = qs(mkd::refusalText(r, lang));
    } else if (const auto advised = enquiry(mkd::Enquiry::MarineGreen).check(mkd::Step::Preset)) {
        menuWhy = qs(mkd::refusalReason(*advised, lang));
    } else if (const auto p = enquiry(mkd::Enquiry::MarineGreen).preset()) {
        menuWhy = qs(mkd::text(mkd::Msg::MarineServes, lang,
                               {mkd::stationWords(mkd::StationList::Marine, p->section.from, lang),
                                mkd::stationWords(mkd::StationList::Marine, p->section.to, lang)}));
    }
    say(mnuMarine->menuAction(), menuWhy);
    mnuMarine->setAccessibleDescription(menuWhy);
    r.refusal = mkd::Refusal::MarineSeatNotOffered;
    say(mnuSitei, judged.menu.sitei ? QString() : qs(mkd::refusalText(r, lang)));
    // Beyond the tool tip's sentence: why, and what to do instead.
    if (!judged.menu.sitei) {
        const QString whole = mnuSitei->toolTip() + QLatin1Char('\n') + qs(mkd::text(mkd::Msg::MarineSeatWhy, lang));
        mnuSitei->setStatusTip(whole);
        mnuSitei->setWhatsThis(whole);
    }
}

void frmStart::cboHatu_Click() { applyMenuRule(departure(), arrival()); }
void frmStart::cboTyaku_Click() { applyMenuRule(arrival(), departure()); }

mkd::EnquiryState frmStart::enquiry(mkd::Enquiry kind) const {
    mkd::EnquiryRequest request;
    request.kind = kind;
    request.departure = departure();
    request.arrival = arrival();
    return {flow.tables(), request};
}

bool frmStart::refused(const mkd::EnquiryState& enquiry) {
    const auto refusal = enquiry.check(mkd::Step::Entry);
    if (refusal) flow.message(qs(mkd::refusalText(*refusal, flow.language())));
    return refusal.has_value();
}

void frmStart::cmdSlow_Click() {
    if (refused(enquiry(mkd::Enquiry::Local))) return;
    hide();
    if (auto* next = flow.touch<frmKettei>()) next->show();
}

void frmStart::cmdExpress_Click() {
    // The three express kinds share their way in; the seat is chosen later.
    const mkd::EnquiryState express = enquiry(mkd::Enquiry::NonReserved);
    if (refused(express)) return;
    auto* section = flow.touch<frmTSelect>();
    if (!section) return;
    if (!section->preset(mkd::StationList::Express, express)) return;
    hide();
    section->show();
}

void frmStart::cmdExit_Click() { flow.endProgram(0); }

void frmStart::mnuHenko_Click() {
    // A failed save keeps the old file whole (the core writes a temporary
    // file and only then replaces it); the user is told which file and why.
    const mkd::SaveResult saved = flow.tables().saveInitialSelection(departure(), arrival());
    if (saved.ok()) return;
    const std::string reason = saved.problem == mkd::SaveProblem::ReadOnlyFile
                                   ? std::string(mkd::text(mkd::Msg::ReasonReadOnlyFile, flow.language()))
                                   : mkd::reasonText(saved.error, flow.language());
    flow.message(qs(mkd::text(mkd::Msg::SelectionNotSaved, flow.language(), {shownPath(saved.path), reason})));
}

void frmStart::mnuSitei_Click() {
    hide();
    if (auto* date = flow.touch<frmDate2>()) date->show();
}

void frmStart::mnuGreen_Click() {
    // Creating the section screen loads the Marine Green table.
    auto* section = flow.touch<frmMSelect>();
    if (!section) return;
    if (!section->preset(mkd::StationList::Marine, enquiry(mkd::Enquiry::MarineGreen))) return;
    hide();
    section->show();
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
    const QString folder = QDir::toNativeSeparators(QDir::cleanPath(qs(flow.tables().path(""))));
    flow.message(tr("みちくさダイヤ %1\n\n料金表のフォルダー：\n%2\n\n対応している乗車日：%3年〜%4年")
                     .arg(QStringLiteral(MKD_VERSION), folder)
                     .arg(mkd::kFirstListedYear)
                     .arg(mkd::kLastListedYear));
}
