#include "screens/frmStart.hpp"

#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

#include "data/initial_selection.hpp"
#include "data/stations.hpp"
#include "pricing/enquiry.hpp"
#include "pricing/journey_rules.hpp"
#include "pricing/sections.hpp"
#include "screens/ScreenFlow.hpp"
#include "screens/frmDate2.hpp"
#include "screens/frmKettei.hpp"
#include "screens/frmMSelect.hpp"
#include "screens/frmTSelect.hpp"
#include "screens/look.hpp"
#include "screens/station_labels.hpp"
#include "screens/text.hpp"

frmStart::frmStart(ScreenFlow& f) : Screen(f, kName, QStringLiteral("乗車区間"), 3390, 2310) {
    addLabel("lblSelect", QStringLiteral("選択してください。"), twips(120, 225, 3135, 375), 15.75, Qt::AlignCenter);
    addLabel("lblHatu", QStringLiteral("乗車駅"), twips(360, 720, 975, 255), 12, Qt::AlignCenter);
    addLabel("lblKousha", QStringLiteral("降車駅"), twips(2040, 720, 975, 255), 12, Qt::AlignCenter);
    cboHatu = addList("cboHatu", twips(240, 1080, 1215, 300));
    addLabel("lblYajirusi", QStringLiteral("⇒"), twips(1440, 1080, 495, 255), 14.25, Qt::AlignCenter);
    cboTyaku = addList("cboTyaku", twips(1920, 1080, 1215, 300));
    cmdExpress = addButton("cmdExpress", QStringLiteral("特急利用"), twips(120, 1680, 975, 375));
    cmdSlow = addButton("cmdSlow", QStringLiteral("普通列車"), twips(1200, 1680, 975, 375));
    cmdExit = addButton("cmdExit", QStringLiteral("終了"), twips(2280, 1680, 975, 375));
    setTabOrder(cboHatu, cboTyaku);
    setTabOrder(cboTyaku, cmdExpress);
    setTabOrder(cmdExpress, cmdSlow);
    setTabOrder(cmdSlow, cmdExit);
    captionOf("lblHatu", cboHatu);
    captionOf("lblKousha", cboTyaku);

    QMenuBar* bar = menuBar();
    look::menuBar(bar);
    mnuShoki = bar->addMenu(QStringLiteral("初期表示"));
    mnuShoki->setObjectName(QStringLiteral("mnuShoki"));
    mnuHenko = mnuShoki->addAction(QStringLiteral("変更"));
    mnuHenko->setObjectName(QStringLiteral("mnuHenko"));
    mnuMarine = bar->addMenu(QStringLiteral("マリンライナー"));
    mnuMarine->setObjectName(QStringLiteral("mnuMarine"));
    mnuSitei = mnuMarine->addAction(QStringLiteral("指定席"));
    mnuSitei->setObjectName(QStringLiteral("mnuSitei"));
    mnuGreen = mnuMarine->addAction(QStringLiteral("グリーン車"));
    mnuGreen->setObjectName(QStringLiteral("mnuGreen"));
    mnuMarine->menuAction()->setEnabled(false);

    connect(cboHatu, &QComboBox::activated, this, &frmStart::cboHatu_Click);
    connect(cboTyaku, &QComboBox::activated, this, &frmStart::cboTyaku_Click);
    connect(cmdSlow, &QPushButton::clicked, this, &frmStart::cmdSlow_Click);
    connect(cmdExpress, &QPushButton::clicked, this, &frmStart::cmdExpress_Click);
    connect(cmdExit, &QPushButton::clicked, this, &frmStart::cmdExit_Click);
    connect(mnuHenko, &QAction::triggered, this, &frmStart::mnuHenko_Click);
    connect(mnuSitei, &QAction::triggered, this, &frmStart::mnuSitei_Click);
    connect(mnuGreen, &QAction::triggered, this, &frmStart::mnuGreen_Click);
}

int frmStart::departure() const { return cboHatu->currentIndex(); }
int frmStart::arrival() const { return cboTyaku->currentIndex(); }

void frmStart::Form_Load() {
    // The start-up sequence: both lists, the stored pair, the menu, the four
    // tables every journey needs.
    const QStringList names = stationNames(mkd::StationList::All);
    cboHatu->addItems(names);
    cboTyaku->addItems(names);

    auto& tables = flow.tables();
    const mkd::LoadResult stored = tables.loadInitialSelection();
    int hatu = mkd::kDefaultPair.departure;
    int tyaku = mkd::kDefaultPair.arrival;
    if (stored.ok()) {
        hatu = mkd::selectionPosition(tables.initialCell(0), mkd::kDefaultPair.departure);
        tyaku = mkd::selectionPosition(tables.initialCell(1), mkd::kDefaultPair.arrival);
    } else if (stored.error != mkd::LoadError::CannotOpen) {
        // A missing file only means nothing was stored yet; a damaged one is
        // reported like any other table file.
        flow.fatal(QString::fromStdString(mkd::describeLoadError(stored, tables.lastPath(), 2)));
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

void frmStart::applyMenuRule(int key, int partner) {
    const mkd::MarineMenu now{mnuMarine->menuAction()->isEnabled(), mnuSitei->isEnabled()};
    const mkd::MarineMenu next = mkd::applyMenuRule(now, key, partner);
    mnuMarine->menuAction()->setEnabled(next.marine);
    mnuSitei->setEnabled(next.sitei);
}

void frmStart::cboHatu_Click() { applyMenuRule(departure(), arrival()); }
void frmStart::cboTyaku_Click() { applyMenuRule(arrival(), departure()); }

void frmStart::cmdSlow_Click() {
    if (mkd::sameStation(departure(), arrival())) {
        flow.message(qs(mkd::kSameStationMessage));
        return;
    }
    hide();
    if (auto* next = flow.touch<frmKettei>()) next->show();
}

void frmStart::cmdExpress_Click() {
    if (mkd::sameStation(departure(), arrival())) {
        flow.message(qs(mkd::kSameStationMessage));
        return;
    }
    auto* section = flow.touch<frmTSelect>();
    if (!section) return;
    if (!section->preset(mkd::StationList::Express, mkd::presetExpressSection(departure(), arrival()))) return;
    hide();
    section->show();
}

void frmStart::cmdExit_Click() { flow.endProgram(0); }

void frmStart::mnuHenko_Click() {
    // A failed save keeps the old file whole (the core writes a temporary
    // file and only then replaces it); the user is told, in words that do
    // not depend on where the program happens to be installed.
    const std::string problem = flow.tables().saveInitialSelection(departure(), arrival());
    if (!problem.empty())
        flow.message(
            QStringLiteral("初期表示を保存できませんでした。Untin フォルダーに書き込めるか確かめてください。"
                           "前の設定はそのままです。"));
}

void frmStart::mnuSitei_Click() {
    hide();
    if (auto* date = flow.touch<frmDate2>()) date->show();
}

void frmStart::mnuGreen_Click() {
    // Creating the section screen loads the Marine Green table.
    auto* section = flow.touch<frmMSelect>();
    if (!section) return;
    if (!section->preset(mkd::StationList::Marine, mkd::presetMarineSection(departure(), arrival()))) return;
    hide();
    section->show();
}
