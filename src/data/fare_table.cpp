#include "data/fare_table.hpp"

#include <utility>

#include "data/cell_value.hpp"

namespace mkd {

namespace {
const std::string kEmptyCell;
}

FareTable::FareTable(int size)
    : size_(size > 0 ? size : 0), cells_(static_cast<std::size_t>(size_) * static_cast<std::size_t>(size_)) {}

const std::string& FareTable::cell(int record, int field) const {
    if (record < 0 || record >= size_ || field < 0 || field >= size_) return kEmptyCell;
    return cells_[static_cast<std::size_t>(record) * static_cast<std::size_t>(size_) + static_cast<std::size_t>(field)];
}

void FareTable::setCell(int record, int field, std::string text) {
    if (record < 0 || record >= size_ || field < 0 || field >= size_) return;
    cells_[static_cast<std::size_t>(record) * static_cast<std::size_t>(size_) + static_cast<std::size_t>(field)] =
        std::move(text);
}

double FareTable::value(int from, int to) const { return cellValue(cell(to, from)); }

}  // namespace mkd
