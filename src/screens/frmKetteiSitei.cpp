#include "screens/frmKetteiSitei.hpp"

#include <QFrame>
#include <QLabel>

#include "screens/frmDate.hpp"
#include "screens/frmKekkaT.hpp"
#include "screens/text.hpp"

void frmKetteiSitei::Form_Load() {
    copyJourney(true);
    // Unlike its siblings, this screen decides the change at 松山 itself.
    fraNorikae->setVisible(mkd::crossesMatsuyama(sectionFrom_, sectionTo_));
}

mkd::ChargedPrice frmKetteiSitei::priceFor(mkd::Passenger passenger) const {
    return mkd::priceReserved(flow.tables(), passenger, trip(), routing(), journey());
}

void frmKetteiSitei::KekkaOpen() {
    openResult(season() ? qs(mkd::reservedCaption(*season())) : QString(), &frmKekkaT::optSitei);
}

void frmKetteiSitei::cmdBack_Click() { backTo<frmDate>(); }
