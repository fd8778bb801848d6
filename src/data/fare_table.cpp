#include "data/fare_table.hpp"

#include "data/cell_value.hpp"

namespace mkd {

FareTable::FareTable(int size)
    : size_(size > 0 ? size : 0), cells_(static_cast<std::size_t>(size_) * static_cast<std::size_t>(size_)) {}

std::string_view FareTable::cell(int record, int field) const {
    if (record < 0 || record >= size_ || field < 0 || field >= size_) return {};
    const std::size_t i = index(record, field);
    const Cell& cell = cells_[i];
    if (cell.length == kLong) return long_.at(i);
    return {cell.text, cell.length};
}

void FareTable::setLongCell(std::size_t index, std::string_view text) {
    long_[index].assign(text);
    cells_[index].length = kLong;
}

double FareTable::value(int from, int to) const { return cellValue(cell(to, from)); }

}  // namespace mkd
