// 運賃・特急料金: the result of every enquiry with a charge on top of the
// fare. The choice screen that opened it writes the amounts and selects its
// branch marker; "戻る" and "再検索" follow the marker.
#pragma once

#include <utility>
#include <vector>

#include "pricing/enquiry.hpp"
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
    // The line below the amounts that names each short table behind the
    // charge (empty and hidden when there is none).
    void showShortTables(const std::vector<mkd::ShortTable>& tables);
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
    QLabel* lblNote;
    QLabel* lblDetail;  // below the buttons: distance, routing, travel date and season
    QPushButton* cmdExit;
    QPushButton* cmdBack;
    QPushButton* cmdRetry;

    // The branch marker of a kind of enquiry (optJiyu, optSitei, …); null for
    // the local train.
    QRadioButton* marker(mkd::Enquiry kind) const;

protected:
    // The close box is "戻る".
    void closeBox() override { cmdBack_Click(); }

private:
    std::vector<std::pair<mkd::Enquiry, QRadioButton*>> markers_;
};
