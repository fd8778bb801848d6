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
    {Msg::ReasonNoSuchFile, "no such file"},
    {Msg::ReasonPermission, "permission denied"},
    {Msg::ReasonIsFolder, "a folder, not a file"},
    {Msg::ReasonNotAFile, "not a regular file"},
    {Msg::ReasonNotAFolder, "a part of the path is not a folder"},
    {Msg::ReasonDiskFull, "no space left on the disk"},
    {Msg::ReasonReadOnlyDisk, "a read-only file system"},
    {Msg::ReasonReadOnlyFile, "the file is read-only"},
    {Msg::SelectionNotSaved,
     "The start pair could not be saved. Check that the Untin folder can be written to. The previous setting "
     "stays.\n%1: %2"},
    {Msg::SelectionUnreadable, "The stored start pair cannot be read. Starting on %3 ⇒ %4.\n%1: %2"},
    {Msg::ShortTable, "Note: %1 holds only %2 of %3 records."},
    {Msg::ShortTableHint,
     "The records it lacks price as empty (0) or as those of the file read into the same table before (another "
     "season's, for instance)."},

    // Program, folders and installation

    // Keyboard, accessibility and help

    // Station finder
};

}  // namespace

const Entry* englishWords(std::size_t& count) {
    count = std::size(kWords);
    return kWords;
}

}  // namespace mkd::detail
