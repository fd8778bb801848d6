// The screens of each kind of enquiry, one row per kind, indexed by kind:
// its choice screen, the section and travel-date screens on its way, how the
// start screen leads into it, its result screen and the result's hidden
// marker. Where every button of an enquiry leads (ScreenFlow's moves), the
// result screen's markers and the choice screens are made from these rows;
// a new kind of enquiry is a new row.
#pragma once

#include <array>

#include "pricing/enquiry.hpp"

struct KindScreens {
    mkd::Enquiry kind;
    // The choice screen: its object name and its size in twips.
    const char* choice;
    int choiceWidth;
    int choiceHeight;
    // The start screen's control that leads into it (a button or a menu
    // item), and the section screen and the button there that lead on;
    // null where there is none.
    const char* entry;
    const char* section;
    const char* leaveSection;
    // The travel-date screen between the section (or the start) and the
    // choice; null for none.
    const char* date;
    // The result screen, and there the hidden option that records which
    // kind opened it (its caption, UTF-8, and its top in twips); null on the
    // local train's own result screen.
    const char* result;
    const char* marker;
    const char* markerCaption;
    int markerTop;
};

const KindScreens& kindScreens(mkd::Enquiry kind);

// The screen the choice screen of `kind` is reached from: its travel-date
// screen, else its section screen, else the start screen.
const char* screenBeforeChoice(const KindScreens& row);

// The first screen after the start screen.
const char* screenAfterStart(const KindScreens& row);
