// 運賃・料金決定: Limited express, Green car.
#pragma once

#include "screens/ChoiceScreen.hpp"

class frmKetteiGreen : public ChoiceScreen {
public:
    static constexpr const char* kName = "frmKetteiGreen";
    explicit frmKetteiGreen(ScreenFlow& f)
        : ChoiceScreen(f, kName, mkd::Enquiry::Green, chargedLayout(mkd::Enquiry::Green, 3150, 2310)) {}
};
