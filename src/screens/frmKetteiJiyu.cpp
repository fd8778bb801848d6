#include "screens/frmKetteiJiyu.hpp"

#include <QFrame>
#include <QLabel>

#include "screens/frmKekkaT.hpp"
#include "screens/frmTSelect.hpp"
#include "screens/text.hpp"

void frmKetteiJiyu::Form_Load() { copyJourney(true); }

mkd::ChargedPrice frmKetteiJiyu::priceFor(mkd::Passenger passenger) const {
    return mkd::priceNonReserved(flow.tables(), passenger, trip(), routing(), journey());
}

void frmKetteiJiyu::KekkaOpen() { openResult(qs(mkd::kNonReservedCaption), &frmKekkaT::optJiyu); }

void frmKetteiJiyu::cmdBack_Click() { backTo<frmTSelect>(); }
