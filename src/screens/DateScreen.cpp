#include "screens/DateScreen.hpp"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>

#include "explain/enquiry_words.hpp"
#include "screens/ChoiceScreen.hpp"
#include "screens/ScreenFlow.hpp"
#include "screens/text.hpp"

DateScreen::DateScreen(ScreenFlow& f, const char* name, mkd::Enquiry kind)
    : Screen(f, name, QT_TR_NOOP("乗車日"), 3990, 3990), kind_(kind) {
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
    captionOf("lblNen", cboNen);
    captionOf("lblGatu", cboTuki);
    captionOf("lblNiti", cboNiti);
    listEnterButton = cmdNext;
    // The window is taller than the lists and buttons need: the room below
    // them is for the explanation, which never fits between them.
    lblWhy = addLabel("lblWhy", nullptr, twips(240, 2160, 3510, 1710), 9, Qt::AlignLeft | Qt::AlignTop);
    lblWhy->setWordWrap(true);
    for (QComboBox* list : {cboNen, cboTuki, cboNiti})
        connect(list, &QComboBox::currentIndexChanged, this, &DateScreen::explain);

    connect(cmdNext, &QPushButton::clicked, this, &DateScreen::cmdNext_Click);
    connect(cmdBack, &QPushButton::clicked, this, &DateScreen::cmdBack_Click);
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
    lblWhy->setText(lines.join(QLatin1Char('\n')));
    lblWhy->setAccessibleDescription(lblWhy->text());
}

QString DateScreen::yearItem(int year) const {
    // The era year is Japan's own; visitors count in the common era.
    return flow.language() == mkd::Lang::English ? QString::number(year)
                                                 : QStringLiteral("平成%1年").arg(mkd::heiseiYear(year));
}

void DateScreen::languageChanged() {
    for (int i = 0; i < cboNen->count(); ++i) cboNen->setItemText(i, yearItem(mkd::kFirstListedYear + i));
}

void DateScreen::cmdNext_Click() {
    const mkd::TravelDate date = travelDate();
    flow.enquiry().date = date;
    flow.enquiry().request.season = date.season;
    if (!setSeason(date.season)) return;
    ChoiceScreen* choice = flow.choiceScreen(kind_);
    if (!choice || !readSeasonTables(*choice)) return;
    flow.follow(*this, "cmdNext");
}

bool DateScreen::setSeason(mkd::Season season) {
    ChoiceScreen* choice = flow.choiceScreen(kind_);
    if (!choice) return false;
    QRadioButton* option = season == mkd::Season::Busy     ? choice->optHanbo
                           : season == mkd::Season::Normal ? choice->optTujo
                                                           : choice->optKansan;
    option->setChecked(true);
    return true;
}

bool DateScreen::readSeasonTables(const ChoiceScreen& choice) {
    // Read again on every "次へ", from the files of the season now on the
    // choice screen.
    const std::optional<mkd::Season> season = choice.season();
    if (!season) return true;
    for (auto file : mkd::tablesRead(kind_, mkd::Step::TravelDate, *season))
        if (!flow.load(file)) return false;
    return true;
}
