// 運賃決定: the passenger kind and the trip of a local-train enquiry.
#pragma once

#include "screens/ChoiceScreen.hpp"

class frmKettei : public ChoiceScreen {
    Q_OBJECT
public:
    static constexpr const char* kName = "frmKettei";
    explicit frmKettei(ScreenFlow& flow);

    // However it is discarded, the start screen comes back.
    void Form_Unload() override;
};
