#include "screens/frmKekkaT.hpp"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "screens/ScreenFlow.hpp"
#include "screens/frmDate.hpp"
#include "screens/frmDate2.hpp"
#include "screens/frmKetteiGreen.hpp"
#include "screens/frmKetteiJiyu.hpp"
#include "screens/frmKetteiMG.hpp"
#include "screens/frmKetteiMarine.hpp"
#include "screens/frmKetteiSitei.hpp"
#include "screens/frmMSelect.hpp"
#include "screens/frmStart.hpp"
#include "screens/frmTSelect.hpp"
#include "screens/station_labels.hpp"

frmKekkaT::frmKekkaT(ScreenFlow& f) : Screen(f, kName, QT_TR_NOOP("運賃・特急料金"), 4110, 4740) {
    const auto left = Qt::AlignLeft | Qt::AlignVCenter;
    const auto right = Qt::AlignRight | Qt::AlignVCenter;
    addLabel("lblKekka", QT_TR_NOOP("検索結果"), twips(360, 0, 1335, 375), 14.25, Qt::AlignCenter);
    lblBill = addLabel("lblBill", nullptr, twips(1800, 0, 2055, 375), 14.25, left);
    addLabel("lblUntin", QT_TR_NOOP("運賃"), twips(360, 480, 855, 375), 14.25, left);
    lblHatu = addLabel("lblHatu", nullptr, twips(240, 840, 1575, 375), 14.25, Qt::AlignCenter);
    addLabel("lblYajirusi", "⇒", twips(1800, 870, 495, 255), 14.25, Qt::AlignCenter);
    lbltyaku = addLabel("lbltyaku", nullptr, twips(2280, 840, 1575, 375), 14.25, Qt::AlignCenter);
    lblYen = addLabel("lblYen", nullptr, twips(1320, 1320, 1335, 375), 14.25, right);
    lblBillT = addLabel("lblBillT", nullptr, twips(240, 1800, 3375, 375), 14.25, left);
    lblHatuT = addLabel("lblHatuT", nullptr, twips(240, 2160, 1575, 375), 14.25, Qt::AlignCenter);
    addLabel("lblYajirusiT", "⇒", twips(1800, 2190, 495, 255), 14.25, Qt::AlignCenter);
    lblTyakuT = addLabel("lblTyakuT", nullptr, twips(2280, 2160, 1575, 375), 14.25, Qt::AlignCenter);
    lblYenT = addLabel("lblYenT", nullptr, twips(1320, 2640, 1335, 375), 14.25, right);
    addLabel("lblTotal", QT_TR_NOOP("合計"), twips(360, 3000, 855, 375), 14.25, left);
    lblGoukei = addLabel("lblGoukei", nullptr, twips(1320, 3360, 1335, 375), 14.25, right);
    cmdExit = addButton("cmdExit", QT_TR_NOOP("終了"), twips(240, 4200, 975, 375));
    cmdBack = addButton("cmdBack", QT_TR_NOOP("戻る"), twips(1560, 4200, 975, 375));
    cmdRetry = addButton("cmdRetry", QT_TR_NOOP("再検索"), twips(2880, 4200, 975, 375));
    setWords(cmdRetry, QT_TR_NOOP("最初の画面に戻って、次の区間を調べる"), Words::ToolTip);
    // The branch markers record which choice screen opened the result; the
    // user never sees them.
    optMarine = addOption("optMarine", "マリン", twips(2880, 2280, 1095, 255));
    optMarineG = addOption("optMarineG", "マリンG", twips(2880, 2640, 1095, 255));
    optJiyu = addOption("optJiyu", "自由席", twips(2880, 3000, 1095, 255));
    optSitei = addOption("optSitei", "指定席", twips(2880, 3360, 1095, 255));
    optGreen = addOption("optGreen", "グリーン", twips(2880, 3720, 1095, 255));
    for (QRadioButton* marker : {optMarine, optMarineG, optJiyu, optSitei, optGreen}) marker->hide();

    connect(cmdExit, &QPushButton::clicked, this, &frmKekkaT::cmdExit_Click);
    connect(cmdBack, &QPushButton::clicked, this, &frmKekkaT::cmdBack_Click);
    connect(cmdRetry, &QPushButton::clicked, this, &frmKekkaT::cmdRetry_Click);
}

void frmKekkaT::Form_Load() { showStations(); }

void frmKekkaT::showStations() {
    // The Marine section comes last: when one is selected, it is what the
    // charge line shows.
    const mkd::Lang lang = flow.language();
    auto* start = flow.find<frmStart>();
    if (start) {
        setStationLabel(lblHatu, mkd::StationList::All, start->departure(), lang);
        setStationLabel(lbltyaku, mkd::StationList::All, start->arrival(), lang);
    }
    if (auto* express = flow.find<frmTSelect>()) {
        setStationLabel(lblHatuT, mkd::StationList::Express, express->cboHatu->currentIndex(), lang);
        setStationLabel(lblTyakuT, mkd::StationList::Express, express->cboTyaku->currentIndex(), lang);
    }
    if (auto* marine = flow.find<frmMSelect>()) {
        setStationLabel(lblHatuT, mkd::StationList::Marine, marine->cboHatu->currentIndex(), lang);
        setStationLabel(lblTyakuT, mkd::StationList::Marine, marine->cboTyaku->currentIndex(), lang);
    }
}

void frmKekkaT::languageChanged() { showStations(); }

template <class Choice>
void frmKekkaT::backTo() {
    flow.unload(*this);
    if (auto* choice = flow.touch<Choice>()) choice->show();
}

template <class... Screens>
void frmKekkaT::discardBranch() {
    flow.unload(*this);
    (flow.unload<Screens>(), ...);
}

void frmKekkaT::cmdBack_Click() {
    if (optJiyu->isChecked())
        backTo<frmKetteiJiyu>();
    else if (optGreen->isChecked())
        backTo<frmKetteiGreen>();
    else if (optSitei->isChecked())
        backTo<frmKetteiSitei>();
    else if (optMarine->isChecked())
        backTo<frmKetteiMarine>();
    else if (optMarineG->isChecked())
        backTo<frmKetteiMG>();
}

void frmKekkaT::cmdRetry_Click() {
    // Every screen of the finished enquiry goes, so the next one starts afresh.
    if (optJiyu->isChecked())
        discardBranch<frmKetteiJiyu, frmTSelect>();
    else if (optGreen->isChecked())
        discardBranch<frmKetteiGreen, frmTSelect>();
    else if (optSitei->isChecked())
        discardBranch<frmDate, frmKetteiSitei, frmTSelect>();
    else if (optMarine->isChecked())
        discardBranch<frmDate2, frmKetteiMarine>();
    else if (optMarineG->isChecked())
        discardBranch<frmKetteiMG, frmMSelect>();
    if (auto* start = flow.touch<frmStart>()) start->show();
}

void frmKekkaT::cmdExit_Click() { flow.endProgram(0); }
