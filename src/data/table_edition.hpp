// The tables' edition: one short name of the set of tables in use, printed
// on everything the program hands on (paper, spreadsheets, the journey list)
// instead of the folder the tables happen to lie in.
//
// It is, in this order: the first line of Untin/EDITION (a name the tables'
// maintainer writes, cut to 40 characters); the newest date YYYY-MM-DD in
// Untin/SOURCES.md; the first 8 hex digits of tablesFingerprint().
#pragma once

#include <string>
#include <string_view>

namespace mkd {

// The tables of a folder, as the journey list and the outputs name them.
struct TablesInUse {
    std::string fingerprint;  // tablesFingerprint(): tells one set from another
    std::string edition;  // the short name shown to people
};

// A fingerprint of the sixteen table files in `tableFolder`: a hash of their
// names and bytes (a missing file counts as missing). Two folders with the
// same files have the same fingerprint.
std::string tablesFingerprint(const std::string& tableFolder);

TablesInUse tablesInUse(const std::string& tableFolder);

// The edition from the texts of EDITION and SOURCES.md ("" for a missing
// file) and the fingerprint.
std::string editionOf(std::string_view editionFile, std::string_view sources, std::string_view fingerprint);

// The short name of a fingerprint: its first 8 hex digits.
std::string shortFingerprint(std::string_view fingerprint);

}  // namespace mkd
