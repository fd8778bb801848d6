// Where each button of the screens leads: the screen graph, written once.
//
// A move goes from a screen, through one of its controls, to another screen;
// the screen left is hidden (and kept with its state) or discarded, and
// further screens may be discarded with it. The moves of every kind of
// enquiry are made from its row (KindScreens); a handler checks what may
// refuse the step, then asks ScreenFlow::follow for the move.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "pricing/enquiry.hpp"

struct Move {
    std::string from;  // the screen's object name
    std::string control;  // the control's object name
    std::optional<mkd::Enquiry> kind;  // the kind of enquiry it belongs to; none: any
    std::string to;
    bool discardFrom = false;  // the screen left is discarded, not hidden
    std::vector<std::string> discards{};  // screens discarded after it, in this order
};

// Every move of the program.
const std::vector<Move>& moves();

// The move from `screen` through `control` on an enquiry of `kind`; null
// when there is none.
const Move* findMove(const std::string& screen, const std::string& control, std::optional<mkd::Enquiry> kind);
