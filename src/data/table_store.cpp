#include "data/table_store.hpp"

#include <utility>

#include "words/words.hpp"

namespace mkd {

namespace {

template <std::size_t... I>
std::array<FareTable, sizeof...(I)> makeTables(std::index_sequence<I...>) {
    return {FareTable(tableSize(static_cast<Table>(I)))...};
}

}  // namespace

TableStore::TableStore(const std::string& appDir) : TableStore(locationsInFolder(appDir)) {}

TableStore::TableStore(Locations where)
    : where_(std::move(where)), tables_(makeTables(std::make_index_sequence<kTableCount>{})) {}

std::string TableStore::path(std::string_view fileName) const {
    std::string result = where_.tableFolder;
    result += '/';
    result += fileName;
    return result;
}

LoadResult TableStore::load(TableFile file) {
    const TableFileInfo& info = tableFileInfo(file);
    lastPath_ = path(info.name);
    const auto t = static_cast<std::size_t>(info.table);
    const LoadResult result = loadTableFile(lastPath_, tables_[t]);
    recordCounter_ = static_cast<std::int16_t>(lastRecordBegun(result));
    shortLoads_[t].reset();
    if (result.ok() && result.records < info.size) shortLoads_[t] = ShortTable{file, result.records, info.size};
    return result;
}

const FareTable& TableStore::table(Table table) const { return tables_[static_cast<std::size_t>(table)]; }

LoadResult TableStore::loadInitialSelection() {
    lastPath_ = where_.selectionFile;
    recordCounter_ = -1;
    std::string bytes;
    const LoadResult read = readFileBytes(lastPath_, bytes);
    if (!read.ok()) return read;
    const LoadResult result = readInitialSelection(bytes, initialCells_);
    recordCounter_ = static_cast<std::int16_t>(lastRecordBegun(result));
    return result;
}

SaveResult TableStore::saveInitialSelection(int departure, int arrival) const {
    return saveCarefully(where_.selectionFile, formatInitialSelection(departure, arrival),
                         {.makeFolder = where_.selectionPlace == SelectionPlace::UserConfig, .padInPlace = true});
}

}  // namespace mkd
