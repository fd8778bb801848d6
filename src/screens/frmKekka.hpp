// 普通運賃: the result of a local-train enquiry.
#pragma once

#include <optional>

#include "screens/Screen.hpp"
#include "screens/answer_lines.hpp"

class LineBelow;
class QLabel;
class QPushButton;

class frmKekka : public Screen {
    Q_OBJECT
public:
    static constexpr const char* kName = "frmKekka";
    explicit frmKekka(ScreenFlow& flow);

    void Form_Load() override;
    void Form_Unload() override;
    // Shows the amount of `shown`, now and again after a change of language.
    void showAnswer(const ShownAnswer& shown);
    // Shows the answer of the enquiry in progress (as the screen does when
    // it is made).
    void showEnquiry();

    void cmdBack_Click();
    void cmdRetry_Click();
    void cmdExit_Click();

    QLabel* lblHatu;
    QLabel* lbltyaku;
    QLabel* lblBill;
    QLabel* lblYen;
    QLabel* lblDetail;  // between the amount and the buttons: the distance
    QLabel* lblSplit;  // below the buttons: a cheaper split into several tickets
    QPushButton* cmdExit;
    QPushButton* cmdBack;
    QPushButton* cmdRetry;
    // A cheaper split's tickets, their amounts, validity and what they give
    // up: the button's accessible name, and a line below while it is down.
    QPushButton* cmdUtiwake;
    LineBelow* lblSplitTickets;

protected:
    void languageChanged() override;

private:
    // Copy, print and the journey list on this result (AnswerOut).
    void addAnswerOut();
    void showStations();
    void writeAnswer();

    std::optional<ShownAnswer> answer_;
};
