#include "screens/frmKekkaT.hpp"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "screens/AnswerOut.hpp"
#include "screens/Branch.hpp"
#include "screens/ChoiceScreen.hpp"
#include "screens/ScreenFlow.hpp"
#include "screens/frmMSelect.hpp"
#include "screens/frmStart.hpp"
#include "screens/frmTSelect.hpp"
#include "screens/look.hpp"
#include "screens/station_labels.hpp"
#include "screens/text.hpp"
#include "words/money.hpp"
#include "words/words.hpp"

frmKekkaT::frmKekkaT(ScreenFlow& f) : Screen(f, kName, QT_TR_NOOP("運賃・特急料金"), 4110, 5250) {
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
    // Not one of the screen's own labels: the room between the total and the
    // buttons, for what the user must know about the tables behind the price.
    lblNote = addLabel("lblNote", nullptr, twips(240, 3735, 3630, 450), 9, Qt::AlignLeft | Qt::AlignVCenter);
    lblNote->setWordWrap(true);
    look::notice(lblNote);
    lblNote->hide();
    // The room above the buttons is the short-table note's, so the window
    // grows by the line that explains the amounts.
    lblDetail = addLabel("lblDetail", nullptr, twips(240, 4680, 3630, 450), 9, Qt::AlignLeft | Qt::AlignTop);
    lblDetail->setWordWrap(true);
    cmdExit = addButton("cmdExit", QT_TR_NOOP("終了"), twips(240, 4200, 975, 375));
    cmdBack = addButton("cmdBack", QT_TR_NOOP("戻る"), twips(1560, 4200, 975, 375));
    cmdRetry = addButton("cmdRetry", QT_TR_NOOP("再検索"), twips(2880, 4200, 975, 375));
    setWords(cmdRetry, QT_TR_NOOP("最初の画面に戻って、次の区間を調べる"), Words::ToolTip);
    // The branch markers record which choice screen opened the result; the
    // user never sees them. Being options of one group, at most one is set.
    for (const Branch& branch : resultBranches()) {
        QRadioButton* marker = addOption(branch.marker, branch.markerCaption, twips(2880, branch.markerTop, 1095, 255));
        marker->hide();
        markers_.emplace_back(branch.kind, marker);
    }
    captionOf("lblUntin", lblYen);
    captionOf("lblBillT", lblYenT);
    captionOf("lblTotal", lblGoukei);
    // A key pressed at once on a result asks for a new search, never the end.
    cmdRetry->setFocus();

    connect(cmdExit, &QPushButton::clicked, this, &frmKekkaT::cmdExit_Click);
    connect(cmdBack, &QPushButton::clicked, this, &frmKekkaT::cmdBack_Click);
    connect(cmdRetry, &QPushButton::clicked, this, &frmKekkaT::cmdRetry_Click);
    addAnswerOut();
}

void frmKekkaT::addAnswerOut() { new AnswerOut(*this, flow); }

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

QRadioButton* frmKekkaT::marker(mkd::Enquiry kind) const {
    for (const auto& [k, marker] : markers_)
        if (k == kind) return marker;
    return nullptr;
}

void frmKekkaT::languageChanged() {
    showStations();
    writeAnswer();
}

void frmKekkaT::showAnswer(const ShownAnswer& shown) {
    answer_ = shown;
    writeAnswer();
}

void frmKekkaT::showCaption(mkd::Msg caption) {
    caption_ = caption;
    writeAnswer();
}

void frmKekkaT::writeAnswer() {
    const mkd::Lang lang = flow.language();
    if (caption_) lblBillT->setText(qs(mkd::text(*caption_, lang)));
    if (!answer_) return;
    const mkd::EnquiryAnswer& a = answer_->answer;
    lblYen->setText(qs(mkd::formatMoney(a.fare, lang)));
    lblBill->setText(qs(mkd::text(a.bill, lang)));
    lblYenT->setText(qs(mkd::formatMoney(a.charge, lang)));
    lblGoukei->setText(qs(mkd::formatMoney(a.total, lang)));
    const QString note = shortTablesLines(a.shortTables, lang);
    lblNote->setText(note);
    lblNote->setToolTip(note.isEmpty() ? QString() : qs(mkd::text(mkd::Msg::ShortTableHint, lang)));
    lblNote->setVisible(!note.isEmpty());
    lblDetail->setText(detailLine(*answer_, lang));
}

void frmKekkaT::cmdBack_Click() {
    for (const Branch& branch : resultBranches()) {
        if (!marker(branch.kind)->isChecked()) continue;
        flow.unload(*this);
        if (auto* choice = branch.choice(flow)) choice->show();
        return;
    }
}

void frmKekkaT::cmdRetry_Click() {
    // Every screen of the finished enquiry goes, so the next one starts afresh.
    for (const Branch& branch : resultBranches()) {
        if (!marker(branch.kind)->isChecked()) continue;
        flow.unload(*this);
        branch.discard(flow);
        break;
    }
    if (auto* start = flow.touch<frmStart>()) start->show();
}

void frmKekkaT::cmdExit_Click() { flow.endProgram(0); }
