// The reader shared by every table file and by the initial-selection file.
//
// A file is a stream of fields separated by commas or line ends (CR LF; a lone
// LF or CR is taken as a line end too). Blanks before a field are skipped, a
// field in double quotes loses its quotes, and a record is N consecutive
// fields whatever the line breaks. A comma always announces one more field;
// one line end after the last field of the file announces nothing, so
// anything after the last record other than that one line end starts a
// further record. A UTF-8 byte-order mark at the start of the file is skipped.
//
// Loading never clears the table first: a file with fewer than N records
// fills only its records and the rest keeps what it held.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "data/fare_table.hpp"
#include "words/words.hpp"

namespace mkd {

enum class LoadError {
    None,
    CannotOpen,  // missing, unreadable, or not a regular file
    TooLarge,  // far larger than any table could be
    TooManyRecords,  // more records than the table has
    EndsInsideRecord,  // fewer than N fields after the last record boundary
};

struct LoadResult {
    LoadError error = LoadError::None;
    int line = 0;  // 1-based line where the offending record starts (0: none)
    int records = 0;  // records filled
    // For CannotOpen, the system's reason (an errno value): ENOENT for a
    // missing file, EACCES, EISDIR for a folder, kNotARegularFile, …
    int systemError = 0;
    bool ok() const { return error == LoadError::None; }
};

// The reason of a CannotOpen for something that is neither a file nor a
// folder (a pipe, a device): no errno value says that.
inline constexpr int kNotARegularFile = -1;

// Files larger than this are refused: a 107 × 107 table is about 60 KB.
inline constexpr std::size_t kMaxTableFileBytes = 16u * 1024u * 1024u;

// Reads `bytes` into `table`, `fieldsPerRecord` fields to a record (the
// table's size for a fare table).
LoadResult readTable(std::string_view bytes, FareTable& table);

// The record a read began last (from 0; -1 for none): the record counter of
// the program's shared tables, which counts every record it begins.
int lastRecordBegun(const LoadResult& result);

// The reader for any shape of file: at most `maxRecords` records of
// `fieldsPerRecord` fields, each field handed to `store(record, field, text)`
// as soon as it is read.
using FieldSink = std::function<void(int record, int field, std::string_view text)>;
LoadResult readRecords(std::string_view bytes, int maxRecords, int fieldsPerRecord, const FieldSink& store);

// Where a field's text starts: the line (from 1) and the field's place on that
// line (from 1: a field after the first comma of a line is 2). A quoted field
// that holds line ends is placed where its opening quote is.
struct FieldPlace {
    int line = 1;
    int column = 1;
    bool operator==(const FieldPlace&) const = default;
};

// readRecords for those who need to say where each field is, such as a
// checker of table files. Reads exactly as readRecords does.
using PlacedFieldSink = std::function<void(int record, int field, std::string_view text, FieldPlace place)>;
LoadResult readPlacedRecords(std::string_view bytes, int maxRecords, int fieldsPerRecord, const PlacedFieldSink& store);

// Reads `text` into `table` as readTable does, keeping the records as the
// text they were read from (see FareTable::setRecordSource): no cell is cut
// out until it is asked for. Returns nothing, and changes nothing, for text
// with double quotes or with a problem; readTable then reads it and says
// what is wrong.
std::optional<LoadResult> readTableLazily(const std::shared_ptr<const std::string>& text, FareTable& table);

// Lets readTableLazily look at 32 bytes at a time where the CPU can (the
// default); tests turn it off to check the 16-byte path on the same CPU.
void allowWideTableScan(bool allowed);

// Reads the file at `path` into `table`.
LoadResult loadTableFile(const std::string& path, FareTable& table);

// The text of the file at `path`, or CannotOpen / TooLarge (larger than
// `maxBytes`). Only a regular file is read (through links); a pipe or a
// device is CannotOpen with kNotARegularFile, at once.
LoadResult readFileBytes(const std::string& path, std::string& bytes, std::size_t maxBytes = kMaxTableFileBytes);

// A message for the user that names the file and, where there is one, the
// line: "…/Futu.txt の 108 行目: 表の行数 (107) より多いレコードがあります。"
std::string describeLoadError(const LoadResult& result, const std::string& path, int tableSize,
                              Lang lang = Lang::Japanese);

}  // namespace mkd
