// 運賃・特急料金: the result of every enquiry with a charge on top of the
// fare. It shows the enquiry in progress, and sets the hidden branch marker
// of its kind; "戻る" and "再検索" follow that kind.
#pragma once

#include <optional>
#include <utility>
#include <vector>

#include "pricing/enquiry.hpp"
#include "screens/ResultScreen.hpp"

class QLabel;
class QPushButton;
class QRadioButton;

class frmKekkaT : public ResultScreen {
    Q_OBJECT
public:
    static constexpr const char* kName = "frmKekkaT";
    explicit frmKekkaT(ScreenFlow& flow);

    // Shows the answer of the enquiry in progress, with the line below the
    // amounts that names each short table behind the charge (hidden when
    // there is none), and sets the marker of its kind.
    void showEnquiry() override;
    // Shows `caption` over the charge (it stays until another is shown).
    void showCaption(mkd::Msg caption);
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

    // The branch marker of a kind of enquiry (optJiyu, optSitei, …); null for
    // the local train.
    QRadioButton* marker(mkd::Enquiry kind) const;

protected:
    // The close box is "戻る".
    void closeBox() override { cmdBack_Click(); }

private:
    void showStations();
    void writeAnswer() override;

    std::vector<std::pair<mkd::Enquiry, QRadioButton*>> markers_;
    std::optional<mkd::Msg> caption_;
};
