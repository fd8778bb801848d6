#include "screens/frmDate2.hpp"

#include "screens/ScreenFlow.hpp"
#include "screens/frmKetteiMarine.hpp"
#include "screens/frmStart.hpp"

ChoiceScreen* frmDate2::target() { return flow.touch<frmKetteiMarine>(); }

void frmDate2::cmdBack_Click() {
    flow.unload(*this);
    if (auto* start = flow.touch<frmStart>()) start->show();
}
