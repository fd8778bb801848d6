// The table file reader on arbitrary bytes. The first byte picks the table's
// size, the rest is the file.
//
// Properties:
// - a read either fills whole records and succeeds, or reports "more records
//   than the table has" or "ends inside a record", never anything else;
// - fields arrive in file order, each cell at most once, and exactly the
//   cells of the records read (plus the broken record's first fields);
// - the last record begun, the record count and the line agree with the result;
// - a table that loaded, written back out, loads to the same cells, and
//   writing it again gives the same text;
// - every cell of a loaded table reads as a finite number;
// - the lazy reader of table files gives the same cells as the full one, or
//   declines and leaves the table untouched.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "data/fare_table.hpp"
#include "data/table_reader.hpp"
#include "fuzz_check.hpp"
#include "table_writer.hpp"

namespace {

using mkd::FareTable;
using mkd::LoadError;
using mkd::LoadResult;

constexpr int kSizes[] = {1, 2, 3, 4, 5, 15, 26, 107};

struct Field {
    int record;
    int field;
    std::string text;
};

std::optional<std::string> written(const FareTable& table, int records) {
    return mkd::fuzz::writeTableText(records, table.size(),
                                     [&table](int r, int f) -> std::string_view { return table.cell(r, f); });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const int n = kSizes[data[0] % std::size(kSizes)];
    const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);

    // What the reader hands over, in order.
    std::vector<Field> fields;
    const LoadResult result = mkd::readRecords(bytes, n, n, [&fields](int r, int f, std::string_view text) {
        fields.push_back({r, f, std::string(text)});
    });

    FUZZ_CHECK(result.records >= 0 && result.records <= n);
    for (std::size_t i = 0; i < fields.size(); ++i) {
        FUZZ_CHECK(fields[i].record == static_cast<int>(i) / n);
        FUZZ_CHECK(fields[i].field == static_cast<int>(i) % n);
    }
    const std::size_t full = static_cast<std::size_t>(result.records) * static_cast<std::size_t>(n);
    switch (result.error) {
        case LoadError::None:
            FUZZ_CHECK(fields.size() == full);
            FUZZ_CHECK(mkd::lastRecordBegun(result) == (fields.empty() ? -1 : fields.back().record));
            FUZZ_CHECK(result.line == 0);
            break;
        case LoadError::TooManyRecords:
            FUZZ_CHECK(result.records == n);
            FUZZ_CHECK(fields.size() == full);
            FUZZ_CHECK(mkd::lastRecordBegun(result) == n);
            FUZZ_CHECK(result.line >= 1);
            break;
        case LoadError::EndsInsideRecord:
            FUZZ_CHECK(fields.size() > full && fields.size() < full + static_cast<std::size_t>(n));
            FUZZ_CHECK(mkd::lastRecordBegun(result) == fields.back().record);
            FUZZ_CHECK(result.line >= 1);
            break;
        default:
            FUZZ_CHECK(result.error != LoadError::CannotOpen && result.error != LoadError::TooLarge);
    }

    // The table gets exactly those cells; the rest keep their empty text.
    FareTable table(n);
    const LoadResult tableResult = mkd::readTable(bytes, table);
    FUZZ_CHECK(tableResult.error == result.error);
    FUZZ_CHECK(tableResult.records == result.records);
    FUZZ_CHECK(tableResult.line == result.line);
    for (const Field& f : fields) FUZZ_CHECK(table.cell(f.record, f.field) == f.text);
    if (fields.size() < static_cast<std::size_t>(n) * static_cast<std::size_t>(n)) {
        const std::size_t next = fields.size();
        FUZZ_CHECK(table.cell(static_cast<int>(next) / n, static_cast<int>(next) % n).empty());
    }

    // The lazy reader, on a table that already holds other text.
    FareTable lazy(n);
    for (int r = 0; r < n; ++r)
        for (int f = 0; f < n; ++f) lazy.setCell(r, f, "old");
    const auto shared = std::make_shared<const std::string>(bytes);
    if (const auto lazyResult = mkd::readTableLazily(shared, lazy)) {
        FUZZ_CHECK(result.ok());
        FUZZ_CHECK(lazyResult->ok() && lazyResult->records == result.records);
        for (int r = 0; r < n; ++r)
            for (int f = 0; f < n; ++f)
                FUZZ_CHECK(lazy.cell(r, f) == (r < result.records ? table.cell(r, f) : std::string_view("old")));
        // A cell set afterwards changes that cell only.
        lazy.setCell(0, 0, "changed");
        FUZZ_CHECK(lazy.cell(0, 0) == "changed");
        if (n > 1) FUZZ_CHECK(lazy.cell(0, 1) == (result.records > 0 ? table.cell(0, 1) : std::string_view("old")));
    } else {
        for (int r = 0; r < n; ++r)
            for (int f = 0; f < n; ++f) FUZZ_CHECK(lazy.cell(r, f) == "old");
    }
    if (!result.ok()) return 0;

    for (const Field& f : fields) FUZZ_CHECK(std::isfinite(table.value(f.field, f.record)));

    // Written back out, it loads to the same cells.
    const std::optional<std::string> text = written(table, result.records);
    FUZZ_CHECK(text.has_value());
    FareTable again(n);
    const LoadResult againResult = mkd::readTable(*text, again);
    FUZZ_CHECK(againResult.ok());
    FUZZ_CHECK(againResult.records == result.records);
    for (int r = 0; r < n; ++r)
        for (int f = 0; f < n; ++f) FUZZ_CHECK(again.cell(r, f) == table.cell(r, f));
    FUZZ_CHECK(written(again, result.records) == text);
    return 0;
}
