// The screens of each kind of enquiry, one row per kind: its choice screen,
// the section screen it reads, the screen its choice screen goes back to,
// the result screen's branch marker, and the screens "再検索" discards.
// The result screen builds its markers from it, its "戻る" and "再検索"
// and the choice screens follow it; a new kind of enquiry is a new row.
#pragma once

#include <span>

#include "pricing/enquiry.hpp"

class ChoiceScreen;
class ScreenFlow;
class SectionScreen;

struct Branch {
    mkd::Enquiry kind;
    // The choice screen, created and loaded if needed.
    ChoiceScreen* (*choice)(ScreenFlow&);
    // The section screen whose lists the choice screen copies; null for none.
    SectionScreen* (*section)(ScreenFlow&);
    // Shows the screen the choice screen's "戻る" returns to.
    void (*showPrevious)(ScreenFlow&);
    // The express result screen's hidden marker option: its name, caption
    // (UTF-8) and top in twips; null for the local train, which has a result
    // screen of its own.
    const char* marker;
    const char* markerCaption;
    int markerTop;
    // "再検索": discards the enquiry's screens other than the result.
    void (*discard)(ScreenFlow&);
};

const Branch& branchOf(mkd::Enquiry kind);

// The kinds that end on the express result screen, in the order its markers
// are made.
std::span<const Branch> resultBranches();
