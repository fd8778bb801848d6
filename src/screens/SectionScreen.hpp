// The common shape of the two section screens (frmTSelect, frmMSelect): two
// station lists filled by the start screen each time an enquiry enters, and
// an unload step that returns to the start screen.
#pragma once

#include "data/stations.hpp"
#include "pricing/enquiry.hpp"
#include "pricing/sections.hpp"
#include "screens/Screen.hpp"

class QComboBox;
class QPushButton;

class SectionScreen : public Screen {
    Q_OBJECT
public:
    SectionScreen(ScreenFlow& flow, const char* name, const char* caption, int widthTwips, int heightTwips);

    void Form_Unload() override;
    void cmdBack_Click();
    // The button that leads on to an enquiry of `kind` (its row names it):
    // checks the section and moves on.
    void leaveFor(mkd::Enquiry kind);

    // Appends the stops of the enquiry's section list to both lists and
    // selects the preset section, then takes the step of the screen's
    // opening (reading its tables: the Marine Green table). When the preset
    // advises a local train, says so and empties both lists again; returns
    // false then.
    bool preset(const mkd::EnquiryState& enquiry);

    // The selected section (list positions, -1 without a selection).
    mkd::Section section() const;

    // The way out to the enquiry of `kind`: the section chosen goes into
    // the enquiry in progress, and its step is taken: a section the core
    // refuses says why (the screen stays), else the step's tables are read.
    // False when the user stays here or the program has ended.
    bool leave(mkd::Enquiry kind);

    QComboBox* cboHatu = nullptr;
    QComboBox* cboTyaku = nullptr;
    QPushButton* cmdBack = nullptr;

protected:
    // Connects each button that leads on from this screen (as the kinds'
    // rows name them) and "戻る"; called once the controls are made.
    void connectMoves();
    void languageChanged() override;
    // Enter in the first list moves on to the second; in the second it
    // presses the first button onwards (a seat, 次へ) that is enabled.
    bool enterInList(QComboBox* list) override;

private:
    mkd::StationList list_ = mkd::StationList::All;
};
