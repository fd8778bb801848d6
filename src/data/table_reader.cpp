#include "data/table_reader.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <climits>
#include <string>
#include <type_traits>

namespace mkd {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool isBlank(char c) { return c == ' ' || c == '\t'; }

// One lookup a byte: the delimiter search is where reading a table spends
// most of its time.
constexpr auto kDelimiterBytes = [] {
    std::array<bool, 256> table{};
    table[static_cast<unsigned char>(',')] = true;
    table[static_cast<unsigned char>('\r')] = true;
    table[static_cast<unsigned char>('\n')] = true;
    return table;
}();
bool isDelimiter(char c) { return kDelimiterBytes[static_cast<unsigned char>(c)]; }

// Cuts a file into fields, one at a time, and keeps count of the line it is on.
class FieldScanner {
public:
    explicit FieldScanner(std::string_view bytes) : bytes_(bytes) {
        if (bytes_.starts_with(kByteOrderMark)) pos_ = kByteOrderMark.size();
        more_ = pos_ < bytes_.size();
    }

    // Whether the text read so far announces one more field.
    bool hasField() const { return more_; }
    int line() const { return line_; }
    // The place of the next field (blanks before it never end a line).
    FieldPlace place() const { return {line_, column_}; }

    // The next field's text, without its quotes and surrounding blanks, and
    // the delimiter after it consumed. Call only while hasField().
    //
    // Works on local copies of the position: every table cell goes through
    // here, and a member would be reloaded after each byte the caller stores.
    std::string_view next() {
        const char* const data = bytes_.data();
        const std::size_t size = bytes_.size();
        std::size_t pos = pos_;
        while (pos < size && isBlank(data[pos])) ++pos;

        std::string_view text;
        if (pos < size && data[pos] == '"') {
            // A quoted field runs to the next quote, across commas and line
            // ends; whatever follows the closing quote up to the delimiter is
            // dropped. A quote that never closes takes the rest of the file.
            const std::size_t start = pos + 1;
            std::size_t close = bytes_.find('"', start);
            if (close == std::string_view::npos) close = size;
            text = bytes_.substr(start, close - start);
            countLineEnds(text);
            pos = findDelimiter(close < size ? close + 1 : close);
        } else {
            const std::size_t end = findDelimiter(pos);
            std::size_t last = end;
            while (last > pos && isBlank(data[last - 1])) --last;
            text = std::string_view(data + pos, last - pos);
            pos = end;
        }

        if (pos >= size) {
            more_ = false;
        } else if (data[pos] == ',') {
            ++pos;
            if (column_ < INT_MAX) ++column_;
            more_ = true;  // even at the end of the file: "1,2," has a third, empty field
        } else {
            pos += data[pos] == '\r' && pos + 1 < size && data[pos + 1] == '\n' ? 2 : 1;
            newLine();
            more_ = pos < size;  // one final line end starts nothing
        }
        pos_ = pos;
        return text;
    }

private:
    std::size_t findDelimiter(std::size_t from) const {
        const char* const data = bytes_.data();
        const std::size_t size = bytes_.size();
        std::size_t i = from;
        while (i < size && !isDelimiter(data[i])) ++i;
        return i;
    }

    void newLine() {
        if (line_ < INT_MAX) ++line_;
        column_ = 1;
    }

