#include "screens/KindScreens.hpp"

#include <string_view>

namespace {

using mkd::Enquiry;

// In the order of mkd::Enquiry.
constexpr std::array<KindScreens, mkd::kEnquiries.size()> kRows{{
    {Enquiry::Local, "frmKettei", 3390, 2310, "cmdSlow", nullptr, nullptr, nullptr, "frmKekka", nullptr, nullptr, 0},
    {Enquiry::NonReserved, "frmKetteiJiyu", 3150, 2310, "cmdExpress", "frmTSelect", "cmdJiyu", nullptr, "frmKekkaT",
     "optJiyu", "自由席", 3000},
    {Enquiry::Reserved, "frmKetteiSitei", 3150, 2370, "cmdExpress", "frmTSelect", "cmdSitei", "frmDate", "frmKekkaT",
     "optSitei", "指定席", 3360},
    {Enquiry::Green, "frmKetteiGreen", 3150, 2310, "cmdExpress", "frmTSelect", "cmdGreen", nullptr, "frmKekkaT",
     "optGreen", "グリーン", 3720},
    {Enquiry::MarineReserved, "frmKetteiMarine", 3180, 1890, "mnuSitei", nullptr, nullptr, "frmDate2", "frmKekkaT",
     "optMarine", "マリン", 2280},
    {Enquiry::MarineGreen, "frmKetteiMG", 3150, 1890, "mnuGreen", "frmMSelect", "cmdNext", nullptr, "frmKekkaT",
     "optMarineG", "マリンG", 2640},
}};

// Row i is the row of the i-th kind, and every row is whole: a row left out
// (or out of order) stops the build here.
constexpr bool rowsInOrder() {
    for (std::size_t i = 0; i < kRows.size(); ++i) {
        const KindScreens& r = kRows[i];
        if (r.kind != mkd::kEnquiries[i] || !r.choice || !r.entry || !r.result) return false;
        if ((r.section == nullptr) != (r.leaveSection == nullptr)) return false;
        // The local train's result screen is its own; the others share one.
        if ((std::string_view(r.result) == "frmKekkaT") != (r.marker != nullptr)) return false;
    }
    return true;
}
static_assert(rowsInOrder(), "one whole row per kind of enquiry, in the order of mkd::Enquiry");

}  // namespace

const KindScreens& kindScreens(mkd::Enquiry kind) { return kRows[static_cast<std::size_t>(kind)]; }

const char* screenBeforeChoice(const KindScreens& row) {
    if (row.date) return row.date;
    if (row.section) return row.section;
    return "frmStart";
}

const char* screenAfterStart(const KindScreens& row) {
    if (row.section) return row.section;
    if (row.date) return row.date;
    return row.choice;
}
