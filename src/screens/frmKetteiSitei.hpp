// 運賃・料金決定: Limited express, reserved seat, with the season set by the travel-date screen.
#pragma once

#include "screens/ChoiceScreen.hpp"

class frmKetteiSitei : public ChoiceScreen {
    Q_OBJECT
public:
    static constexpr const char* kName = "frmKetteiSitei";
    explicit frmKetteiSitei(ScreenFlow& f) : ChoiceScreen(f, kName, shapeOf(mkd::Enquiry::Reserved, 3150, 2370)) {}

    void Form_Load() override;
    void cmdBack_Click() override;
    void KekkaOpen() override;

protected:
    mkd::ChargedPrice priceFor(mkd::Passenger passenger) const override;
};
