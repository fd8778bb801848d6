#include "screens/frmKekkaT.hpp"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>

#include "screens/KindScreens.hpp"
#include "screens/ScreenFlow.hpp"
#include "screens/look.hpp"
#include "screens/station_labels.hpp"
#include "screens/text.hpp"
#include "words/money.hpp"
#include "words/words.hpp"

frmKekkaT::frmKekkaT(ScreenFlow& f) : ResultScreen(f, kName, QT_TR_NOOP("運賃・特急料金"), 4110, 5250) {
    const auto left = Qt::AlignLeft | Qt::AlignVCenter;
    const auto right = Qt::AlignRight | Qt::AlignVCenter;
    addControls({
        {ControlRow::Label, "lblKekka", QT_TR_NOOP("検索結果"), 360, 0, 1335, 375, 14.25, Qt::AlignCenter},
        {ControlRow::Label, "lblBill", nullptr, 1800, 0, 2055, 375, 14.25, left},
        {ControlRow::Label, "lblUntin", QT_TR_NOOP("運賃"), 360, 480, 855, 375, 14.25, left},
        {ControlRow::Label, "lblHatu", nullptr, 240, 840, 1575, 375, 14.25, Qt::AlignCenter},
        {ControlRow::Label, "lblYajirusi", "⇒", 1800, 870, 495, 255, 14.25, Qt::AlignCenter},
        {ControlRow::Label, "lbltyaku", nullptr, 2280, 840, 1575, 375, 14.25, Qt::AlignCenter},
        {ControlRow::Label, "lblYen", nullptr, 1320, 1320, 1335, 375, 14.25, right},
        {ControlRow::Label, "lblBillT", nullptr, 240, 1800, 3375, 375, 14.25, left},
        {ControlRow::Label, "lblHatuT", nullptr, 240, 2160, 1575, 375, 14.25, Qt::AlignCenter},
        {ControlRow::Label, "lblYajirusiT", "⇒", 1800, 2190, 495, 255, 14.25, Qt::AlignCenter},
        {ControlRow::Label, "lblTyakuT", nullptr, 2280, 2160, 1575, 375, 14.25, Qt::AlignCenter},
        {ControlRow::Label, "lblYenT", nullptr, 1320, 2640, 1335, 375, 14.25, right},
        {ControlRow::Label, "lblTotal", QT_TR_NOOP("合計"), 360, 3000, 855, 375, 14.25, left},
        {ControlRow::Label, "lblGoukei", nullptr, 1320, 3360, 1335, 375, 14.25, right},
        // Not the screen's own labels: the room between the total and the
        // buttons, for what the user must know about the tables behind the
        // price; and below the buttons (the window grows by it) the line
        // that explains the amounts.
        {ControlRow::Label, "lblNote", nullptr, 240, 3735, 3630, 450, 9, left},
        {ControlRow::Label, "lblDetail", nullptr, 240, 4680, 3630, 450, 9, Qt::AlignLeft | Qt::AlignTop},
        {ControlRow::Button, "cmdExit", QT_TR_NOOP("終了"), 240, 4200, 975, 375},
        {ControlRow::Button, "cmdBack", QT_TR_NOOP("戻る"), 1560, 4200, 975, 375},
        {ControlRow::Button, "cmdRetry", QT_TR_NOOP("再検索"), 2880, 4200, 975, 375},
    });
    lblBill = control<QLabel>("lblBill");
    lblHatu = control<QLabel>("lblHatu");
    lbltyaku = control<QLabel>("lbltyaku");
    lblYen = control<QLabel>("lblYen");
    lblBillT = control<QLabel>("lblBillT");
    lblHatuT = control<QLabel>("lblHatuT");
    lblTyakuT = control<QLabel>("lblTyakuT");
    lblYenT = control<QLabel>("lblYenT");
    lblGoukei = control<QLabel>("lblGoukei");
    lblNote = control<QLabel>("lblNote");
    lblDetail = control<QLabel>("lblDetail");
    lblNote->setWordWrap(true);
    look::notice(lblNote);
    lblNote->hide();
    lblDetail->setWordWrap(true);
    // The branch markers record which choice screen opened the result; the
    // user never sees them. Being options of one group, at most one is set.
    std::vector<const KindScreens*> rows;
    for (mkd::Enquiry kind : mkd::kEnquiries)
        if (kindScreens(kind).marker) rows.push_back(&kindScreens(kind));
    std::sort(rows.begin(), rows.end(), [](auto* a, auto* b) { return a->markerTop < b->markerTop; });
    for (const KindScreens* row : rows) {
        QRadioButton* marker = addOption(row->marker, row->markerCaption, twips(2880, row->markerTop, 1095, 255));
        marker->hide();
        markers_.emplace_back(row->kind, marker);
    }
    captionOf("lblUntin", lblYen);
    captionOf("lblBillT", lblYenT);
    captionOf("lblTotal", lblGoukei);
    finishResult();
}

void frmKekkaT::showEnquiry() {
    ResultScreen::showEnquiry();
    // The hidden marker of the kind shown, set from the enquiry.
    if (const auto kind = shownKind())
        if (QRadioButton* m = marker(*kind)) m->setChecked(true);
}

void frmKekkaT::showStations() {
    // The journey, and on the charge line the section it is charged for
    // (none where the charge names no stations).
    if (!answer_) return;
    const mkd::Lang lang = flow.language();
    const mkd::EnquiryAnswer& a = answer_->answer;
    setStationLabel(lblHatu, mkd::StationList::All, a.departure, lang);
    setStationLabel(lbltyaku, mkd::StationList::All, a.arrival, lang);
    if (!a.sectionList) return;
    setStationLabel(lblHatuT, *a.sectionList, a.section.from, lang);
    setStationLabel(lblTyakuT, *a.sectionList, a.section.to, lang);
}

QRadioButton* frmKekkaT::marker(mkd::Enquiry kind) const {
    for (const auto& [k, marker] : markers_)
        if (k == kind) return marker;
    return nullptr;
}

void frmKekkaT::showCaption(mkd::Msg caption) {
    caption_ = caption;
    writeAnswer();
}

void frmKekkaT::writeAnswer() {
    const mkd::Lang lang = flow.language();
    if (caption_) lblBillT->setText(toQt(mkd::text(*caption_, lang)));
    if (!answer_) return;
    showStations();
    const mkd::EnquiryAnswer& a = answer_->answer;
    lblYen->setText(toQt(mkd::formatMoney(a.fare, lang)));
    lblBill->setText(toQt(mkd::text(a.bill, lang)));
    lblYenT->setText(toQt(mkd::formatMoney(a.charge, lang)));
    lblGoukei->setText(toQt(mkd::formatMoney(a.total, lang)));
    const QString note = shortTablesLines(a.shortTables, lang);
    lblNote->setText(note);
    lblNote->setToolTip(note.isEmpty() ? QString() : toQt(mkd::text(mkd::Msg::ShortTableHint, lang)));
    lblNote->setVisible(!note.isEmpty());
    lblDetail->setText(detailLine(*answer_, lang));
}
