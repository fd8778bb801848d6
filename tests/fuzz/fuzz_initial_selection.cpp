// The initial-selection file (Henko.txt) on arbitrary bytes.
//
// Properties:
// - a read succeeds with at most two cells, or reports more than two; a
//   record of one field cannot end inside itself;
// - each cell gives a list position 0..106 within half a step of its numeric
//   reading, or the fallback;
// - a file that loaded, written back out, loads to the same cells;
// - the pair the start screen would select, saved as the program saves it,
//   reads back as the same pair.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "data/cell_value.hpp"
#include "data/initial_selection.hpp"
#include "fuzz_check.hpp"
#include "table_writer.hpp"

namespace {

using mkd::LoadError;
using mkd::LoadResult;

// The position a cell gives, checked against its numeric reading.
int checkedPosition(const std::string& cell, int fallback) {
    const int position = mkd::selectionPosition(cell, -1);
    FUZZ_CHECK(position == -1 || (position >= 0 && position <= 106));
    if (position >= 0) FUZZ_CHECK(std::fabs(mkd::cellValue(cell) - position) <= 0.5);
    FUZZ_CHECK(mkd::selectionPosition(cell, fallback) == (position == -1 ? fallback : position));
    return position == -1 ? fallback : position;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::string cells[2];
    const LoadResult result = mkd::readInitialSelection(bytes, cells);

    FUZZ_CHECK(result.error == LoadError::None || result.error == LoadError::TooManyRecords);
    FUZZ_CHECK(result.records >= 0 && result.records <= 2);
    if (!result.ok()) {
        FUZZ_CHECK(result.records == 2 && mkd::lastRecordBegun(result) == 2 && result.line >= 1);
        return 0;
    }
    FUZZ_CHECK(mkd::lastRecordBegun(result) == result.records - 1);
    for (int i = result.records; i < 2; ++i) FUZZ_CHECK(cells[i].empty());

    // Written back out, it loads to the same cells.
    const auto text =
        mkd::fuzz::writeTableText(result.records, 1, [&cells](int r, int) -> std::string_view { return cells[r]; });
    FUZZ_CHECK(text.has_value());
    std::string again[2];
    const LoadResult againResult = mkd::readInitialSelection(*text, again);
    FUZZ_CHECK(againResult.ok() && againResult.records == result.records);
    FUZZ_CHECK(again[0] == cells[0] && again[1] == cells[1]);

    // What the start screen selects, saved by "変更", comes back unchanged.
    const int departure = checkedPosition(cells[0], mkd::kDefaultPair.departure);
    const int arrival = checkedPosition(cells[1], mkd::kDefaultPair.arrival);
    std::string saved[2];
    const LoadResult savedResult = mkd::readInitialSelection(mkd::formatInitialSelection(departure, arrival), saved);
    FUZZ_CHECK(savedResult.ok() && savedResult.records == 2);
    FUZZ_CHECK(mkd::selectionPosition(saved[0], -1) == departure);
    FUZZ_CHECK(mkd::selectionPosition(saved[1], -1) == arrival);
    return 0;
}
