// 乗車日: the travel date of an enquiry whose price depends on the season.
// Two twins share this shape: frmDate (limited express, reads the season's
// reserved-seat tables) and frmDate2 (Marine Liner). "次へ" asks the core for
// the date's season, writes the date into the enquiry in progress, sets the
// season on the hidden options of the kind's choice screen (creating it
// first if it is not loaded), reads the tables of that season and moves on.
#pragma once

#include "pricing/enquiry.hpp"
#include "pricing/season.hpp"
#include "screens/Screen.hpp"

class QComboBox;
class QLabel;
class LineBelow;
class QPushButton;
class ChoiceScreen;

class DateScreen : public Screen {
    Q_OBJECT
public:
    DateScreen(ScreenFlow& flow, const char* name, mkd::Enquiry kind);

    void Form_Load() override;
    // Names the journey being priced before the screen shows.
    void setVisible(bool visible) override;
    void cmdNext_Click();
    virtual void cmdBack_Click() = 0;

    // The date the lists show, with its season and why.
    mkd::TravelDate travelDate() const;
    // Sets the lists to `date` (a listed year), as the season calendar's
    // Enter does; the focus goes back to the day list.
    void setTravelDate(const mkd::Date& date);

    QComboBox* cboNen;
    QComboBox* cboTuki;
    QComboBox* cboNiti;
    QPushButton* cmdNext;
    QPushButton* cmdBack;
    // Not the screen's own controls: below the buttons, the journey being
    // priced; below it the chosen date in full with its weekday and season,
    // why it has that season, a day that rolls into the next month, and the
    // years that can be priced.
    LineBelow* lblJourney;
    LineBelow* lblWhy;

protected:
    void languageChanged() override;

private:
    mkd::Date today_{};  // the clock's day when the screen was loaded
    mkd::Date preselected_{};  // the date the lists opened on
    void explain();
    void nameInFull();
    QString yearItem(int year) const;

    mkd::Enquiry kind_;
};
