#include "data/fare_table.hpp"

#include "data/cell_value.hpp"

namespace mkd {

FareTable::FareTable(int size) : size_(size > 0 ? size : 0), sources_(static_cast<std::size_t>(size_)) {}

void FareTable::allocateCells() { cells_.resize(static_cast<std::size_t>(size_) * static_cast<std::size_t>(size_)); }

std::string_view FareTable::cell(int record, int field) const {
    if (record < 0 || record >= size_ || field < 0 || field >= size_) return {};
    const Source& source = sources_[static_cast<std::size_t>(record)];
    if (source.text) return sourceField(source, field);
    if (cells_.empty()) return {};
    const std::size_t i = index(record, field);
    const Cell& cell = cells_[i];
    if (cell.length == kLong) return long_.at(i);
    return {cell.text, cell.length};
}

void FareTable::setLongCell(std::size_t index, std::string_view text) {
    long_[index].assign(text);
    cells_[index].length = kLong;
}

void FareTable::setRecordSource(int record, std::shared_ptr<const std::string> text, std::size_t begin) {
    if (record < 0 || record >= size_ || !text) return;
    if (!long_.empty()) {
        const std::size_t first = index(record, 0);
        for (int f = 0; f < size_; ++f)
            if (cells_[first + static_cast<std::size_t>(f)].length == kLong)
                long_.erase(first + static_cast<std::size_t>(f));
    }
    sources_[static_cast<std::size_t>(record)] = {std::move(text), begin};
}

// The same field syntax as the reader's, for text without quotes: fields end
// at a comma or a line end, blanks around a field are not part of it.
std::string_view FareTable::sourceField(const Source& source, int field) const {
    const std::string_view text(*source.text);
    std::size_t pos = source.begin;
    for (int f = 0; f < field; ++f) {
        pos = text.find_first_of(",\r\n", pos);
        if (pos == std::string_view::npos) return {};
        pos += text.compare(pos, 2, "\r\n") == 0 ? 2 : 1;
    }
    while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t')) ++pos;
    std::size_t end = text.find_first_of(",\r\n", pos);
    if (end == std::string_view::npos) end = text.size();
    while (end > pos && (text[end - 1] == ' ' || text[end - 1] == '\t')) --end;
    return text.substr(pos, end - pos);
}

void FareTable::materialize(int record) {
    Source source = std::move(sources_[static_cast<std::size_t>(record)]);
    sources_[static_cast<std::size_t>(record)] = {};
    for (int f = 0; f < size_; ++f) setCell(record, f, sourceField(source, f));
}

double FareTable::value(int from, int to) const { return cellValue(cell(to, from)); }

}  // namespace mkd
