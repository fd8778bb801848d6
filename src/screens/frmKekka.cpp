#include "screens/frmKekka.hpp"

#include <QLabel>
#include <QPushButton>

#include "screens/AnswerOut.hpp"
#include "screens/ScreenFlow.hpp"
#include "screens/frmKettei.hpp"
#include "screens/frmStart.hpp"
#include "screens/station_labels.hpp"
#include "screens/text.hpp"
#include "words/money.hpp"

frmKekka::frmKekka(ScreenFlow& f) : Screen(f, kName, QT_TR_NOOP("普通運賃"), 4110, 2790) {
    addLabel("lblKekka", QT_TR_NOOP("検索結果"), twips(360, 120, 1335, 375), 14.25, Qt::AlignCenter);
    lblHatu = addLabel("lblHatu", nullptr, twips(240, 600, 1575, 375), 14.25, Qt::AlignCenter);
    addLabel("lblYajirusi", "⇒", twips(1800, 630, 495, 255), 14.25, Qt::AlignCenter);
    lbltyaku = addLabel("lbltyaku", nullptr, twips(2280, 600, 1575, 375), 14.25, Qt::AlignCenter);
    lblBill = addLabel("lblBill", nullptr, twips(360, 1080, 2055, 375), 14.25, Qt::AlignLeft | Qt::AlignVCenter);
    lblYen = addLabel("lblYen", nullptr, twips(1320, 1560, 1335, 375), 14.25, Qt::AlignRight | Qt::AlignVCenter);
    lblDetail = addLabel("lblDetail", nullptr, twips(360, 1950, 3390, 300), 9, Qt::AlignLeft | Qt::AlignVCenter);
    cmdExit = addButton("cmdExit", QT_TR_NOOP("終了"), twips(240, 2280, 975, 375));
    cmdBack = addButton("cmdBack", QT_TR_NOOP("戻る"), twips(1560, 2280, 975, 375));
    cmdRetry = addButton("cmdRetry", QT_TR_NOOP("再検索"), twips(2880, 2280, 975, 375));
    captionOf("lblBill", lblYen);
    // A key pressed at once on a result asks for a new search, never the end.
    cmdRetry->setFocus();
    setWords(cmdRetry, QT_TR_NOOP("最初の画面に戻って、次の区間を調べる"), Words::ToolTip);

    connect(cmdExit, &QPushButton::clicked, this, &frmKekka::cmdExit_Click);
    connect(cmdBack, &QPushButton::clicked, this, &frmKekka::cmdBack_Click);
    connect(cmdRetry, &QPushButton::clicked, this, &frmKekka::cmdRetry_Click);
    addAnswerOut();
}

void frmKekka::addAnswerOut() { new AnswerOut(*this, flow); }

void frmKekka::Form_Load() { showStations(); }

void frmKekka::showStations() {
    auto* start = flow.touch<frmStart>();
    setStationLabel(lblHatu, mkd::StationList::All, start->departure(), flow.language());
    setStationLabel(lbltyaku, mkd::StationList::All, start->arrival(), flow.language());
}

void frmKekka::showAnswer(const ShownAnswer& shown) {
    answer_ = shown;
    writeAnswer();
}

void frmKekka::writeAnswer() {
    if (!answer_) return;
    const mkd::Lang lang = flow.language();
    lblYen->setText(qs(mkd::formatMoney(answer_->answer.fare, lang)));
    lblBill->setText(qs(mkd::text(answer_->answer.bill, lang)));
    lblDetail->setText(detailLine(*answer_, lang));
}

void frmKekka::languageChanged() {
    showStations();
    writeAnswer();
}

void frmKekka::Form_Unload() {
    hide();
    if (auto* choice = flow.touch<frmKettei>()) choice->show();
}

void frmKekka::cmdBack_Click() {
    flow.unload(*this);
    if (auto* choice = flow.touch<frmKettei>()) choice->show();
}

void frmKekka::cmdRetry_Click() {
    flow.unload(*this);
    flow.unload<frmKettei>();
    if (auto* start = flow.touch<frmStart>()) start->show();
}

void frmKekka::cmdExit_Click() { flow.endProgram(0); }
