// 普通運賃: the result of a local-train enquiry.
#pragma once

#include <optional>

#include "screens/ResultScreen.hpp"

class LineBelow;
class QLabel;

class frmKekka : public ResultScreen {
    Q_OBJECT
public:
    static constexpr const char* kName = "frmKekka";
    explicit frmKekka(ScreenFlow& flow);

    void Form_Unload() override;

    QLabel* lblHatu;
    QLabel* lbltyaku;
    QLabel* lblBill;
    QLabel* lblYen;
    QLabel* lblDetail;  // between the amount and the buttons: the distance
    QLabel* lblSplit;  // below the buttons: a cheaper split into several tickets
    // A cheaper split's tickets, their amounts, validity and what they give
    // up: the button's accessible name, and a line below while it is down.
    QPushButton* cmdUtiwake;
    LineBelow* lblSplitTickets;

private:
    void showStations();
    void writeAnswer() override;
};
