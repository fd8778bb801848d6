// 乗車日: the travel date of a reserved-seat enquiry. Two twins share this
// shape: frmDate (limited express, loads the season's reserved-seat tables)
// and frmDate2 (Marine Liner). "次へ" classifies the date and sets the season
// on the next choice screen through Hanbo, Tujo or Kansan, which create that
// screen first if it is not loaded.
#pragma once

#include "pricing/season.hpp"
#include "screens/Screen.hpp"

class QComboBox;
class QPushButton;
class ChoiceScreen;

class DateScreen : public Screen {
    Q_OBJECT
public:
    DateScreen(ScreenFlow& flow, const char* name);

    void Form_Load() override;
    void cmdNext_Click();
    virtual void cmdBack_Click() = 0;

    void Hanbo() { setSeason(mkd::Season::Busy); }
    void Tujo() { setSeason(mkd::Season::Normal); }
    void Kansan() { setSeason(mkd::Season::OffPeak); }

    QComboBox* cboNen;
    QComboBox* cboTuki;
    QComboBox* cboNiti;
    QPushButton* cmdNext;
    QPushButton* cmdBack;

protected:
    void languageChanged() override;
    // The choice screen the season goes to, created and loaded if needed.
    virtual ChoiceScreen* target() = 0;
    // What "次へ" does after the season is set, before moving on.
    virtual bool afterSeason(ChoiceScreen&) { return true; }

private:
    void setSeason(mkd::Season season);
    QString yearItem(int year) const;

    // The chosen date, kept while the screen stays loaded.
    short nen_ = 0;
    short tuki_ = 0;
    short niti_ = 0;
    mkd::Date travelDate_;
};
