// The common shape of the six choice screens: frmKettei (local train, ends
// on frmKekka) and the five that end on the express result screen
// (frmKetteiJiyu, frmKetteiSitei, frmKetteiGreen, frmKetteiMarine,
// frmKetteiMG). Passenger buttons, one-way or return, and where the
// enquiry's shape has them 学割, the through / change-at-松山 frame and the
// hidden season options.
//
// The screen takes its copies of the journey (and of the section) when it
// loads. A passenger button asks the core for the answer with those copies,
// touches the result screen (whose creation fills its station names), writes
// the amounts and calls KekkaOpen.
#pragma once

#include <QRect>
#include <cstdint>
#include <optional>

#include "pricing/enquiry.hpp"
#include "screens/Screen.hpp"
#include "screens/ScreenFlow.hpp"

class QFrame;
class QPushButton;
class QRadioButton;

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
    // The layout of the five screens with a charge, at the given size.
    static Layout chargedLayout(mkd::Enquiry kind, int widthTwips, int heightTwips);

    ChoiceScreen(ScreenFlow& flow, const char* name, mkd::Enquiry kind, const Layout& layout);

    // Copies the journey and the section, and offers 学割 and the change at
    // 松山 as the core says.
    void Form_Load() override;

    void cmdOtona_Click() { price(mkd::Passenger::Adult); }
    void cmdKodomo_Click() { price(mkd::Passenger::Child); }
    void cmdGakuwari_Click() { price(mkd::Passenger::Student); }
    // Discards this screen and shows the screen it came from.
    void cmdBack_Click();
    // Captions the charge, hides this screen, shows the result and selects
    // the result's branch marker.
    void KekkaOpen();

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

    mkd::Enquiry kind() const { return kind_; }

    // The season set by the travel-date screen, tested busy, normal,
    // off-peak; none before it has set one.
    std::optional<mkd::Season> season() const;

protected:
    void closeBox() override { cmdBack_Click(); }
    void languageChanged() override;

private:
    void price(mkd::Passenger passenger);
    // The enquiry as this screen holds it: its copies and its choices.
    mkd::EnquiryRequest request(mkd::Passenger passenger = mkd::Passenger::Adult) const;

    mkd::Trip trip() const;
    mkd::Routing routing() const;
    // Why 学割 is not offered on this journey; nothing where it is.
    std::optional<mkd::Refused> studentRefused() const;
    // Turns 学割 off where it is not offered, with the reason as its tool tip
    // and description.
    void explainStudent();

    mkd::Enquiry kind_;
    std::int16_t hatu_ = -1;
    std::int16_t tyaku_ = -1;
    std::int16_t sectionFrom_ = -1;
    std::int16_t sectionTo_ = -1;
};
