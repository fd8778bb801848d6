#include "screens/ChoiceScreen.hpp"

#include <QButtonGroup>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "explain/enquiry_words.hpp"
#include "screens/KindScreens.hpp"
#include "screens/WhyLine.hpp"
#include "screens/frmKekkaT.hpp"
#include "screens/text.hpp"
#include "words/money.hpp"

namespace {

// The screens with a charge share their controls' places; 戻る moves up
// where there is no 学割.
ChoiceScreen::Layout chargedLayout(mkd::Enquiry kind) {
    const bool student = mkd::enquiryShape(kind).student;
    const KindScreens& row = kindScreens(kind);
    return {QT_TRANSLATE_NOOP("ChoiceScreen", "運賃・料金決定"),
            row.choiceWidth,
            row.choiceHeight,
            Screen::twips(0, 240, 3135, 375),
            Screen::twips(360, 720, 975, 375),
            Screen::twips(1800, 720, 975, 375),
            Screen::twips(360, 1200, 975, 375),
            Screen::twips(1680, 1200, 1095, 255),
            Screen::twips(1680, 1440, 1095, 255),
            student ? Screen::twips(360, 1680, 975, 375) : Screen::twips(360, 1200, 975, 375)};
}

}  // namespace

ChoiceScreen::ChoiceScreen(ScreenFlow& f, mkd::Enquiry kind)
    : ChoiceScreen(f, kindScreens(kind).choice, kind, chargedLayout(kind)) {}

ChoiceScreen::ChoiceScreen(ScreenFlow& f, const char* name, mkd::Enquiry kind, const Layout& layout)
    : Screen(f, name, layout.caption, layout.widthTwips, layout.heightTwips), kind_(kind) {
    const mkd::EnquiryShape& shape = mkd::enquiryShape(kind);
    addLabel("lblSelect", QT_TR_NOOP("選択してください。"), layout.select, 15.75, Qt::AlignCenter);
    cmdOtona = addButton("cmdOtona", QT_TR_NOOP("おとな"), layout.otona);
    cmdKodomo = addButton("cmdKodomo", QT_TR_NOOP("こども"), layout.kodomo);
    if (shape.student) cmdGakuwari = addButton("cmdGakuwari", QT_TR_NOOP("学割"), layout.gakuwari);
    optKatamiti = addOption("optKatamiti", QT_TR_NOOP("　片　道"), layout.katamiti);
    optOfuku = addOption("optOfuku", QT_TR_NOOP("　往　復"), layout.ofuku);
    cmdBack = addButton("cmdBack", QT_TR_NOOP("戻る"), layout.back);
    optKatamiti->setChecked(true);
    // 片道 and 往復 are a choice of their own. Left to Qt's automatic grouping
    // they would share it with the options inside the frames below (Qt looks
    // for the checked option among every option under the same window part,
    // frames included), and a click on "片道" when it is already chosen would
    // clear it and price a round trip.
    auto* tripChoice = new QButtonGroup(this);
    tripChoice->addButton(optKatamiti);
    tripChoice->addButton(optOfuku);
    nameGroup(QT_TR_NOOP("片道・往復"), {optKatamiti, optOfuku});
    if (shape.routing) {
        fraNorikae = addFrame("fraNorikae", twips(1680, 1560, 1095, 735));
        optTyokutu = addOption("optTyokutu", QT_TR_NOOP("　直　通"), twips(0, 240, 1095, 255), 9, fraNorikae);
        optNorikae = addOption("optNorikae", QT_TR_NOOP("松山乗換"), twips(0, 480, 1095, 255), 9, fraNorikae);
        setWords(optTyokutu, QT_TR_NOOP("松山をまたいで一本の特急で"), Words::ToolTip);
        setWords(optNorikae, QT_TR_NOOP("松山で特急を乗り換える"), Words::ToolTip);
        optTyokutu->setChecked(true);
        fraNorikae->hide();
        nameGroup(QT_TR_NOOP("直通・松山乗換"), {optTyokutu, optNorikae}, fraNorikae);
    }
    if (shape.dated) {
        // Hidden state: only the travel-date screen selects one of these.
        fraJiki = addFrame("fraJiki", twips(2160, 0, 975, 735));
        optTujo = addOption("optTujo", "通常", twips(0, 0, 855, 255), 9, fraJiki);
        optHanbo = addOption("optHanbo", "繁忙", twips(0, 240, 855, 255), 9, fraJiki);
        optKansan = addOption("optKansan", "閑散", twips(0, 480, 855, 255), 9, fraJiki);
        fraJiki->hide();
        const std::pair<QRadioButton*, mkd::Season> seasons[] = {
            {optHanbo, mkd::Season::Busy}, {optTujo, mkd::Season::Normal}, {optKansan, mkd::Season::OffPeak}};
        for (const auto& [option, season] : seasons)
            connect(option, &QRadioButton::toggled, this, [this, season = season](bool on) {
                if (on) flow.enquiry().request.season = season;
            });
    }

    lblJourney = new LineBelow(client, QStringLiteral("lblJourney"));

    connect(cmdOtona, &QPushButton::clicked, this, &ChoiceScreen::cmdOtona_Click);
    connect(cmdKodomo, &QPushButton::clicked, this, &ChoiceScreen::cmdKodomo_Click);
    if (cmdGakuwari) connect(cmdGakuwari, &QPushButton::clicked, this, &ChoiceScreen::cmdGakuwari_Click);
    if (cmdGakuwari) {
        // Tab passes over 学割 when it is off: the line below says why while
        // the keyboard is on the buttons beside it.
        auto* why = new WhyLine(client);
        why->watch({cmdOtona, cmdKodomo, optKatamiti},
                   [this] { return cmdGakuwari->isEnabled() ? QString() : cmdGakuwari->accessibleDescription(); });
    }
    connect(cmdBack, &QPushButton::clicked, this, &ChoiceScreen::cmdBack_Click);
}

