// The shared tables of one program run (the module mdlKeisan of the
// screens' design): every fare table, the path of the
// file loaded last, the record counter, and the initial-selection cells.
//
// The start screen loads the four 107 × 107 tables once; each branch of an
// enquiry reloads its own tables from disk every time it is entered, so a
// table file changed while the program runs is picked up at the next press.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "data/careful_save.hpp"
#include "data/fare_table.hpp"
#include "data/initial_selection.hpp"
#include "data/locations.hpp"
#include "data/table_catalogue.hpp"
#include "data/table_reader.hpp"

namespace mkd {

// A table file that filled fewer records than its table has: the records it
// did not supply keep what the table held (empty at first, or the records of
// a file loaded into the same table before, such as another season's).
struct ShortTable {
    TableFile file;
    int records = 0;  // records the file filled
    int expected = 0;  // records of the table
    bool operator==(const ShortTable&) const = default;
};

class TableStore {
public:
    // `appDir` is the folder that holds Untin/; Henko.txt is read and
    // written in Untin/.
    explicit TableStore(const std::string& appDir);

    // The table folder and the stored pair's file found by findLocations().
    explicit TableStore(Locations where);

    // Which table folder and which Henko.txt this run uses, and why.
    const Locations& locations() const { return where_; }

    // The table folder + "/" + name, built anew for every read.
    std::string path(std::string_view fileName) const;

    // Builds the path, resets the record counter and reads the file into its
    // table. On failure the table keeps whatever the file filled before the
    // problem was found, and lastPath() names the file.
    LoadResult load(TableFile file);

    const FareTable& table(Table table) const;
    double value(Table table, int from, int to) const { return this->table(table).value(from, to); }

    // The last load of `table`, when that file was short; none when it was
    // whole or the table was never loaded.
    std::optional<ShortTable> shortLoad(Table table) const { return shortLoads_[static_cast<std::size_t>(table)]; }

    const std::string& lastPath() const { return lastPath_; }
    std::int16_t recordCounter() const { return recordCounter_; }

    // Reads the stored pair's file (locations().selectionFile) into the two
    // initial-selection cells.
    LoadResult loadInitialSelection();
    const std::string& initialCell(int i) const { return initialCells_[i]; }

    // Writes Henko.txt ("d,a" + CR LF) as the user has set it up, as
    // saveCarefully() writes a file; the user's config folder is made on the
    // first save there.
    SaveResult saveInitialSelection(int departure, int arrival) const;

private:
    Locations where_;
    std::array<FareTable, kTableCount> tables_;
    std::array<std::optional<ShortTable>, kTableCount> shortLoads_{};
    std::string lastPath_;
    std::int16_t recordCounter_ = -1;
    std::string initialCells_[2];
};

}  // namespace mkd
