// What the two result screens share (frmKekka for the local train, frmKekkaT
// for every enquiry with a charge): the answer of the enquiry in progress,
// shown when the screen is made and written again after a change of
// language; 終了, 戻る and 再検索 (the focus on 再検索, so that a key pressed at
// once never ends the program), which follow the moves of the kind shown;
// the compare window and the answer taken elsewhere (AnswerOut).
#pragma once

#include <optional>

#include "pricing/enquiry.hpp"
#include "screens/Screen.hpp"
#include "screens/answer_lines.hpp"

class QPushButton;

class ResultScreen : public Screen {
    Q_OBJECT
public:
    ResultScreen(ScreenFlow& flow, const char* name, const char* caption, int widthTwips, int heightTwips);

    void Form_Load() override { showEnquiry(); }
    // Shows the answer of the enquiry in progress.
    virtual void showEnquiry();
    // Shows the amounts of `shown`, now and again after a change of language.
    void showAnswer(const ShownAnswer& shown);

    void cmdBack_Click();
    void cmdRetry_Click();
    void cmdExit_Click();

    QPushButton* cmdExit = nullptr;
    QPushButton* cmdBack = nullptr;
    QPushButton* cmdRetry = nullptr;

    // The kind of the enquiry whose answer is shown; none before one is.
    std::optional<mkd::Enquiry> shownKind() const;

protected:
    // Once the screen's controls (its three buttons among them) are made.
    void finishResult();
    void languageChanged() override { writeAnswer(); }
    // Writes answer_ on the screen's labels.
    virtual void writeAnswer() = 0;

    std::optional<ShownAnswer> answer_;
};
