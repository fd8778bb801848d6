// The choice screen of each kind of enquiry: frmKettei (local train, ends on
// frmKekka) and, made from their rows (KindScreens), those of the kinds with
// a charge, which end on the express result screen. Passenger buttons,
// one-way or return, and where the enquiry's shape has them 学割, the
// through / change-at-松山 frame and the hidden season options.
//
// A passenger button reads the screen's choices into the enquiry in
// progress, asks the core for the answer, writes it on the result screen and
// moves there.
#pragma once

#include <QRect>
#include <optional>

#include "pricing/enquiry.hpp"
#include "screens/Screen.hpp"
#include "screens/ScreenFlow.hpp"

class QFrame;
class QPushButton;
class QRadioButton;
class LineBelow;

class ChoiceScreen;
// The choice screen of an enquiry of `kind`, created and loaded if needed.
ChoiceScreen* choiceScreen(ScreenFlow& flow, mkd::Enquiry kind);

class ChoiceScreen : public Screen {
    Q_OBJECT
public:
    // Where the controls are, in twips.
    struct Layout {
        const char* caption;  // the window title's source (QT_TR_NOOP)
        int widthTwips;
        int heightTwips;
        QRect select, otona, kodomo, gakuwari, katamiti, ofuku, back;
    };
    // The choice screen of a kind with a charge, as its row says.
    ChoiceScreen(ScreenFlow& flow, mkd::Enquiry kind);
    ChoiceScreen(ScreenFlow& flow, const char* name, mkd::Enquiry kind, const Layout& layout);

    // Offers 学割 and the change at 松山 as the core says.
    void Form_Load() override;
    // Names the journey being priced before the screen shows.
    void setVisible(bool visible) override;

    void cmdOtona_Click() { price(mkd::Passenger::Adult); }
    void cmdKodomo_Click() { price(mkd::Passenger::Child); }
    void cmdGakuwari_Click() { price(mkd::Passenger::Student); }
    // Discards this screen and shows the screen it came from.
    void cmdBack_Click();

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
    // Not one of the screen's own controls: below them, the journey being
    // priced.
    LineBelow* lblJourney;

    mkd::Enquiry kind() const { return kind_; }

    // Sets the hidden season options from the enquiry in progress (the
    // travel-date screen's season); an option set otherwise (a scenario)
    // sets the enquiry's season.
    void showSeason();

protected:
    void closeBox() override { cmdBack_Click(); }
    void languageChanged() override;

private:
    void price(mkd::Passenger passenger);
    // The enquiry in progress with this screen's choices.
    mkd::EnquiryRequest request(mkd::Passenger passenger = mkd::Passenger::Adult) const;

    mkd::Trip trip() const;
    mkd::Routing routing() const;
    // Why 学割 is not offered on this journey; nothing where it is.
    std::optional<mkd::Refused> studentRefused() const;
    // Turns 学割 off where it is not offered, with the reason as its tool tip
    // and description.
    void explainStudent();

    mkd::Enquiry kind_;
};
