// 運賃・特急料金: the result of every enquiry with a charge on top of the
// fare. The choice screen that opened it writes the amounts and selects its
// branch marker; "戻る" and "再検索" follow the marker.
#pragma once

#include "screens/Screen.hpp"

class QLabel;
class QPushButton;
class QRadioButton;

class frmKekkaT : public Screen {
    Q_OBJECT
public:
    static constexpr const char* kName = "frmKekkaT";
    explicit frmKekkaT(ScreenFlow& flow);

    void Form_Load() override;
    void cmdBack_Click();
    void cmdRetry_Click();
    void cmdExit_Click();

    QLabel* lblBill;
    QLabel* lblHatu;
    QLabel* lbltyaku;
    QLabel* lblYen;
    QLabel* lblBillT;
    QLabel* lblHatuT;
    QLabel* lblTyakuT;
    QLabel* lblYenT;
    QLabel* lblGoukei;
    QPushButton* cmdExit;
    QPushButton* cmdBack;
    QPushButton* cmdRetry;
    QRadioButton* optMarine;
    QRadioButton* optMarineG;
    QRadioButton* optJiyu;
    QRadioButton* optSitei;
    QRadioButton* optGreen;

protected:
    // The close box is "戻る".
    void closeBox() override { cmdBack_Click(); }
    void languageChanged() override;

private:
    void showStations();
    // Discards this screen and shows the choice screen that opened it.
    template <class Choice>
    void backTo();
    // Discards this screen, then the branch's screens in the order given.
    template <class... Screens>
    void discardBranch();
};
