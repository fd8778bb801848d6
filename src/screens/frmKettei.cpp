#include "screens/frmKettei.hpp"

#include "screens/KindScreens.hpp"
#include "screens/frmStart.hpp"

namespace {

ChoiceScreen::Layout localLayout() {
    const KindScreens& row = kindScreens(mkd::Enquiry::Local);
    return {QT_TRANSLATE_NOOP("frmKettei", "運賃決定"),
            row.choiceWidth,
            row.choiceHeight,
            Screen::twips(120, 240, 3135, 375),
            Screen::twips(480, 720, 975, 375),
            Screen::twips(1920, 720, 975, 375),
            Screen::twips(480, 1200, 975, 375),
            Screen::twips(1800, 1320, 1095, 255),
            Screen::twips(1800, 1680, 1095, 255),
            Screen::twips(480, 1680, 975, 375)};
}

}  // namespace

frmKettei::frmKettei(ScreenFlow& f) : ChoiceScreen(f, kName, mkd::Enquiry::Local, localLayout()) {}

void frmKettei::Form_Unload() {
    hide();
    if (auto* start = flow.loaded<frmStart>()) start->show();
}
