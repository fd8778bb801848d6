// 運賃・料金決定: Marine Liner, reserved seat: fixed charges by season.
#pragma once

#include "screens/ChoiceScreen.hpp"

class frmKetteiMarine : public ChoiceScreen {
public:
    static constexpr const char* kName = "frmKetteiMarine";
    explicit frmKetteiMarine(ScreenFlow& f)
        : ChoiceScreen(f, kName, mkd::Enquiry::MarineReserved,
                       chargedLayout(mkd::Enquiry::MarineReserved, 3180, 1890)) {}
};
