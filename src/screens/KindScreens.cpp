#include "screens/KindScreens.hpp"

#include <QtGlobal>
#include <string_view>

namespace {

using mkd::Enquiry;

// The start screen's ways in, as the start screen shows them.
constexpr std::array<int, 4> kExpressButton{120, 1680, 975, 375};
constexpr std::array<int, 4> kSlowButton{1200, 1680, 975, 375};

// In the order of mkd::Enquiry.
constexpr std::array<KindScreens, mkd::kEnquiries.size()> kRows{{
    {.kind = Enquiry::Local,
     .choice = "frmKettei",
     .choiceWidth = 3390,
     .choiceHeight = 2310,
     .entry = "cmdSlow",
     .entryCaption = QT_TRANSLATE_NOOP("frmStart", "普通列車"),
     .entryPlace = kSlowButton,
     .result = "frmKekka"},
    {.kind = Enquiry::NonReserved,
     .choice = "frmKetteiJiyu",
     .choiceWidth = 3150,
     .choiceHeight = 2310,
     .entry = "cmdExpress",
     .entryCaption = QT_TRANSLATE_NOOP("frmStart", "特急利用"),
     .entryPlace = kExpressButton,
     .section = "frmTSelect",
     .leaveSection = "cmdJiyu",
     .result = "frmKekkaT",
     .marker = "optJiyu",
     .markerCaption = "自由席",
     .markerTop = 3000},
    {.kind = Enquiry::Reserved,
     .choice = "frmKetteiSitei",
     .choiceWidth = 3150,
     .choiceHeight = 2370,
     .entry = "cmdExpress",
     .entryCaption = QT_TRANSLATE_NOOP("frmStart", "特急利用"),
     .entryPlace = kExpressButton,
     .section = "frmTSelect",
     .leaveSection = "cmdSitei",
     .date = "frmDate",
     .result = "frmKekkaT",
     .marker = "optSitei",
     .markerCaption = "指定席",
     .markerTop = 3360},
    {.kind = Enquiry::Green,
     .choice = "frmKetteiGreen",
     .choiceWidth = 3150,
     .choiceHeight = 2310,
     .entry = "cmdExpress",
     .entryCaption = QT_TRANSLATE_NOOP("frmStart", "特急利用"),
     .entryPlace = kExpressButton,
     .section = "frmTSelect",
     .leaveSection = "cmdGreen",
     .result = "frmKekkaT",
     .marker = "optGreen",
     .markerCaption = "グリーン",
     .markerTop = 3720},
    {.kind = Enquiry::MarineReserved,
     .choice = "frmKetteiMarine",
     .choiceWidth = 3180,
     .choiceHeight = 1890,
     .entry = "mnuSitei",
     .entryMenu = "mnuMarine",
     .entryCaption = QT_TRANSLATE_NOOP("frmStart", "指定席"),
     .date = "frmDate2",
     .result = "frmKekkaT",
     .marker = "optMarine",
     .markerCaption = "マリン",
     .markerTop = 2280},
    {.kind = Enquiry::MarineGreen,
     .choice = "frmKetteiMG",
     .choiceWidth = 3150,
     .choiceHeight = 1890,
     .entry = "mnuGreen",
     .entryMenu = "mnuMarine",
     .entryCaption = QT_TRANSLATE_NOOP("frmStart", "グリーン車"),
     .section = "frmMSelect",
     .leaveSection = "cmdNext",
     .result = "frmKekkaT",
     .marker = "optMarineG",
     .markerCaption = "マリンG",
     .markerTop = 2640},
}};

// Row i is the row of the i-th kind, and every row is whole: a row left out
// (or out of order) stops the build here.
constexpr bool rowsInOrder() {
    for (std::size_t i = 0; i < kRows.size(); ++i) {
        const KindScreens& r = kRows[i];
        if (r.kind != mkd::kEnquiries[i] || !r.choice || !r.entry || !r.entryCaption || !r.result) return false;
        // A way in is a menu item or a button with its place.
        if (!r.entryMenu && r.entryPlace[2] <= 0) return false;
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

bool stepOnScreen(const KindScreens& row, mkd::Step step) {
    switch (step) {
        case mkd::Step::Entry:
        case mkd::Step::Choice:
            return true;
        case mkd::Step::SectionScreen:
        case mkd::Step::LeaveSection:
            return row.section != nullptr;
        case mkd::Step::Preset:
            break;
        case mkd::Step::TravelDate:
            return row.date != nullptr;
    }
    return false;
}