    // CR LF, a lone CR and a lone LF each end one line.
    void countLineEnds(std::string_view text) {
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (text[i] == '\n' || (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n'))) newLine();
        }
    }

    std::string_view bytes_;
    std::size_t pos_ = 0;
    int line_ = 1;
    int column_ = 1;
    bool more_ = false;
};

LoadResult failure(LoadError error, int line = 0, int records = 0) {
    LoadResult result;
    result.error = error;
    result.line = line;
    result.records = records;
    return result;
}

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

// The reader behind readRecords and readTable, with the sink inlined: a
// 107 × 107 table is 11,449 fields, read at every start-up.
template <class Store>
LoadResult readWith(std::string_view bytes, int maxRecords, int fieldsPerRecord, Store&& store,
                    std::int16_t& recordCounter) {
    recordCounter = -1;
    FieldScanner in(bytes);
    int counter = -1;
    int records = 0;
    // The end of the file is looked for only before a record, never between
    // its fields: a file that stops inside a record is broken.
    while (in.hasField()) {
        ++counter;
        recordCounter = static_cast<std::int16_t>(counter);
        const int recordLine = in.line();
        if (counter >= maxRecords) return failure(LoadError::TooManyRecords, recordLine, records);
        for (int field = 0; field < fieldsPerRecord; ++field) {
            if (!in.hasField()) return failure(LoadError::EndsInsideRecord, recordLine, records);
            if constexpr (std::is_invocable_v<Store&, int, int, std::string_view, FieldPlace>) {
                const FieldPlace place = in.place();
                store(counter, field, in.next(), place);
            } else {
                store(counter, field, in.next());
            }
        }
        ++records;
    }
    LoadResult result;
    result.records = records;
    return result;
}

}  // namespace

LoadResult readRecords(std::string_view bytes, int maxRecords, int fieldsPerRecord, const FieldSink& store,
                       std::int16_t& recordCounter) {
    return readWith(bytes, maxRecords, fieldsPerRecord, store, recordCounter);
}

LoadResult readPlacedRecords(std::string_view bytes, int maxRecords, int fieldsPerRecord,
                             const PlacedFieldSink& store, std::int16_t& recordCounter) {
    return readWith(bytes, maxRecords, fieldsPerRecord, store, recordCounter);
}

LoadResult readTable(std::string_view bytes, FareTable& table, std::int16_t& recordCounter) {
    return readWith(
        bytes, table.size(), table.size(),
        [&table](int record, int field, std::string_view text) { table.setCell(record, field, text); },
        recordCounter);
}

LoadResult readFileBytes(const std::string& path, std::string& bytes) {
    bytes.clear();
    // O_NONBLOCK keeps a FIFO from holding the program up before the type
    // check below refuses it; it changes nothing for a regular file.
    const FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    if (file.get() < 0) return failure(LoadError::CannotOpen);

    struct stat info {};
    if (::fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode)) return failure(LoadError::CannotOpen);
    if (info.st_size < 0 || static_cast<std::size_t>(info.st_size) > kMaxTableFileBytes)
        return failure(LoadError::TooLarge);

    // The size is checked again while reading, in case the file grows.
    bytes.reserve(static_cast<std::size_t>(info.st_size));
    char buffer[64 * 1024];
    for (;;) {
        const ssize_t got = ::read(file.get(), buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR) continue;
            bytes.clear();
            return failure(LoadError::CannotOpen);
        }
        if (got == 0) break;
        if (bytes.size() + static_cast<std::size_t>(got) > kMaxTableFileBytes) {
            bytes.clear();
            return failure(LoadError::TooLarge);
        }
        bytes.append(buffer, static_cast<std::size_t>(got));
    }
    return {};
}

LoadResult loadTableFile(const std::string& path, FareTable& table, std::int16_t& recordCounter) {
    recordCounter = -1;
    std::string bytes;
    const LoadResult read = readFileBytes(path, bytes);
    if (!read.ok()) return read;
    return readTable(bytes, table, recordCounter);
}

std::string describeLoadError(const LoadResult& result, const std::string& path, int tableSize) {
    switch (result.error) {
    case LoadError::None:
        return {};
    case LoadError::CannotOpen:
        return "料金表ファイルを読めません: " + path;
    case LoadError::TooLarge:
        return "料金表ファイルが大きすぎます: " + path;
    case LoadError::TooManyRecords:
        return path + " の " + std::to_string(result.line) + " 行目: 表の行数 (" + std::to_string(tableSize) +
               ") より多いレコードがあります。";
    case LoadError::EndsInsideRecord:
        return path + " の " + std::to_string(result.line) + " 行目から始まるレコードの途中でファイルが終わっています。";
    }
    return {};
}

}  // namespace mkd
