// A fixed N × N table of text cells read from one file in Untin/.
#pragma once

#include <string>
#include <vector>

namespace mkd {

class FareTable {
public:
    explicit FareTable(int size);

    int size() const { return size_; }

    // The text of field `field` of record `record`; "" outside the table.
    const std::string& cell(int record, int field) const;
    void setCell(int record, int field, std::string text);

    // The price or distance of the journey from station `from` to station
    // `to`: field `from` of record `to`, read as a number (0 outside the
    // table, for an empty cell and for text that is not a number).
    double value(int from, int to) const;

private:
    int size_;
    std::vector<std::string> cells_;
};

}  // namespace mkd
