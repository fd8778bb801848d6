// 運賃・料金決定: Limited express, non-reserved seat.
#pragma once

#include "screens/ChoiceScreen.hpp"

class frmKetteiJiyu : public ChoiceScreen {
    Q_OBJECT
public:
    static constexpr const char* kName = "frmKetteiJiyu";
    explicit frmKetteiJiyu(ScreenFlow& f) : ChoiceScreen(f, kName, shapeOf(mkd::Enquiry::NonReserved, 3150, 2310)) {}

    void Form_Load() override;
    void cmdBack_Click() override;
    void KekkaOpen() override;

protected:
    mkd::ChargedPrice priceFor(mkd::Passenger passenger) const override;
};
