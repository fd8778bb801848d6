// 運賃・料金決定: Marine Liner, Green car, over the section chosen on frmMSelect.
#pragma once

#include "screens/ChoiceScreen.hpp"

class frmKetteiMG : public ChoiceScreen {
public:
    static constexpr const char* kName = "frmKetteiMG";
    explicit frmKetteiMG(ScreenFlow& f)
        : ChoiceScreen(f, kName, mkd::Enquiry::MarineGreen, chargedLayout(mkd::Enquiry::MarineGreen, 3150, 1890)) {}
};
