#include "screens/screen_types.hpp"

#include "screens/ChoiceScreen.hpp"
#include "screens/KindScreens.hpp"
#include "screens/frmDate.hpp"
#include "screens/frmDate2.hpp"
#include "screens/frmKekka.hpp"
#include "screens/frmKekkaT.hpp"
#include "screens/frmKettei.hpp"
#include "screens/frmMSelect.hpp"
#include "screens/frmStart.hpp"
#include "screens/frmTSelect.hpp"

namespace {

template <class T>
Screen* make(ScreenFlow& flow) {
    return new T(flow);
}

struct ScreenType {
    std::string_view name;
    Screen* (*make)(ScreenFlow&);
};

// The screens with a class of their own; the choice screens of the kinds
// with a charge are made from their rows.
constexpr ScreenType kTypes[] = {
    {frmStart::kName, make<frmStart>}, {frmTSelect::kName, make<frmTSelect>}, {frmMSelect::kName, make<frmMSelect>},
    {frmDate::kName, make<frmDate>},   {frmDate2::kName, make<frmDate2>},     {frmKettei::kName, make<frmKettei>},
    {frmKekka::kName, make<frmKekka>}, {frmKekkaT::kName, make<frmKekkaT>},
};

}  // namespace

Screen* makeScreen(ScreenFlow& flow, std::string_view name) {
    for (const ScreenType& type : kTypes)
        if (type.name == name) return type.make(flow);
    for (mkd::Enquiry kind : mkd::kEnquiries)
        if (kindScreens(kind).choice == name) return new ChoiceScreen(flow, kind);
    return nullptr;
}
