#include "screens/frmDate.hpp"

#include "screens/ScreenFlow.hpp"
#include "screens/frmTSelect.hpp"

void frmDate::Form_Unload() {
    hide();
    if (auto* section = flow.loaded<frmTSelect>()) section->show();
}

void frmDate::cmdBack_Click() { flow.follow(*this, "cmdBack"); }
