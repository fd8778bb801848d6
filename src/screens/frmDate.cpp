#include "screens/frmDate.hpp"

#include <QRadioButton>

#include "pricing/enquiry.hpp"
#include "screens/ScreenFlow.hpp"
#include "screens/frmKetteiSitei.hpp"
#include "screens/frmTSelect.hpp"

ChoiceScreen* frmDate::target() { return flow.touch<frmKetteiSitei>(); }

bool frmDate::afterSeason(ChoiceScreen& choice) {
    // Both reserved-seat tables are read again on every "次へ", from the
    // files of the season now on the choice screen.
    mkd::Season season;
    if (choice.optHanbo->isChecked()) season = mkd::Season::Busy;
    else if (choice.optTujo->isChecked()) season = mkd::Season::Normal;
    else if (choice.optKansan->isChecked()) season = mkd::Season::OffPeak;
    else return true;
    for (auto file : mkd::branchTables(mkd::Enquiry::Reserved, season))
        if (!flow.load(file)) return false;
    return true;
}

void frmDate::Form_Unload() {
    hide();
    if (auto* section = flow.touch<frmTSelect>()) section->show();
}

void frmDate::cmdBack_Click() {
    flow.unload(*this);
    if (auto* section = flow.touch<frmTSelect>()) section->show();
}
