#include "screens/DateScreen.hpp"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>

#include "explain/enquiry_words.hpp"
#include "screens/ChoiceScreen.hpp"
#include "screens/LastTravelDate.hpp"
#include "screens/ScreenFlow.hpp"
#include "screens/SeasonCalendar.hpp"
#include "screens/WhyLine.hpp"
#include "screens/text.hpp"

namespace {

// How a person may type a listed year: "2007", the Heisei year as the
// Japanese list counts ("19", "h19"), or its last two digits ("07").
QStringList yearSpellings(int year) {
    const QString heisei = QString::number(mkd::heiseiYear(year));
    return {QString::number(year), heisei, QStringLiteral("h") + heisei, QString::number(year).right(2)};
}

// Typing a year into the year list, closed or open, chooses it: the list's
// own search finds only an entry's first letters ("平"), not the year. While
// the keys typed so far may still become a year the choice waits; when they
// cannot, it goes back to the year chosen before the typing.
class YearSearch : public QObject {
public:
    explicit YearSearch(QComboBox* list) : QObject(list), list_(list) {
        list->installEventFilter(this);
        list->view()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) return false;
        const QString key = static_cast<QKeyEvent*>(event)->text().toLower();
        if (key.size() != 1 || !(key[0].isDigit() || key[0] == u'h')) return false;
        const bool open = watched == list_->view();
        if (!since_.isValid() || since_.elapsed() > QApplication::keyboardInputInterval()) {
            typed_.clear();
            before_ = open ? list_->view()->currentIndex().row() : list_->currentIndex();
        }
        since_.start();
        typed_ += key[0].isDigit() ? QString::number(key[0].digitValue()) : key;
        int row = before_;
        bool waits = false;
        for (int year = mkd::kFirstListedYear; year <= mkd::kLastListedYear; ++year)
            for (const QString& spelling : yearSpellings(year)) {
                if (spelling == typed_) row = year - mkd::kFirstListedYear;
                waits = waits || spelling.startsWith(typed_);
            }
        if (!waits) typed_.clear();
        if (row < 0) return true;
        if (open)
            list_->view()->setCurrentIndex(list_->model()->index(row, list_->modelColumn()));
        else
            list_->setCurrentIndex(row);
        return true;
    }

private:
    QComboBox* list_;
    QString typed_;  // the keys typed in quick succession
    int before_ = -1;  // the row chosen before them
    QElapsedTimer since_;
};

}  // namespace

DateScreen::DateScreen(ScreenFlow& f, const char* name, mkd::Enquiry kind)
    : Screen(f, name, QT_TR_NOOP("乗車日"), 3990, 2400), kind_(kind) {
    // The unit labels start lower than their lists; their text sits at the
    // top of their place, as near the lists' text as it can be.
    const auto unit = Qt::AlignHCenter | Qt::AlignTop;
    addControls({
        {ControlRow::Label, "lblJoushabi", QT_TR_NOOP("乗車日は？"), 480, 360, 1455, 255, 12, Qt::AlignCenter},
        {ControlRow::List, "cboNen", nullptr, 240, 960, 1095, 300},
        {ControlRow::Label, "lblNen", QT_TR_NOOP("年"), 1320, 1080, 375, 255, 9.75, unit},
        {ControlRow::List, "cboTuki", nullptr, 1680, 960, 735, 300},
        {ControlRow::Label, "lblGatu", QT_TR_NOOP("月"), 2400, 1080, 375, 255, 9.75, unit},
        {ControlRow::List, "cboNiti", nullptr, 2760, 960, 735, 300},
        {ControlRow::Label, "lblNiti", QT_TR_NOOP("日"), 3480, 1080, 375, 255, 9.75, unit},
        {ControlRow::Button, "cmdNext", QT_TR_NOOP("次へ"), 840, 1680, 975, 375},
        {ControlRow::Button, "cmdBack", QT_TR_NOOP("戻る"), 2040, 1680, 975, 375},
    });
    cboNen = control<QComboBox>("cboNen");
    cboTuki = control<QComboBox>("cboTuki");
    cboNiti = control<QComboBox>("cboNiti");
    cmdNext = control<QPushButton>("cmdNext");
    cmdBack = control<QPushButton>("cmdBack");
    cboNiti->setMaxVisibleItems(31);
    new YearSearch(cboNen);
    captionOf("lblNen", cboNen);
    captionOf("lblGatu", cboTuki);
    captionOf("lblNiti", cboNiti);
    nameInFull();
    listEnterButton = cmdNext;
    // The window grows below the lists and buttons for the journey and the
    // explanation, which never fit between them; the explanation keeps room
    // for its longest case, so that the window keeps its size as the date
    // changes.
    lblJourney = new LineBelow(client, QStringLiteral("lblJourney"));
    lblWhy = new LineBelow(client, QStringLiteral("lblWhy"));
    lblWhy->setMinimumHeight(px(1710));
    for (QComboBox* list : {cboNen, cboTuki, cboNiti})
        connect(list, &QComboBox::currentIndexChanged, this, &DateScreen::explain);

    connect(cmdNext, &QPushButton::clicked, this, &DateScreen::cmdNext_Click);
    connect(cmdBack, &QPushButton::clicked, this, &DateScreen::cmdBack_Click);
    offerSeasonCalendar(*this, f, client);  // F4, and a line below the others
    new LastTravelDate(*this, flow, client);
}

