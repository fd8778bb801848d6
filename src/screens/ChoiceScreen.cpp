#include "screens/ChoiceScreen.hpp"

#include <QButtonGroup>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "screens/Branch.hpp"
#include "screens/SectionScreen.hpp"
#include "screens/frmDate.hpp"
#include "screens/frmDate2.hpp"
#include "screens/frmKekka.hpp"
#include "screens/frmKekkaT.hpp"
#include "screens/frmStart.hpp"
#include "screens/text.hpp"
#include "words/enquiry_words.hpp"
#include "words/money.hpp"

ChoiceScreen::Layout ChoiceScreen::chargedLayout(mkd::Enquiry kind, int widthTwips, int heightTwips) {
    const bool student = mkd::enquiryShape(kind).student;
    return {"運賃・料金決定",
            widthTwips,
            heightTwips,
            twips(0, 240, 3135, 375),
            twips(360, 720, 975, 375),
            twips(1800, 720, 975, 375),
            twips(360, 1200, 975, 375),
            twips(1680, 1200, 1095, 255),
            twips(1680, 1440, 1095, 255),
            student ? twips(360, 1680, 975, 375) : twips(360, 1200, 975, 375)};
}

ChoiceScreen::ChoiceScreen(ScreenFlow& f, const char* name, mkd::Enquiry kind, const Layout& layout)
    : Screen(f, name, QString::fromUtf8(layout.caption), layout.widthTwips, layout.heightTwips), kind_(kind) {
    const mkd::EnquiryShape& shape = mkd::enquiryShape(kind);
    addLabel("lblSelect", QStringLiteral("選択してください。"), layout.select, 15.75, Qt::AlignCenter);
    cmdOtona = addButton("cmdOtona", QStringLiteral("おとな"), layout.otona);
    cmdKodomo = addButton("cmdKodomo", QStringLiteral("こども"), layout.kodomo);
    if (shape.student) cmdGakuwari = addButton("cmdGakuwari", QStringLiteral("学割"), layout.gakuwari);
    optKatamiti = addOption("optKatamiti", QStringLiteral("　片　道"), layout.katamiti);
    optOfuku = addOption("optOfuku", QStringLiteral("　往　復"), layout.ofuku);
    cmdBack = addButton("cmdBack", QStringLiteral("戻る"), layout.back);
    optKatamiti->setChecked(true);
    // 片道 and 往復 are a choice of their own. Left to Qt's automatic grouping
    // they would share it with the options inside the frames below (Qt looks
    // for the checked option among every option under the same window part,
    // frames included), and a click on "片道" when it is already chosen would
    // clear it and price a round trip.
    auto* tripChoice = new QButtonGroup(this);
    tripChoice->addButton(optKatamiti);
    tripChoice->addButton(optOfuku);
    nameGroup(QStringLiteral("片道・往復"), {optKatamiti, optOfuku});
    if (shape.routing) {
        fraNorikae = addFrame("fraNorikae", twips(1680, 1560, 1095, 735));
        optTyokutu = addOption("optTyokutu", QStringLiteral("　直　通"), twips(0, 240, 1095, 255), 9, fraNorikae);
        optNorikae = addOption("optNorikae", QStringLiteral("松山乗換"), twips(0, 480, 1095, 255), 9, fraNorikae);
        optTyokutu->setChecked(true);
        fraNorikae->hide();
        nameGroup(QStringLiteral("直通・松山乗換"), {optTyokutu, optNorikae}, fraNorikae);
    }
    if (shape.dated) {
        // Hidden state: only the travel-date screen selects one of these.
        fraJiki = addFrame("fraJiki", twips(2160, 0, 975, 735));
        optTujo = addOption("optTujo", QStringLiteral("通常"), twips(0, 0, 855, 255), 9, fraJiki);
        optHanbo = addOption("optHanbo", QStringLiteral("繁忙"), twips(0, 240, 855, 255), 9, fraJiki);
        optKansan = addOption("optKansan", QStringLiteral("閑散"), twips(0, 480, 855, 255), 9, fraJiki);
        fraJiki->hide();
    }

    connect(cmdOtona, &QPushButton::clicked, this, &ChoiceScreen::cmdOtona_Click);
    connect(cmdKodomo, &QPushButton::clicked, this, &ChoiceScreen::cmdKodomo_Click);
    if (cmdGakuwari) connect(cmdGakuwari, &QPushButton::clicked, this, &ChoiceScreen::cmdGakuwari_Click);
    connect(cmdBack, &QPushButton::clicked, this, &ChoiceScreen::cmdBack_Click);
}

