#include "screens/frmKekka.hpp"

#include <QLabel>
#include <QPushButton>

#include "screens/ScreenFlow.hpp"
#include "screens/WhyLine.hpp"
#include "screens/frmKettei.hpp"
#include "screens/station_labels.hpp"
#include "screens/text.hpp"
#include "words/money.hpp"

frmKekka::frmKekka(ScreenFlow& f) : ResultScreen(f, kName, QT_TR_NOOP("普通運賃"), 4110, 3270) {
    const auto left = Qt::AlignLeft | Qt::AlignVCenter;
    const auto right = Qt::AlignRight | Qt::AlignVCenter;
    addControls({
        {ControlRow::Label, "lblKekka", QT_TR_NOOP("検索結果"), 360, 120, 1335, 375, 14.25, Qt::AlignCenter},
        {ControlRow::Label, "lblHatu", nullptr, 240, 600, 1575, 375, 14.25, Qt::AlignCenter},
        {ControlRow::Label, "lblYajirusi", "⇒", 1800, 630, 495, 255, 14.25, Qt::AlignCenter},
        {ControlRow::Label, "lbltyaku", nullptr, 2280, 600, 1575, 375, 14.25, Qt::AlignCenter},
        {ControlRow::Label, "lblBill", nullptr, 360, 1080, 2055, 375, 14.25, left},
        {ControlRow::Label, "lblYen", nullptr, 1320, 1560, 1335, 375, 14.25, right},
        // Not the screen's own labels: the line that explains the amount, and
        // (the window grows by two lines below the buttons) a cheaper way to
        // buy the journey, empty when there is none.
        {ControlRow::Label, "lblDetail", nullptr, 360, 1950, 3390, 300, 9, left},
        {ControlRow::Label, "lblSplit", nullptr, 240, 2730, 2595, 450, 9, Qt::AlignLeft | Qt::AlignTop},
        {ControlRow::Button, "cmdExit", QT_TR_NOOP("終了"), 240, 2280, 975, 375},
        {ControlRow::Button, "cmdBack", QT_TR_NOOP("戻る"), 1560, 2280, 975, 375},
        {ControlRow::Button, "cmdRetry", QT_TR_NOOP("再検索"), 2880, 2280, 975, 375},
        // The split's tickets for the keyboard and a screen reader: Tab
        // reaches it after the buttons, its name reads the tickets, and
        // pressing it shows them in a line below.
        {ControlRow::Button, "cmdUtiwake", QT_TR_NOOP("内訳"), 2880, 2730, 975, 375},
    });
    lblHatu = control<QLabel>("lblHatu");
    lbltyaku = control<QLabel>("lbltyaku");
    lblBill = control<QLabel>("lblBill");
    lblYen = control<QLabel>("lblYen");
    lblDetail = control<QLabel>("lblDetail");
    lblSplit = control<QLabel>("lblSplit");
    lblSplit->setWordWrap(true);
    cmdUtiwake = control<QPushButton>("cmdUtiwake");
    cmdUtiwake->setCheckable(true);
    cmdUtiwake->hide();
    lblSplitTickets = new LineBelow(client, QStringLiteral("lblSplitTickets"));
    connect(cmdUtiwake, &QPushButton::toggled, this, [this] { writeAnswer(); });
    captionOf("lblBill", lblYen);
    finishResult();
}

void frmKekka::showStations() {
    if (!answer_) return;
    setStationLabel(lblHatu, mkd::StationList::All, answer_->answer.departure, flow.language());
    setStationLabel(lbltyaku, mkd::StationList::All, answer_->answer.arrival, flow.language());
}

void frmKekka::writeAnswer() {
    if (!answer_) return;
    showStations();
    const mkd::Lang lang = flow.language();
    lblYen->setText(toQt(mkd::formatMoney(answer_->answer.fare, lang)));
    lblBill->setText(toQt(mkd::text(answer_->answer.bill, lang)));
    lblDetail->setText(detailLine(*answer_, lang));
    lblSplit->setText(splitLine(*answer_, lang));
    const QString tickets = splitToolTip(*answer_, lang);
    lblSplit->setToolTip(tickets);
    lblSplit->setAccessibleDescription(tickets);
    cmdUtiwake->setVisible(!tickets.isEmpty());
    if (tickets.isEmpty() && cmdUtiwake->isChecked()) {
        const QSignalBlocker quiet(cmdUtiwake);
        cmdUtiwake->setChecked(false);
    }
    cmdUtiwake->setAccessibleName(cmdUtiwake->text() + QStringLiteral(": ") + lblSplit->text());
    cmdUtiwake->setAccessibleDescription(tickets);
    cmdUtiwake->setToolTip(tickets);
    lblSplitTickets->say(cmdUtiwake->isChecked() ? tickets : QString());
}

void frmKekka::Form_Unload() {
    hide();
    if (auto* choice = flow.loaded<frmKettei>()) choice->show();
}
