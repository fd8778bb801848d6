#include "screens/LastTravelDate.hpp"

#include <QAction>
#include <QComboBox>
#include <QEvent>
#include <QPushButton>

#include "explain/enquiry_words.hpp"
#include "pricing/season.hpp"
#include "records/journey_list.hpp"
#include "screens/DateScreen.hpp"
#include "screens/ScreenFlow.hpp"
#include "screens/WhyLine.hpp"
#include "screens/shortcuts.hpp"
#include "screens/text.hpp"

namespace {

const QString kSetting = QStringLiteral("travel/lastDate");

}  // namespace

LastTravelDate::LastTravelDate(DateScreen& screen, ScreenFlow& flow, QWidget* client)
    : QObject(&screen), screen_(screen), flow_(flow), line_(new LineBelow(client, QStringLiteral("lblLastDate"))) {
    key_ = new QAction(&screen);
    key_->setShortcut(shortcutKey(Shortcut::LastTravelDate));
    screen.addAction(key_);
    connect(key_, &QAction::triggered, this, &LastTravelDate::offerAgain);
    // Kept when the date screen hands it on (its own slot, connected first,
    // has moved on by then; the lists still hold the date).
    connect(screen.cmdNext, &QPushButton::clicked, this, [this] { keep(flow_, screen_.travelDate().date); });
    screen.installEventFilter(this);
}

std::optional<mkd::Date> LastTravelDate::last(ScreenFlow& flow) {
    const auto date = mkd::readDate(flow.seam().setting(kSetting).toString().toStdString());
    if (!date || !mkd::isListedDate(date->year, date->month, date->day)) return std::nullopt;
    return date;
}

void LastTravelDate::keep(ScreenFlow& flow, const mkd::Date& date) {
    flow.seam().setSetting(kSetting, toQt(mkd::dateText(date)));
}

bool LastTravelDate::offerAgain() {
    const auto date = last(flow_);
    if (!date) return false;
    screen_.cboNen->setCurrentIndex(date->year - mkd::kFirstListedYear);
    screen_.cboTuki->setCurrentIndex(date->month - 1);
    screen_.cboNiti->setCurrentIndex(date->day - 1);
    return true;
}

bool LastTravelDate::eventFilter(QObject* watched, QEvent* event) {
    // Said when the screen first shows and kept while it is loaded, so that
    // coming back to it finds it as it was, at the same size.
    if (watched == &screen_ &&
        ((event->type() == QEvent::Show && !shown_) || event->type() == QEvent::LanguageChange)) {
        shown_ = true;
        showLine();
    }
    return QObject::eventFilter(watched, event);
}

void LastTravelDate::showLine() {
    const auto date = last(flow_);
    if (!date) {
        line_->say({});
        return;
    }
    const QString when =
        toQt(mkd::dateAndSeasonText(mkd::travelDate(date->year, date->month, date->day), flow_.language()));
    line_->say(tr("前回の乗車日 %1 (%2)").arg(when, key_->shortcut().toString(QKeySequence::NativeText)));
}