void ChoiceScreen::Form_Load() {
    auto* start = flow.touch<frmStart>();
    hatu_ = static_cast<std::int16_t>(start->departure());
    tyaku_ = static_cast<std::int16_t>(start->arrival());
    if (auto* sectionScreen = branchOf(kind_).section) {
        const mkd::Section s = sectionScreen(flow)->section();
        sectionFrom_ = static_cast<std::int16_t>(s.from);
        sectionTo_ = static_cast<std::int16_t>(s.to);
    }
    const mkd::EnquiryState enquiry(flow.tables(), request());
    if (cmdGakuwari) {
        // A disabled 学割 says why, on hover and to a screen reader.
        const auto refused =
            mkd::EnquiryState(flow.tables(), request(mkd::Passenger::Student)).check(mkd::Step::Choice);
        const bool offered = !refused || refused->refusal != mkd::Refusal::StudentNotOffered;
        if (!offered) cmdGakuwari->setEnabled(false);
        const QString why = offered ? QString() : qs(mkd::refusalText(*refused));
        cmdGakuwari->setToolTip(why);
        cmdGakuwari->setAccessibleDescription(why);
    }
    if (fraNorikae) fraNorikae->setVisible(enquiry.change().offered);
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

mkd::EnquiryRequest ChoiceScreen::request(mkd::Passenger passenger) const {
    mkd::EnquiryRequest r;
    r.kind = kind_;
    r.departure = hatu_;
    r.arrival = tyaku_;
    r.passenger = passenger;
    r.trip = trip();
    r.routing = routing();
    if (mkd::enquiryShape(kind_).section) r.section = mkd::Section{sectionFrom_, sectionTo_};
    r.season = season();
    return r;
}

void ChoiceScreen::price(mkd::Passenger passenger) {
    const mkd::EnquiryAnswer a = mkd::EnquiryState(flow.tables(), request(passenger)).answer();
    if (!a.charged) {
        auto* result = flow.touch<frmKekka>();
        if (!result) return;
        result->lblYen->setText(qs(mkd::formatMoney(a.fare)));
        result->lblBill->setText(qs(mkd::text(a.bill)));
        result->lblDetail->setText(detail(a));
        hide();
        result->show();
        return;
    }
    auto* result = flow.touch<frmKekkaT>();
    if (!result) return;
    result->lblYen->setText(qs(mkd::formatMoney(a.fare)));
    result->lblBill->setText(qs(mkd::text(a.bill)));
    result->lblYenT->setText(qs(mkd::formatMoney(a.charge)));
    result->lblGoukei->setText(qs(mkd::formatMoney(a.total)));
    result->showShortTables(a.shortTables);
    result->lblDetail->setText(detail(a));
    KekkaOpen();
}

QString ChoiceScreen::detail(const mkd::EnquiryAnswer& a) const {
    // The distance, the routing where there was a choice, and for a seat
    // charge the travel date and its season.
    QStringList parts{qs(mkd::text(mkd::Msg::Distance, mkd::Lang::Japanese, {mkd::numberWords(a.distance)}))};
    if (a.routing)
        parts << qs(mkd::text(*a.routing == mkd::Routing::Through ? mkd::Msg::Through : mkd::Msg::ChangeAtMatsuyama));
    const DateScreen* date = kind_ == mkd::Enquiry::Reserved         ? static_cast<DateScreen*>(flow.find<frmDate>())
                             : kind_ == mkd::Enquiry::MarineReserved ? flow.find<frmDate2>()
                                                                     : nullptr;
    if (date && a.season) parts << qs(mkd::dateAndSeasonText(date->travelDate()));
    return parts.join(QStringLiteral("　"));
}

void ChoiceScreen::KekkaOpen() {
    auto* result = flow.touch<frmKekkaT>();
    if (!result) return;
    // Without a season (never set by a travel date) the caption stays as it is.
    if (const auto caption = mkd::EnquiryState(flow.tables(), request()).caption())
        result->lblBillT->setText(qs(mkd::text(*caption)));
    hide();
    result->show();
    if (QRadioButton* marker = result->marker(kind_)) marker->setChecked(true);
}

void ChoiceScreen::cmdBack_Click() {
    flow.unload(*this);
    branchOf(kind_).showPrevious(flow);
}
