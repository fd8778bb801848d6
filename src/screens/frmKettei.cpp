#include "screens/frmKettei.hpp"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "pricing/journey_rules.hpp"
#include "pricing/money.hpp"
#include "screens/ScreenFlow.hpp"
#include "screens/frmKekka.hpp"
#include "screens/frmStart.hpp"
#include "screens/text.hpp"

frmKettei::frmKettei(ScreenFlow& f) : Screen(f, kName, QT_TR_NOOP("運賃決定"), 3390, 2310) {
    addLabel("lblSelect", QT_TR_NOOP("選択してください。"), twips(120, 240, 3135, 375), 15.75, Qt::AlignCenter);
    cmdOtona = addButton("cmdOtona", QT_TR_NOOP("おとな"), twips(480, 720, 975, 375));
    cmdKodomo = addButton("cmdKodomo", QT_TR_NOOP("こども"), twips(1920, 720, 975, 375));
    cmdGakuwari = addButton("cmdGakuwari", QT_TR_NOOP("学割"), twips(480, 1200, 975, 375));
    optKatamiti = addOption("optKatamiti", QT_TR_NOOP("　片　道"), twips(1800, 1320, 1095, 255));
    optOfuku = addOption("optOfuku", QT_TR_NOOP("　往　復"), twips(1800, 1680, 1095, 255));
    cmdBack = addButton("cmdBack", QT_TR_NOOP("戻る"), twips(480, 1680, 975, 375));
    optKatamiti->setChecked(true);

    connect(cmdOtona, &QPushButton::clicked, this, &frmKettei::cmdOtona_Click);
    connect(cmdKodomo, &QPushButton::clicked, this, &frmKettei::cmdKodomo_Click);
    connect(cmdGakuwari, &QPushButton::clicked, this, &frmKettei::cmdGakuwari_Click);
    connect(cmdBack, &QPushButton::clicked, this, &frmKettei::cmdBack_Click);
}

void frmKettei::Form_Load() {
    auto* start = flow.touch<frmStart>();
    hatu_ = static_cast<std::int16_t>(start->departure());
    tyaku_ = static_cast<std::int16_t>(start->arrival());
    if (!mkd::studentFareOffered(flow.tables().value(mkd::Table::Kyori, hatu_, tyaku_))) cmdGakuwari->setEnabled(false);
}

void frmKettei::Form_Unload() {
    hide();
    if (auto* start = flow.touch<frmStart>()) start->show();
}

void frmKettei::price(mkd::Passenger passenger) {
    const mkd::Trip trip = optKatamiti->isChecked() ? mkd::Trip::OneWay : mkd::Trip::RoundTrip;
    const mkd::OrdinaryPrice p = mkd::priceOrdinary(flow.tables(), passenger, trip, hatu_, tyaku_);
    auto* result = flow.touch<frmKekka>();
    if (!result) return;
    result->lblYen->setText(QString::fromStdString(mkd::formatMoney(p.amount)));
    result->lblBill->setText(qs(p.description));
    hide();
    result->show();
}

void frmKettei::cmdBack_Click() {
    flow.unload(*this);
    if (auto* start = flow.touch<frmStart>()) start->show();
}
