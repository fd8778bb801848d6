// 乗車日 of a Marine Liner reserved-seat enquiry.
#pragma once

#include "screens/DateScreen.hpp"

class frmDate2 : public DateScreen {
    Q_OBJECT
public:
    static constexpr const char* kName = "frmDate2";
    explicit frmDate2(ScreenFlow& f) : DateScreen(f, kName, mkd::Enquiry::MarineReserved) {}

    void cmdBack_Click() override;

protected:
    // The close box is "戻る": back to the start screen.
    void closeBox() override { cmdBack_Click(); }
};
