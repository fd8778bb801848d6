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
    const char* choice = nullptr;
    int choiceWidth = 0;
    int choiceHeight = 0;
    // Its way in on the start screen: the control's object name, and how the
    // start screen makes it (once its menus are built): an item of the menu
    // named `entryMenu`, else a button at `entryPlace` (twips); its caption
    // is a source in frmStart's words. Kinds that share a way in name it in
    // each row alike; it leads into the first of them.
    const char* entry = nullptr;
    const char* entryMenu = nullptr;
    const char* entryCaption = nullptr;
    std::array<int, 4> entryPlace{};  // left, top, width, height
    // The section screen and the button there that leads on; null where
    // there is none.
    const char* section = nullptr;
    const char* leaveSection = nullptr;
    // The travel-date screen between the section (or the start) and the
    // choice; null for none.
    const char* date = nullptr;
    // The result screen, and there the hidden option that records which
    // kind opened it (its caption, UTF-8, and its top in twips); null on the
    // local train's own result screen.
    const char* result = nullptr;
    const char* marker = nullptr;
    const char* markerCaption = nullptr;
    int markerTop = 0;
};

const KindScreens& kindScreens(mkd::Enquiry kind);

// The screen the choice screen of `kind` is reached from: its travel-date
// screen, else its section screen, else the start screen.
const char* screenBeforeChoice(const KindScreens& row);

// The first screen after the start screen.
const char* screenAfterStart(const KindScreens& row);

// Whether a screen of `row` takes `step` by a button of its own; a step
// without one is taken with the step before it (a kind without a section
// screen takes its section's steps at its way in).
bool stepOnScreen(const KindScreens& row, mkd::Step step);
