// 運賃・料金決定: Marine Liner, reserved seat: fixed charges by season.
#pragma once

#include "screens/ChoiceScreen.hpp"

class frmKetteiMarine : public ChoiceScreen {
    Q_OBJECT
public:
    static constexpr const char* kName = "frmKetteiMarine";
    explicit frmKetteiMarine(ScreenFlow& f) : ChoiceScreen(f, kName, shapeOf(mkd::Enquiry::MarineReserved, 3180, 1890)) {}

    void Form_Load() override;
    void cmdBack_Click() override;
    void KekkaOpen() override;

protected:
    mkd::ChargedPrice priceFor(mkd::Passenger passenger) const override;
};
