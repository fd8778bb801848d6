#include "screens/Branch.hpp"

#include <array>

#include "screens/ScreenFlow.hpp"
#include "screens/frmDate.hpp"
#include "screens/frmDate2.hpp"
#include "screens/frmKettei.hpp"
#include "screens/frmKetteiGreen.hpp"
#include "screens/frmKetteiJiyu.hpp"
#include "screens/frmKetteiMG.hpp"
#include "screens/frmKetteiMarine.hpp"
#include "screens/frmKetteiSitei.hpp"
#include "screens/frmMSelect.hpp"
#include "screens/frmStart.hpp"
#include "screens/frmTSelect.hpp"

namespace {

template <class T>
ChoiceScreen* choice(ScreenFlow& flow) {
    return flow.touch<T>();
}

template <class T>
SectionScreen* section(ScreenFlow& flow) {
    return flow.touch<T>();
}

template <class T>
void show(ScreenFlow& flow) {
    if (auto* screen = flow.touch<T>()) screen->show();
}

template <class... Screens>
void discard(ScreenFlow& flow) {
    (flow.unload<Screens>(), ...);
}

using mkd::Enquiry;

// The kinds with a charge in the order the result screen makes its markers,
// the local train last.
const std::array<Branch, 6> kBranches{{
    {Enquiry::MarineReserved, choice<frmKetteiMarine>, nullptr, show<frmDate2>, "optMarine", "マリン", 2280,
     discard<frmDate2, frmKetteiMarine>},
    {Enquiry::MarineGreen, choice<frmKetteiMG>, section<frmMSelect>, show<frmMSelect>, "optMarineG", "マリンG", 2640,
     discard<frmKetteiMG, frmMSelect>},
    {Enquiry::NonReserved, choice<frmKetteiJiyu>, section<frmTSelect>, show<frmTSelect>, "optJiyu", "自由席", 3000,
     discard<frmKetteiJiyu, frmTSelect>},
    {Enquiry::Reserved, choice<frmKetteiSitei>, section<frmTSelect>, show<frmDate>, "optSitei", "指定席", 3360,
     discard<frmDate, frmKetteiSitei, frmTSelect>},
    {Enquiry::Green, choice<frmKetteiGreen>, section<frmTSelect>, show<frmTSelect>, "optGreen", "グリーン", 3720,
     discard<frmKetteiGreen, frmTSelect>},
    {Enquiry::Local, choice<frmKettei>, nullptr, show<frmStart>, nullptr, nullptr, 0, discard<frmKettei>},
}};

}  // namespace

const Branch& branchOf(mkd::Enquiry kind) {
    for (const Branch& b : kBranches)
        if (b.kind == kind) return b;
    return kBranches.back();
}

std::span<const Branch> resultBranches() { return std::span<const Branch>(kBranches).first(kBranches.size() - 1); }
