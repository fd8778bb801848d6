// 乗車日 of a limited-express reserved-seat enquiry.
#pragma once

#include "screens/DateScreen.hpp"

class frmDate : public DateScreen {
    Q_OBJECT
public:
    static constexpr const char* kName = "frmDate";
    explicit frmDate(ScreenFlow& f) : DateScreen(f, kName, mkd::Enquiry::Reserved) {}

    void Form_Unload() override;
    void cmdBack_Click() override;
};
