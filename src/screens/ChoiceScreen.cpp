#include "screens/ChoiceScreen.hpp"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "pricing/journey_rules.hpp"
#include "pricing/money.hpp"
#include "screens/frmKekkaT.hpp"
#include "screens/frmStart.hpp"
#include "screens/frmTSelect.hpp"
#include "screens/text.hpp"

ChoiceScreen::ChoiceScreen(ScreenFlow& f, const char* name, Shape shape)
    : Screen(f, name, QT_TR_NOOP("運賃・料金決定"), shape.widthTwips, shape.heightTwips) {
    addLabel("lblSelect", QT_TR_NOOP("選択してください。"), twips(0, 240, 3135, 375), 15.75, Qt::AlignCenter);
    cmdOtona = addButton("cmdOtona", QT_TR_NOOP("おとな"), twips(360, 720, 975, 375));
    cmdKodomo = addButton("cmdKodomo", QT_TR_NOOP("こども"), twips(1800, 720, 975, 375));
    if (shape.student) cmdGakuwari = addButton("cmdGakuwari", QT_TR_NOOP("学割"), twips(360, 1200, 975, 375));
    optKatamiti = addOption("optKatamiti", QT_TR_NOOP("　片　道"), twips(1680, 1200, 1095, 255));
    optOfuku = addOption("optOfuku", QT_TR_NOOP("　往　復"), twips(1680, 1440, 1095, 255));
    cmdBack = addButton("cmdBack", QT_TR_NOOP("戻る"),
                        shape.student ? twips(360, 1680, 975, 375) : twips(360, 1200, 975, 375));
    optKatamiti->setChecked(true);
    if (shape.student) {
        fraNorikae = addFrame("fraNorikae", twips(1680, 1560, 1095, 735));
        optTyokutu = addOption("optTyokutu", QT_TR_NOOP("　直　通"), twips(0, 240, 1095, 255), 9, fraNorikae);
        optNorikae = addOption("optNorikae", QT_TR_NOOP("松山乗換"), twips(0, 480, 1095, 255), 9, fraNorikae);
        setWords(optTyokutu, QT_TR_NOOP("松山をまたいで一本の特急で"), Words::ToolTip);
        setWords(optNorikae, QT_TR_NOOP("松山で特急を乗り換える"), Words::ToolTip);
        optTyokutu->setChecked(true);
        fraNorikae->hide();
    }
    if (shape.season) {
        // Hidden state: only the travel-date screen selects one of these.
        fraJiki = addFrame("fraJiki", twips(2160, 0, 975, 735));
        optTujo = addOption("optTujo", "通常", twips(0, 0, 855, 255), 9, fraJiki);
        optHanbo = addOption("optHanbo", "繁忙", twips(0, 240, 855, 255), 9, fraJiki);
        optKansan = addOption("optKansan", "閑散", twips(0, 480, 855, 255), 9, fraJiki);
        fraJiki->hide();
    }

    connect(cmdOtona, &QPushButton::clicked, this, &ChoiceScreen::cmdOtona_Click);
    connect(cmdKodomo, &QPushButton::clicked, this, &ChoiceScreen::cmdKodomo_Click);
    if (cmdGakuwari) connect(cmdGakuwari, &QPushButton::clicked, this, &ChoiceScreen::cmdGakuwari_Click);
    connect(cmdBack, &QPushButton::clicked, this, &ChoiceScreen::cmdBack_Click);
}

void ChoiceScreen::copyJourney(bool expressSection) {
    auto* start = flow.touch<frmStart>();
    hatu_ = static_cast<std::int16_t>(start->departure());
    tyaku_ = static_cast<std::int16_t>(start->arrival());
    if (expressSection) {
        const mkd::Section s = flow.touch<frmTSelect>()->section();
        sectionFrom_ = static_cast<std::int16_t>(s.from);
        sectionTo_ = static_cast<std::int16_t>(s.to);
    }
    if (cmdGakuwari && !mkd::studentFareOffered(flow.tables().value(mkd::Table::Kyori, hatu_, tyaku_)))
        cmdGakuwari->setEnabled(false);
}

mkd::Trip ChoiceScreen::trip() const { return optKatamiti->isChecked() ? mkd::Trip::OneWay : mkd::Trip::RoundTrip; }

mkd::Routing ChoiceScreen::routing() const {
    // Read even while the frame is hidden: "直通" then stays selected.
    return optTyokutu && !optTyokutu->isChecked() ? mkd::Routing::ChangeAtMatsuyama : mkd::Routing::Through;
}

std::optional<mkd::Season> ChoiceScreen::season() const {
    if (!fraJiki) return std::nullopt;
    if (optHanbo->isChecked()) return mkd::Season::Busy;
    if (optTujo->isChecked()) return mkd::Season::Normal;
    if (optKansan->isChecked()) return mkd::Season::OffPeak;
    return std::nullopt;
}

mkd::Journey ChoiceScreen::journey() const { return {hatu_, tyaku_, {sectionFrom_, sectionTo_}}; }

void ChoiceScreen::price(mkd::Passenger passenger) {
    const mkd::ChargedPrice p = priceFor(passenger);
    auto* result = flow.touch<frmKekkaT>();
    if (!result) return;
    result->lblYen->setText(qs(mkd::formatMoney(p.fare)));
    result->lblBill->setText(qs(p.bill));
    result->lblYenT->setText(qs(mkd::formatMoney(p.charge)));
    result->lblGoukei->setText(qs(mkd::formatMoney(p.total)));
    KekkaOpen();
}

void ChoiceScreen::openResult(const QString& chargeCaption, QRadioButton* frmKekkaT::*marker) {
    auto* result = flow.touch<frmKekkaT>();
    if (!result) return;
    if (!chargeCaption.isNull()) result->lblBillT->setText(chargeCaption);
    hide();
    result->show();
    (result->*marker)->setChecked(true);
}
