// What the journey list's file has to say to its user: the lines that could
// not be read, a file set aside, a change that could not be saved.
#pragma once

#include <string>

#include "data/careful_save.hpp"
#include "records/journey_list.hpp"
#include "words/words.hpp"

namespace mkd {

// Why one line could not be read ("項目が 3 個です").
std::string journeyProblemText(const JourneyProblem& problem, Lang lang);

// What loading the list at `path` found that its user must know: a file
// that could not be read, lines that could not, a file set aside. "" when
// all went well.
std::string journeyLoadText(const JourneyLoad& load, const std::string& path, Lang lang);

// Why a change to the list could not be saved.
std::string journeySaveText(const SaveResult& saved, Lang lang);

}  // namespace mkd
