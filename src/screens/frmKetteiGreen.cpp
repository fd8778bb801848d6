#include "screens/frmKetteiGreen.hpp"

#include <QFrame>
#include <QLabel>

#include "screens/frmKekkaT.hpp"
#include "screens/frmTSelect.hpp"
#include "screens/text.hpp"

void frmKetteiGreen::Form_Load() { copyJourney(true); }

mkd::ChargedPrice frmKetteiGreen::priceFor(mkd::Passenger passenger) const {
    return mkd::priceGreen(flow.tables(), passenger, trip(), routing(), journey());
}

void frmKetteiGreen::KekkaOpen() { openResult(qs(mkd::kGreenCaption), &frmKekkaT::optGreen); }

void frmKetteiGreen::cmdBack_Click() { backTo<frmTSelect>(); }
