// A fixed N × N table of text cells read from one file in Untin/.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace mkd {

class FareTable {
public:
    explicit FareTable(int size);

    int size() const { return size_; }

    // The text of field `field` of record `record`; "" outside the table.
    // The view is good until the cell is set again.
    std::string_view cell(int record, int field) const;

    void setCell(int record, int field, std::string_view text) {
        if (record < 0 || record >= size_ || field < 0 || field >= size_) return;
        if (sources_[static_cast<std::size_t>(record)].text) materialize(record);
        if (cells_.empty()) allocateCells();
        const std::size_t i = index(record, field);
        Cell& cell = cells_[i];
        if (text.size() > kInline) return setLongCell(i, text);
        if (cell.length == kLong) long_.erase(i);
        for (std::size_t k = 0; k < text.size(); ++k) cell.text[k] = text[k];
        cell.length = static_cast<std::uint8_t>(text.size());
    }

    // Makes record `record` the N fields of `text` that start at `begin`,
    // found only when a cell is asked for. For text without double quotes
    // that holds the whole record (the loader checks both): a file loads at
    // the speed of finding its record boundaries, and nearly every cell is
    // never looked at.
    void setRecordSource(int record, std::shared_ptr<const std::string> text, std::size_t begin);

    // The price or distance of the journey from station `from` to station
    // `to`: field `from` of record `to`, read as a number (0 outside the
    // table, for an empty cell and for text that is not a number).
    double value(int from, int to) const;

    // value(from, to) for every `from` of one arrival `to`, read in one pass
    // over its record (value() finds each field from the record's start);
    // empty for a record outside the table.
    std::vector<double> values(int to) const;

private:
    // A cell holds its text in its own eight bytes when it is short, as
    // nearly every number is, and in long_ otherwise: a 107 × 107 table is
    // then 92 KB instead of the 366 KB of one std::string a cell, and reading
    // one writes that much less.
    static constexpr std::size_t kInline = 7;
    static constexpr std::uint8_t kLong = 0xFF;
    struct Cell {
        char text[kInline] = {};
        std::uint8_t length = 0;  // kLong: the text is in long_
    };

    std::size_t index(int record, int field) const {
        return static_cast<std::size_t>(record) * static_cast<std::size_t>(size_) + static_cast<std::size_t>(field);
    }
    void setLongCell(std::size_t index, std::string_view text);
    // cells_ is allocated on the first cell set: a table read lazily, as
    // the start-up tables are, never needs it, and the twelve tables would
    // otherwise take 1.1 MB of zeroed memory before the first window shows.
    void allocateCells();

    // Where a record read lazily keeps its text; an empty `text` means its
    // cells are in cells_.
    struct Source {
        std::shared_ptr<const std::string> text;
        std::size_t begin = 0;
    };
    std::string_view sourceField(const Source& source, int field) const;
    // Copies a lazily read record into cells_, before one of its cells changes.
    void materialize(int record);

    int size_;
    std::vector<Cell> cells_;  // empty until a cell is set
    std::vector<Source> sources_;
    std::unordered_map<std::size_t, std::string> long_;
};

}  // namespace mkd
