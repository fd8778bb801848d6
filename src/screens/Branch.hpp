// The screens of each kind of enquiry, one row per kind: its choice screen,
// the section screen it reads, the screen its choice screen goes back to,
// the result screen's branch marker, and the screens "再検索" discards.
// The result screen's "戻る" and "再検索" and the choice screens follow it;
// a new kind of enquiry is a new row.
#pragma once

#include <span>

#include "pricing/enquiry.hpp"

class ChoiceScreen;
class QRadioButton;
class ScreenFlow;
class SectionScreen;
class frmKekkaT;

struct Branch {
    mkd::Enquiry kind;
    // The choice screen, created and loaded if needed.
    ChoiceScreen* (*choice)(ScreenFlow&);
    // The section screen whose lists the choice screen copies; null for none.
    SectionScreen* (*section)(ScreenFlow&);
    // Shows the screen the choice screen's "戻る" returns to.
    void (*showPrevious)(ScreenFlow&);
    // The express result screen's marker; null for the local train, which
    // has a result screen of its own.
    QRadioButton* frmKekkaT::*marker;
    // "再検索": discards the enquiry's screens other than the result.
    void (*discard)(ScreenFlow&);
};

const Branch& branchOf(mkd::Enquiry kind);

// The kinds that end on the express result screen, in the order it tests
// its markers.
std::span<const Branch> resultBranches();
