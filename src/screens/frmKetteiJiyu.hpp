// 運賃・料金決定: Limited express, non-reserved seat.
#pragma once

#include "screens/ChoiceScreen.hpp"

class frmKetteiJiyu : public ChoiceScreen {
public:
    static constexpr const char* kName = "frmKetteiJiyu";
    explicit frmKetteiJiyu(ScreenFlow& f)
        : ChoiceScreen(f, kName, mkd::Enquiry::NonReserved, chargedLayout(mkd::Enquiry::NonReserved, 3150, 2310)) {}
};
