#include "screens/frmDate2.hpp"

#include "screens/ScreenFlow.hpp"

void frmDate2::cmdBack_Click() { flow.follow(*this, "cmdBack"); }
