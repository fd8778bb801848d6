// 運賃・特急料金: the result of every enquiry with a charge on top of the
// fare. The choice screen that opened it writes the amounts and selects its
// branch marker; "戻る" and "再検索" follow the marker.
#pragma once

#include <optional>
#include <utility>
#include <vector>

#include "pricing/enquiry.hpp"
#include "screens/Screen.hpp"
#include "screens/answer_lines.hpp"

class QLabel;
class QPushButton;
class QRadioButton;

class frmKekkaT : public Screen {
    Q_OBJECT
public:
    static constexpr const char* kName = "frmKekkaT";
    explicit frmKekkaT(ScreenFlow& flow);

    void Form_Load() override;
    // Shows the amounts of `shown`, now and again after a change of
    // language, with the line below them that names each short table behind
    // the charge (hidden when there is none).
    void showAnswer(const ShownAnswer& shown);
    // Shows the answer of the enquiry in progress (as the screen does when
    // it is made).
    void showEnquiry();
    // Shows `caption` over the charge (it stays until another is shown).
    void showCaption(mkd::Msg caption);
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
    // The kind whose marker is set: the enquiry whose answer is shown.
    std::optional<mkd::Enquiry> shownKind() const;

protected:
    // The close box is "戻る".
    void closeBox() override { cmdBack_Click(); }
    void languageChanged() override;

private:
    // Copy, print and the journey list on this result (AnswerOut).
    void addAnswerOut();
    void showStations();
    void writeAnswer();

    std::vector<std::pair<mkd::Enquiry, QRadioButton*>> markers_;
    std::optional<ShownAnswer> answer_;
    std::optional<mkd::Msg> caption_;
};
