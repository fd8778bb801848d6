#include "screens/ResultScreen.hpp"

#include <QPushButton>

#include "screens/AnswerOut.hpp"
#include "screens/CompareWindow.hpp"
#include "screens/ScreenFlow.hpp"

ResultScreen::ResultScreen(ScreenFlow& f, const char* name, const char* caption, int widthTwips, int heightTwips)
    : Screen(f, name, caption, widthTwips, heightTwips) {}

void ResultScreen::finishResult() {
    cmdExit = control<QPushButton>("cmdExit");
    cmdBack = control<QPushButton>("cmdBack");
    cmdRetry = control<QPushButton>("cmdRetry");
    // A key pressed at once on a result asks for a new search, never the end.
    cmdRetry->setFocus();
    setWords(cmdRetry, QT_TR_NOOP("最初の画面に戻って、次の区間を調べる"), Words::ToolTip);
    connect(cmdExit, &QPushButton::clicked, this, &ResultScreen::cmdExit_Click);
    connect(cmdBack, &QPushButton::clicked, this, &ResultScreen::cmdBack_Click);
    connect(cmdRetry, &QPushButton::clicked, this, &ResultScreen::cmdRetry_Click);
    offerComparison(*this, flow);
    new AnswerOut(*this, flow);
}

void ResultScreen::showEnquiry() {
    if (const auto shown = shownAnswerOf(flow.enquiry())) showAnswer(*shown);
}

void ResultScreen::showAnswer(const ShownAnswer& shown) {
    answer_ = shown;
    writeAnswer();
}

std::optional<mkd::Enquiry> ResultScreen::shownKind() const {
    if (!answer_) return std::nullopt;
    return flow.enquiry().request.kind;
}

void ResultScreen::cmdBack_Click() {
    if (const auto kind = shownKind()) flow.follow(*this, "cmdBack", kind);
}

void ResultScreen::cmdRetry_Click() {
    if (const auto kind = shownKind()) {
        flow.follow(*this, "cmdRetry", kind);
        return;
    }
    if (Screen* start = flow.loaded("frmStart")) start->show();
}

void ResultScreen::cmdExit_Click() { flow.endProgram(0); }
