// 乗車日: the travel date of a reserved-seat enquiry. Two twins share this
// shape: frmDate (limited express, loads the season's reserved-seat tables)
// and frmDate2 (Marine Liner). "次へ" asks the core for the date's season and sets it
// on the next choice screen through Hanbo, Tujo or Kansan, which create that
// screen first if it is not loaded.
#pragma once

#include "pricing/season.hpp"
#include "screens/Screen.hpp"

class QComboBox;
class QLabel;
class QPushButton;
class ChoiceScreen;

class DateScreen : public Screen {
    Q_OBJECT
public:
    DateScreen(ScreenFlow& flow, const char* name);

    void Form_Load() override;
    void cmdNext_Click();
    virtual void cmdBack_Click() = 0;

    // The date the lists show, with its season and why.
    mkd::TravelDate travelDate() const;

    void Hanbo() { setSeason(mkd::Season::Busy); }
    void Tujo() { setSeason(mkd::Season::Normal); }
    void Kansan() { setSeason(mkd::Season::OffPeak); }

    QComboBox* cboNen;
    QComboBox* cboTuki;
    QComboBox* cboNiti;
    QPushButton* cmdNext;
    QPushButton* cmdBack;
    // Not one of the screen's own controls: below the buttons, the chosen
    // date in full with its weekday and season, why it has that season, a
    // day that rolls into the next month, and the years that can be priced.
    QLabel* lblWhy;

protected:
    void languageChanged() override;
    // The choice screen the season goes to, created and loaded if needed.
    virtual ChoiceScreen* target() = 0;
    // What "次へ" does after the season is set, before moving on.
    virtual bool afterSeason(ChoiceScreen&) { return true; }

private:
    void setSeason(mkd::Season season);
    mkd::Date today_{};        // the clock's day when the screen was loaded
    mkd::Date preselected_{};  // the date the lists opened on
    void explain();
    QString yearItem(int year) const;
};
