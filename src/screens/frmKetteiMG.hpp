// 運賃・料金決定: Marine Liner, Green car, over the section chosen on frmMSelect.
#pragma once

#include "screens/ChoiceScreen.hpp"

class frmKetteiMG : public ChoiceScreen {
    Q_OBJECT
public:
    static constexpr const char* kName = "frmKetteiMG";
    explicit frmKetteiMG(ScreenFlow& f) : ChoiceScreen(f, kName, shapeOf(mkd::Enquiry::MarineGreen, 3150, 1890)) {}

    void Form_Load() override;
    void cmdBack_Click() override;
    void KekkaOpen() override;

protected:
    mkd::ChargedPrice priceFor(mkd::Passenger passenger) const override;
};