void ChoiceScreen::Form_Load() {
    const mkd::EnquiryState enquiry(flow.tables(), request());
    explainStudent();
    if (fraNorikae) fraNorikae->setVisible(enquiry.change().offered);
    lblJourney->say(toQt(mkd::pricedJourneyText(request(), flow.language())));
}

void ChoiceScreen::setVisible(bool visible) {
    if (visible) lblJourney->say(toQt(mkd::pricedJourneyText(request(), flow.language())));
    Screen::setVisible(visible);
}

std::optional<mkd::Refused> ChoiceScreen::studentRefused() const {
    const auto refused = mkd::EnquiryState(flow.tables(), request(mkd::Passenger::Student)).check(mkd::Step::Choice);
    if (refused && refused->refusal == mkd::Refusal::StudentNotOffered) return refused;
    return std::nullopt;
}

void ChoiceScreen::explainStudent() {
    // 学割 off says why, on hover and to a screen reader. Once off it stays
    // off: the journey cannot change while this screen is loaded.
    if (!cmdGakuwari) return;
    const auto refused = studentRefused();
    if (refused) cmdGakuwari->setEnabled(false);
    const QString why = refused ? toQt(mkd::refusalText(*refused, flow.language())) : QString();
    cmdGakuwari->setToolTip(why);
    cmdGakuwari->setAccessibleDescription(why);
}

void ChoiceScreen::languageChanged() {
    explainStudent();
    lblJourney->say(toQt(mkd::pricedJourneyText(request(), flow.language())));
}

mkd::Trip ChoiceScreen::trip() const { return optKatamiti->isChecked() ? mkd::Trip::OneWay : mkd::Trip::RoundTrip; }

mkd::Routing ChoiceScreen::routing() const {
    // Read even while the frame is hidden: "直通" then stays selected.
    return optTyokutu && !optTyokutu->isChecked() ? mkd::Routing::ChangeAtMatsuyama : mkd::Routing::Through;
}

ChoiceScreen* choiceScreen(ScreenFlow& flow, mkd::Enquiry kind) {
    return static_cast<ChoiceScreen*>(flow.loaded(kindScreens(kind).choice));
}

void ChoiceScreen::showSeason() {
    if (!fraJiki) return;
    if (const std::optional<mkd::Season> season = flow.enquiry().request.season)
        (*season == mkd::Season::Busy     ? optHanbo
         : *season == mkd::Season::Normal ? optTujo
                                          : optKansan)
            ->setChecked(true);
}

mkd::EnquiryRequest ChoiceScreen::request(mkd::Passenger passenger) const {
    // The stations, the section, the season and the kind as the screens
    // before wrote them.
    mkd::EnquiryRequest r = flow.enquiry().request;
    r.kind = kind_;
    r.passenger = passenger;
    r.trip = trip();
    r.routing = routing();
    return r;
}

void ChoiceScreen::price(mkd::Passenger passenger) {
    const mkd::EnquiryRequest r = request(passenger);
    mkd::EnquiryInProgress& enquiry = flow.enquiry();
    enquiry.request = r;
    if (!kindScreens(kind_).date) enquiry.date.reset();
    if (!flow.takeStep(mkd::Step::Choice)) return;
    const ShownAnswer answered = shownAnswer(flow.tables(), r);
    enquiry.answer = answered.answer;
    enquiry.split = answered.split;
    // The result screen shows the enquiry in progress.
    const KindScreens& row = kindScreens(kind_);
    Screen* shown = flow.loaded(row.result);
    if (!shown) return;
    if (auto* result = qobject_cast<ResultScreen*>(shown)) result->showEnquiry();
    // Without a season (never set by a travel date) the caption stays as it is.
    if (auto* charged = qobject_cast<frmKekkaT*>(shown))
        if (const auto caption = mkd::EnquiryState(flow.tables(), r).caption()) charged->showCaption(*caption);
    constexpr const char* kButtons[] = {"cmdOtona", "cmdKodomo", "cmdGakuwari"};
    flow.follow(*this, kButtons[static_cast<int>(passenger)]);
}

void ChoiceScreen::cmdBack_Click() { flow.follow(*this, "cmdBack"); }