void DateScreen::Form_Load() {
    for (int year = mkd::kFirstListedYear; year <= mkd::kLastListedYear; ++year) cboNen->addItem(yearItem(year));
    for (int month = 1; month <= 12; ++month) cboTuki->addItem(QString::number(month));
    for (int day = 1; day <= 31; ++day) cboNiti->addItem(QString::number(day));
    // Today, or the nearest listed year when the clock is outside 2002–2008.
    today_ = flow.seam().today();
    const mkd::Date d = mkd::defaultTravelDate(today_);
    preselected_ = d;
    cboNen->setCurrentIndex(d.year - mkd::kFirstListedYear);
    cboTuki->setCurrentIndex(d.month - 1);
    cboNiti->setCurrentIndex(d.day - 1);
    explain();
}

mkd::TravelDate DateScreen::travelDate() const {
    // The lists always hold a selection; should one ever be empty, its first
    // entry stands in.
    return mkd::travelDate(std::max(0, cboNen->currentIndex()) + mkd::kFirstListedYear,
                           std::max(0, cboTuki->currentIndex()) + 1, std::max(0, cboNiti->currentIndex()) + 1);
}

void DateScreen::setTravelDate(const mkd::Date& date) {
    if (!mkd::isListedDate(date.year, date.month, date.day) || cboNen->count() == 0) return;
    cboNen->setCurrentIndex(date.year - mkd::kFirstListedYear);
    cboTuki->setCurrentIndex(date.month - 1);
    cboNiti->setCurrentIndex(date.day - 1);
    cboNiti->setFocus(Qt::OtherFocusReason);
}

void DateScreen::explain() {
    if (cboNen->count() == 0) return;  // not loaded yet
    const mkd::TravelDate date = travelDate();
    const mkd::Lang lang = flow.language();
    QStringList lines{toQt(mkd::dateAndSeasonText(date, lang)), toQt(mkd::seasonReason(date, lang))};
    if (date.rolledOver) lines << toQt(mkd::rolledOverText(date, lang));
    // While the date is the one chosen for a today outside the listed years,
    // say so: the lists do not show today.
    if (date.date.year == preselected_.year && date.date.month == preselected_.month &&
        date.date.day == preselected_.day)
        if (const std::string moved = mkd::todayNotListedText(today_, preselected_, lang); !moved.empty())
            lines << toQt(moved);
    lines << toQt(mkd::listedYearsText(lang));
    lblWhy->say(lines.join(QLatin1Char('\n')));
}

QString DateScreen::yearItem(int year) const {
    // The era year is Japan's own; visitors count in the common era.
    return flow.language() == mkd::Lang::English ? QString::number(year)
                                                 : QStringLiteral("平成%1年").arg(mkd::heiseiYear(year));
}

void DateScreen::setVisible(bool visible) {
    if (visible) lblJourney->say(toQt(mkd::pricedJourneyText(flow.enquiry().request, flow.language())));
    Screen::setVisible(visible);
}

void DateScreen::nameInFull() {
    // In English the unit captions are a letter each ("Y", "M", "D"), all
    // their places hold; a screen reader says the word.
    cboNen->setAccessibleName(tr("年", "the year list's name in full"));
    cboTuki->setAccessibleName(tr("月", "the month list's name in full"));
    cboNiti->setAccessibleName(tr("日", "the day list's name in full"));
}

void DateScreen::languageChanged() {
    nameInFull();
    lblJourney->say(toQt(mkd::pricedJourneyText(flow.enquiry().request, flow.language())));
    for (int i = 0; i < cboNen->count(); ++i) cboNen->setItemText(i, yearItem(mkd::kFirstListedYear + i));
    explain();
}

void DateScreen::cmdNext_Click() {
    const mkd::TravelDate date = travelDate();
    flow.enquiry().date = date;
    flow.enquiry().request.season = date.season;
    // The choice screen's hidden season options follow the enquiry; the
    // season's tables are read again on every "次へ".
    ChoiceScreen* choice = choiceScreen(flow, kind_);
    if (!choice) return;
    choice->showSeason();
    if (!flow.takeStep(mkd::Step::TravelDate)) return;
    flow.follow(*this, "cmdNext");
}
