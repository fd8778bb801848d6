#include "screens/frmKetteiMarine.hpp"

#include <QFrame>
#include <QLabel>

#include "screens/frmDate2.hpp"
#include "screens/frmKekkaT.hpp"
#include "screens/text.hpp"

void frmKetteiMarine::Form_Load() { copyJourney(false); }

mkd::ChargedPrice frmKetteiMarine::priceFor(mkd::Passenger passenger) const {
    return mkd::priceMarineReserved(flow.tables(), passenger, trip(), season().value_or(mkd::Season::Normal),
                                    journey());
}

void frmKetteiMarine::KekkaOpen() {
    openResult(season() ? qs(mkd::marineReservedCaption(*season())) : QString(), &frmKekkaT::optMarine);
}

void frmKetteiMarine::cmdBack_Click() { backTo<frmDate2>(); }
