#include "screens/frmKekkaT.hpp"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "screens/Branch.hpp"
#include "screens/ChoiceScreen.hpp"
#include "screens/ScreenFlow.hpp"
#include "screens/frmMSelect.hpp"
#include "screens/frmStart.hpp"
#include "screens/frmTSelect.hpp"
#include "screens/look.hpp"
#include "screens/station_labels.hpp"
#include "screens/text.hpp"
#include "words/words.hpp"

frmKekkaT::frmKekkaT(ScreenFlow& f) : Screen(f, kName, QStringLiteral("運賃・特急料金"), 4110, 5250) {
    const auto left = Qt::AlignLeft | Qt::AlignVCenter;
    const auto right = Qt::AlignRight | Qt::AlignVCenter;
    addLabel("lblKekka", QStringLiteral("検索結果"), twips(360, 0, 1335, 375), 14.25, Qt::AlignCenter);
    lblBill = addLabel("lblBill", QString(), twips(1800, 0, 2055, 375), 14.25, left);
    addLabel("lblUntin", QStringLiteral("運賃"), twips(360, 480, 855, 375), 14.25, left);
    lblHatu = addLabel("lblHatu", QString(), twips(240, 840, 1575, 375), 14.25, Qt::AlignCenter);
    addLabel("lblYajirusi", QStringLiteral("⇒"), twips(1800, 870, 495, 255), 14.25, Qt::AlignCenter);
    lbltyaku = addLabel("lbltyaku", QString(), twips(2280, 840, 1575, 375), 14.25, Qt::AlignCenter);
    lblYen = addLabel("lblYen", QString(), twips(1320, 1320, 1335, 375), 14.25, right);
    lblBillT = addLabel("lblBillT", QString(), twips(240, 1800, 3375, 375), 14.25, left);
    lblHatuT = addLabel("lblHatuT", QString(), twips(240, 2160, 1575, 375), 14.25, Qt::AlignCenter);
    addLabel("lblYajirusiT", QStringLiteral("⇒"), twips(1800, 2190, 495, 255), 14.25, Qt::AlignCenter);
    lblTyakuT = addLabel("lblTyakuT", QString(), twips(2280, 2160, 1575, 375), 14.25, Qt::AlignCenter);
    lblYenT = addLabel("lblYenT", QString(), twips(1320, 2640, 1335, 375), 14.25, right);
    addLabel("lblTotal", QStringLiteral("合計"), twips(360, 3000, 855, 375), 14.25, left);
    lblGoukei = addLabel("lblGoukei", QString(), twips(1320, 3360, 1335, 375), 14.25, right);
    // Not one of the screen's own labels: the room between the total and the
    // buttons, for what the user must know about the tables behind the price.
    lblNote = addLabel("lblNote", QString(), twips(240, 3735, 3630, 450), 9, Qt::AlignLeft | Qt::AlignVCenter);
    lblNote->setWordWrap(true);
    look::notice(lblNote);
    lblNote->hide();
    // The room above the buttons is the short-table note's, so the window
    // grows by the line that explains the amounts.
    lblDetail = addLabel("lblDetail", QString(), twips(240, 4680, 3630, 450), 9, Qt::AlignLeft | Qt::AlignTop);
    lblDetail->setWordWrap(true);
    cmdExit = addButton("cmdExit", QStringLiteral("終了"), twips(240, 4200, 975, 375));
    cmdBack = addButton("cmdBack", QStringLiteral("戻る"), twips(1560, 4200, 975, 375));
    cmdRetry = addButton("cmdRetry", QStringLiteral("再検索"), twips(2880, 4200, 975, 375));
    // The branch markers record which choice screen opened the result; the
    // user never sees them. Being options of one group, at most one is set.
    for (const Branch& branch : resultBranches()) {
        QRadioButton* marker =
            addOption(branch.marker, QString::fromUtf8(branch.markerCaption), twips(2880, branch.markerTop, 1095, 255));
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
}

void frmKekkaT::Form_Load() {
    // The Marine section comes last: when one is selected, it is what the
    // charge line shows.
    auto* start = flow.find<frmStart>();
    if (start) {
        setStationLabel(lblHatu, mkd::StationList::All, start->departure());
        setStationLabel(lbltyaku, mkd::StationList::All, start->arrival());
    }
    if (auto* express = flow.find<frmTSelect>()) {
        setStationLabel(lblHatuT, mkd::StationList::Express, express->cboHatu->currentIndex());
        setStationLabel(lblTyakuT, mkd::StationList::Express, express->cboTyaku->currentIndex());
    }
    if (auto* marine = flow.find<frmMSelect>()) {
        setStationLabel(lblHatuT, mkd::StationList::Marine, marine->cboHatu->currentIndex());
        setStationLabel(lblTyakuT, mkd::StationList::Marine, marine->cboTyaku->currentIndex());
    }
}

QRadioButton* frmKekkaT::marker(mkd::Enquiry kind) const {
    for (const auto& [k, marker] : markers_)
        if (k == kind) return marker;
    return nullptr;
}

void frmKekkaT::showShortTables(const std::vector<mkd::ShortTable>& tables) {
    QStringList lines;
    for (const mkd::ShortTable& t : tables)
        lines << qs(
            mkd::text(mkd::Msg::ShortTable, mkd::Lang::Japanese,
                      {mkd::tableFileInfo(t.file).name, std::to_string(t.records), std::to_string(t.expected)}));
    lblNote->setText(lines.join(QLatin1Char('\n')));
    lblNote->setToolTip(lines.isEmpty() ? QString() : qs(mkd::text(mkd::Msg::ShortTableHint, mkd::Lang::Japanese)));
    lblNote->setVisible(!lines.isEmpty());
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
