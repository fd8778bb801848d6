// The common shape of the five choice screens that end on the express result
// screen (frmKetteiJiyu, frmKetteiSitei, frmKetteiGreen, frmKetteiMarine,
// frmKetteiMG): passenger buttons, one-way or return, and where offered the
// through / change-at-松山 frame and the hidden season options.
//
// A passenger button prices the journey with the copies the screen took when
// it loaded, touches the result screen (whose creation fills its station
// names), writes the amounts and calls KekkaOpen.
#pragma once

#include <cstdint>
#include <optional>

#include "pricing/charges.hpp"
#include "pricing/enquiry.hpp"
#include "screens/Screen.hpp"
#include "screens/ScreenFlow.hpp"

class QFrame;
class QPushButton;
class QRadioButton;
class frmKekkaT;

class ChoiceScreen : public Screen {
    Q_OBJECT
public:
    struct Shape {
        int widthTwips;
        int heightTwips;
        bool student;  // 学割 and the through / change frame
        bool season;   // the hidden season frame
        mkd::Enquiry kind;
    };
    ChoiceScreen(ScreenFlow& flow, const char* name, Shape shape);

    // The shape of the choice screen of `kind`, at the given size: what it
    // offers (学割 with the through / change frame, the season) is the core's.
    static Shape shapeOf(mkd::Enquiry kind, int widthTwips, int heightTwips) {
        const mkd::EnquiryShape offers = mkd::enquiryShape(kind);
        return {widthTwips, heightTwips, offers.student && offers.routing, offers.dated, kind};
    }

    void cmdOtona_Click() { price(mkd::Passenger::Adult); }
    void cmdKodomo_Click() { price(mkd::Passenger::Child); }
    void cmdGakuwari_Click() { price(mkd::Passenger::Student); }
    virtual void cmdBack_Click() = 0;
    // Captions the charge, hides this screen, shows the result and selects
    // the result's branch marker.
    virtual void KekkaOpen() = 0;

    QPushButton* cmdOtona;
    QPushButton* cmdKodomo;
    QPushButton* cmdGakuwari = nullptr;
    QRadioButton* optKatamiti;
    QRadioButton* optOfuku;
    QPushButton* cmdBack;
    QFrame* fraNorikae = nullptr;
    QRadioButton* optTyokutu = nullptr;
    QRadioButton* optNorikae = nullptr;
    QFrame* fraJiki = nullptr;
    QRadioButton* optTujo = nullptr;
    QRadioButton* optHanbo = nullptr;
    QRadioButton* optKansan = nullptr;

    // The season set by the travel-date screen, tested busy, normal,
    // off-peak; none before it has set one.
    std::optional<mkd::Season> season() const;

protected:
    // Takes the journey from the start screen and, for the express screens,
    // the express section; the student button follows the distance.
    void copyJourney(bool expressSection);
    virtual mkd::ChargedPrice priceFor(mkd::Passenger passenger) const = 0;

    mkd::Trip trip() const;
    mkd::Routing routing() const;
    mkd::Journey journey() const;

    // The last steps of KekkaOpen.
    void openResult(const QString& chargeCaption, QRadioButton* frmKekkaT::*marker);
    // Discards this screen and shows the screen it came from.
    template <class Previous>
    void backTo();

    void closeBox() override { cmdBack_Click(); }

    mkd::Enquiry kind_;
    std::int16_t hatu_ = -1;
    std::int16_t tyaku_ = -1;
    std::int16_t sectionFrom_ = -1;
    std::int16_t sectionTo_ = -1;

private:
    void price(mkd::Passenger passenger);
};

template <class Previous>
void ChoiceScreen::backTo() {
    flow.unload(*this);
    if (auto* previous = flow.touch<Previous>()) previous->show();
}
