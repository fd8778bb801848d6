// The travel date chosen last, offered again in one key. A date screen keeps
// its own preselection (today, or its stand-in inside the listed years);
// below it a line says "前回の乗車日 2007年10月10日（水）通常期 (F5)" and F5 puts
// that date in the lists. The date is kept when "次へ" is pressed, for this
// run and in the settings ("travel/lastDate", "2007-10-10").
#pragma once

#include <QObject>
#include <optional>

#include "data/date.hpp"

class DateScreen;
class LineBelow;
class QAction;
class QWidget;
class ScreenFlow;

class LastTravelDate : public QObject {
    Q_OBJECT
public:
    // `client` is the screen's client area, where the line goes.
    LastTravelDate(DateScreen& screen, ScreenFlow& flow, QWidget* client);

    // The travel date chosen last on any date screen, if any.
    static std::optional<mkd::Date> last(ScreenFlow& flow);
    static void keep(ScreenFlow& flow, const mkd::Date& date);

    // Puts the last date into the lists; false when there is none.
    bool offerAgain();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showLine();

    DateScreen& screen_;
    ScreenFlow& flow_;
    LineBelow* line_;
    QAction* key_;
    bool shown_ = false;
};
