// 運賃決定: the passenger kind and the trip of a local-train enquiry.
#pragma once

#include <cstdint>

#include "pricing/fares.hpp"
#include "screens/Screen.hpp"

class QPushButton;
class QRadioButton;

class frmKettei : public Screen {
    Q_OBJECT
public:
    static constexpr const char* kName = "frmKettei";
    explicit frmKettei(ScreenFlow& flow);

    void Form_Load() override;
    void Form_Unload() override;

    void cmdOtona_Click() { price(mkd::Passenger::Adult); }
    void cmdKodomo_Click() { price(mkd::Passenger::Child); }
    void cmdGakuwari_Click() { price(mkd::Passenger::Student); }
    void cmdBack_Click();

    QPushButton* cmdOtona;
    QPushButton* cmdKodomo;
    QPushButton* cmdGakuwari;
    QRadioButton* optKatamiti;
    QRadioButton* optOfuku;
    QPushButton* cmdBack;

private:
    void price(mkd::Passenger passenger);

    // The journey, copied from the start screen when this screen loads.
    std::int16_t hatu_ = -1;
    std::int16_t tyaku_ = -1;
};
