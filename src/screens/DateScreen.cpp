#include "screens/DateScreen.hpp"

#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>

#include "screens/ChoiceScreen.hpp"
#include "screens/ScreenFlow.hpp"
#include "words/words.hpp"

DateScreen::DateScreen(ScreenFlow& f, const char* name) : Screen(f, name, QT_TR_NOOP("乗車日"), 3990, 2400) {
    addLabel("lblJoushabi", QT_TR_NOOP("乗車日は？"), twips(480, 360, 1455, 255), 12, Qt::AlignCenter);
    cboNen = addList("cboNen", twips(240, 960, 1095, 300));
    addLabel("lblNen", QT_TR_NOOP("年"), twips(1320, 1080, 375, 255), 9.75, Qt::AlignCenter);
    cboTuki = addList("cboTuki", twips(1680, 960, 735, 300));
    addLabel("lblGatu", QT_TR_NOOP("月"), twips(2400, 1080, 375, 255), 9.75, Qt::AlignCenter);
    cboNiti = addList("cboNiti", twips(2760, 960, 735, 300));
    addLabel("lblNiti", QT_TR_NOOP("日"), twips(3480, 1080, 375, 255), 9.75, Qt::AlignCenter);
    cmdNext = addButton("cmdNext", QT_TR_NOOP("次へ"), twips(840, 1680, 975, 375));
    cmdBack = addButton("cmdBack", QT_TR_NOOP("戻る"), twips(2040, 1680, 975, 375));
    cboNiti->setMaxVisibleItems(31);

    connect(cmdNext, &QPushButton::clicked, this, &DateScreen::cmdNext_Click);
    connect(cmdBack, &QPushButton::clicked, this, &DateScreen::cmdBack_Click);
}

void DateScreen::Form_Load() {
    for (int year = mkd::kFirstListedYear; year <= mkd::kLastListedYear; ++year) cboNen->addItem(yearItem(year));
    for (int month = 1; month <= 12; ++month) cboTuki->addItem(QString::number(month));
    for (int day = 1; day <= 31; ++day) cboNiti->addItem(QString::number(day));
    // Today, or the nearest listed year when the clock is outside 2002–2008.
    const mkd::Date d = mkd::defaultTravelDate(flow.seam().today());
    cboNen->setCurrentIndex(d.year - mkd::kFirstListedYear);
    cboTuki->setCurrentIndex(d.month - 1);
    cboNiti->setCurrentIndex(d.day - 1);
}

QString DateScreen::yearItem(int year) const {
    // The era year is Japan's own; visitors count in the common era.
    return flow.language() == mkd::Lang::English ? QString::number(year) : QStringLiteral("平成%1年").arg(year - 1988);
}

void DateScreen::languageChanged() {
    for (int i = 0; i < cboNen->count(); ++i) cboNen->setItemText(i, yearItem(mkd::kFirstListedYear + i));
}

void DateScreen::cmdNext_Click() {
    // The lists always hold a selection; should one ever be empty, its first
    // entry stands in.
    nen_ = static_cast<short>(std::max(0, cboNen->currentIndex()) + mkd::kFirstListedYear);
    tuki_ = static_cast<short>(std::max(0, cboTuki->currentIndex()) + 1);
    niti_ = static_cast<short>(std::max(0, cboNiti->currentIndex()) + 1);
    travelDate_ = mkd::rollOver(nen_, tuki_, niti_);

    setSeason(mkd::calendarSeason(travelDate_));
    if (mkd::isNormalSeasonOverride(travelDate_)) Tujo();
    ChoiceScreen* choice = target();
    if (!choice || !afterSeason(*choice)) return;
    hide();
    choice->show();
}

void DateScreen::setSeason(mkd::Season season) {
    ChoiceScreen* choice = target();
    if (!choice) return;
    QRadioButton* option = season == mkd::Season::Busy     ? choice->optHanbo
                           : season == mkd::Season::Normal ? choice->optTujo
                                                           : choice->optKansan;
    option->setChecked(true);
}
