#include "screens/frmDate.hpp"

#include "pricing/enquiry.hpp"
#include "screens/ScreenFlow.hpp"
#include "screens/frmKetteiSitei.hpp"
#include "screens/frmTSelect.hpp"

ChoiceScreen* frmDate::target() { return flow.touch<frmKetteiSitei>(); }

bool frmDate::afterSeason(ChoiceScreen& choice) {
    // Both reserved-seat tables are read again on every "次へ", from the
    // files of the season now on the choice screen.
    const std::optional<mkd::Season> season = choice.season();
    if (!season) return true;
    for (auto file : mkd::tablesRead(mkd::Enquiry::Reserved, mkd::Step::TravelDate, *season))
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
