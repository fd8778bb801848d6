#include "screens/frmKetteiMG.hpp"

#include "screens/frmKekkaT.hpp"
#include "screens/frmMSelect.hpp"
#include "screens/text.hpp"

void frmKetteiMG::Form_Load() {
    copyJourney(false);
    const mkd::Section s = flow.touch<frmMSelect>()->section();
    sectionFrom_ = static_cast<std::int16_t>(s.from);
    sectionTo_ = static_cast<std::int16_t>(s.to);
}

mkd::ChargedPrice frmKetteiMG::priceFor(mkd::Passenger passenger) const {
    return mkd::priceMarineGreen(flow.tables(), passenger, trip(), journey());
}

void frmKetteiMG::KekkaOpen() { openResult(qs(mkd::kMarineGreenCaption), &frmKekkaT::optMarineG); }

void frmKetteiMG::cmdBack_Click() { backTo<frmMSelect>(); }
