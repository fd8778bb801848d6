// English.
#include <iterator>

#include "words/word_table.hpp"

namespace mkd::detail {

namespace {

constexpr Entry kWords[] = {
    // Refusals and what a screen does not offer
    {Msg::SameStation, "The departure and arrival stations are the same."},
    {Msg::LocalTrainAdvice, "Take a local train."},

    // Result screens: bills and charge captions

    // Seasons and travel dates

    // Table files, the stored pair and the table check

    // Program, folders and installation
    {Msg::ProgramFolderUnknown,
     "Cannot tell which folder the program is in, so the fare tables cannot be found. The program ends."},
    {Msg::TableFolderNotFound, "No folder of fare tables (Untin) was found. Looked in:\n%1"},
    {Msg::TablesInUse, "tables: %1 (%2)"},
    {Msg::TablesBesideProgram, "beside the program"},
    {Msg::TablesInUserData, "the user's data folder"},
    {Msg::TablesInstalled, "installed with the program"},
    {Msg::TablesGiven, "as given"},
    {Msg::SelectionBesideTables, "stored pair: %1"},
    {Msg::SelectionInUserConfig, "stored pair: %1 (the user's config folder: the tables' folder is not writable)"},

    // Keyboard, accessibility and help

    // Station finder
};

}  // namespace

const Entry* englishWords(std::size_t& count) {
    count = std::size(kWords);
    return kWords;
}

}  // namespace mkd::detail
