// 運賃・料金決定: Limited express, reserved seat, with the season set by the travel-date screen.
#pragma once

#include "screens/ChoiceScreen.hpp"

class frmKetteiSitei : public ChoiceScreen {
public:
    static constexpr const char* kName = "frmKetteiSitei";
    explicit frmKetteiSitei(ScreenFlow& f)
        : ChoiceScreen(f, kName, mkd::Enquiry::Reserved, chargedLayout(mkd::Enquiry::Reserved, 3150, 2370)) {}
};
