#include "data/table_reader.hpp"

#include <fcntl.h>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#define MKD_WIDE_SCAN 1
#endif
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <climits>
#include <memory>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

#include "words/words.hpp"

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
LoadResult readWith(std::string_view bytes, int maxRecords, int fieldsPerRecord, Store&& store) {
    FieldScanner in(bytes);
    int counter = -1;
    int records = 0;
    // The end of the file is looked for only before a record, never between
    // its fields: a file that stops inside a record is broken.
    while (in.hasField()) {
        ++counter;
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

LoadResult readRecords(std::string_view bytes, int maxRecords, int fieldsPerRecord, const FieldSink& store) {
    return readWith(bytes, maxRecords, fieldsPerRecord, store);
}

LoadResult readPlacedRecords(std::string_view bytes, int maxRecords, int fieldsPerRecord,
                             const PlacedFieldSink& store) {
    return readWith(bytes, maxRecords, fieldsPerRecord, store);
}

LoadResult readTable(std::string_view bytes, FareTable& table) {
    return readWith(bytes, table.size(), table.size(),
                    [&table](int record, int field, std::string_view text) { table.setCell(record, field, text); });
}

int lastRecordBegun(const LoadResult& result) {
    switch (result.error) {
        case LoadError::None:
            return result.records - 1;
        case LoadError::TooManyRecords:  // the record one too many
        case LoadError::EndsInsideRecord:  // the record cut short
            return result.records;
        case LoadError::CannotOpen:
        case LoadError::TooLarge:
            break;  // nothing read
    }
    return -1;
}

LoadResult readFileBytes(const std::string& path, std::string& bytes, std::size_t maxBytes) {
    bytes.clear();
    // O_NONBLOCK keeps a FIFO from holding the program up before the type
    // check below refuses it; it changes nothing for a regular file.
    const FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    const auto cannotOpen = [](int why) {
        LoadResult result = failure(LoadError::CannotOpen);
        result.systemError = why;
        return result;
    };
    if (file.get() < 0) return cannotOpen(errno);

    struct stat info {};
    if (::fstat(file.get(), &info) != 0) return cannotOpen(errno);
    if (!S_ISREG(info.st_mode)) return cannotOpen(S_ISDIR(info.st_mode) ? EISDIR : kNotARegularFile);
    if (info.st_size < 0 || static_cast<std::size_t>(info.st_size) > maxBytes) return failure(LoadError::TooLarge);

    // Straight into the string, one byte more than the file so that its end
    // is seen in the same call; the size is checked again while reading, in
    // case the file grows.
    std::size_t filled = 0;
    bytes.resize(static_cast<std::size_t>(info.st_size) + 1);
    for (;;) {
        if (filled == bytes.size()) {
            if (bytes.size() > maxBytes) {
                bytes.clear();
                return failure(LoadError::TooLarge);
            }
            bytes.resize(std::min(bytes.size() * 2, maxBytes + 1));
        }
        const ssize_t got = ::read(file.get(), bytes.data() + filled, bytes.size() - filled);
        if (got < 0) {
            if (errno == EINTR) continue;
            const int why = errno;
            bytes.clear();
            return cannotOpen(why);
        }
        if (got == 0) break;
        filled += static_cast<std::size_t>(got);
    }
    if (filled > maxBytes) {
        bytes.clear();
        return failure(LoadError::TooLarge);
    }
    bytes.resize(filled);
    return {};
}

#if defined(__SSE2__)
// Bits set in a byte: the CPUs this is built for need not have a popcount
// instruction, and the library call in its place costs more than the scan.
constexpr std::array<std::uint8_t, 256> kBitsSet = [] {
    std::array<std::uint8_t, 256> bits{};
    for (std::size_t b = 0; b < 256; ++b) bits[b] = static_cast<std::uint8_t>((b & 1) + bits[b / 2]);
    return bits;
}();
#endif

namespace {

#if defined(MKD_WIDE_SCAN)
// The block loop of readTableLazily, thirty-two bytes at a time, for CPUs
// with AVX2 (nearly every x86-64 CPU since 2013; the program is built for
// any x86-64, so this is chosen when it runs). Scans whole blocks from `i`
// on and leaves `i` at the first byte it did not look at; false for a quote
// or when `blockAt` refuses.
template <class BlockAt>
__attribute__((target("avx2,popcnt,bmi"))) bool scanWide(const char* p, std::size_t size, std::size_t& i,
                                                         unsigned& carryCr, BlockAt& blockAt) {
    const __m256i comma = _mm256_set1_epi8(','), cr = _mm256_set1_epi8('\r'), lf = _mm256_set1_epi8('\n');
    const __m256i quote = _mm256_set1_epi8('"');
    for (; i + 32 <= size; i += 32) {
        const __m256i block = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + i));
        if (_mm256_movemask_epi8(_mm256_cmpeq_epi8(block, quote))) return false;
        const unsigned mComma = static_cast<unsigned>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(block, comma)));
        const unsigned mCr = static_cast<unsigned>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(block, cr)));
        const unsigned mLf = static_cast<unsigned>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(block, lf)));
        const unsigned pairedLf = mLf & ((mCr << 1) | carryCr);
        unsigned delims = mComma | mCr | (mLf & ~pairedLf);
        carryCr = mCr >> 31;
        if (!blockAt(i, delims, __builtin_popcount(delims))) return false;
    }
    return true;
}

bool wideScanAvailable() {
    static const bool available =
        __builtin_cpu_supports("avx2") && __builtin_cpu_supports("popcnt") && __builtin_cpu_supports("bmi");
    return available;
}
#endif

bool wideScanAllowed = true;

}  // namespace

void allowWideTableScan(bool allowed) { wideScanAllowed = allowed; }

std::optional<LoadResult> readTableLazily(const std::shared_ptr<const std::string>& text, FareTable& table) {
    // Quotes can hide delimiters; such a file goes through the full reader.
    const std::string_view bytes(*text);
#if !defined(__SSE2__)
    if (bytes.find('"') != std::string_view::npos) return std::nullopt;
#endif
    const std::size_t start = bytes.starts_with(kByteOrderMark) ? kByteOrderMark.size() : 0;
    const int n = table.size();
    if (start == bytes.size() || n <= 0) return LoadResult{};

    // Every comma and every line end (CR LF counting once) separates two
    // fields, except one line end at the very end. Record k starts after
    // delimiter k·N.
    std::vector<std::size_t> starts{start};
    starts.reserve(static_cast<std::size_t>(n) + 2);
    long long delimiters = 0;
    long long nextBoundary = n;
    const char* p = bytes.data();
    const std::size_t size = bytes.size();
    // Called for every delimiter at `pos`, in file order, only while a
    // boundary may be near; false when the file has more records than fit.
    auto delimiterAt = [&](std::size_t pos) {
        if (++delimiters != nextBoundary) return true;
        const bool crlf = p[pos] == '\r' && pos + 1 < size && p[pos + 1] == '\n';
        starts.push_back(pos + (crlf ? 2 : 1));
        nextBoundary += n;
        return starts.size() <= static_cast<std::size_t>(n) + 1;
    };
    // The delimiters of the block at `at`, a bit for each: counted at once,
    // and looked at one by one only in the block where a record ends.
    auto blockAt = [&](std::size_t at, unsigned delims, int count) {
        if (delimiters + count < nextBoundary) {
            delimiters += count;
            return true;
        }
        for (; delims; delims &= delims - 1)
            if (!delimiterAt(at + static_cast<std::size_t>(__builtin_ctz(delims)))) return false;
        return true;
    };
    std::size_t i = start;
#if defined(__SSE2__)
    // Sixteen bytes at a time, or thirty-two where the CPU can.
    const __m128i comma = _mm_set1_epi8(','), cr = _mm_set1_epi8('\r'), lf = _mm_set1_epi8('\n');
    const __m128i quote = _mm_set1_epi8('"');
    unsigned carryCr = i > 0 && p[i - 1] == '\r' ? 1u : 0u;
#if defined(MKD_WIDE_SCAN)
    if (wideScanAllowed && wideScanAvailable() && !scanWide(p, size, i, carryCr, blockAt)) return std::nullopt;
#endif
    for (; i + 16 <= size; i += 16) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
        const unsigned mComma = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(block, comma)));
        const unsigned mCr = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(block, cr)));
        const unsigned mLf = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(block, lf)));
        if (_mm_movemask_epi8(_mm_cmpeq_epi8(block, quote))) return std::nullopt;
        // The LF of a CR LF pair is part of the CR's delimiter.
        const unsigned pairedLf = mLf & ((mCr << 1) | carryCr);
        unsigned delims = mComma | mCr | (mLf & ~pairedLf);
        carryCr = (mCr >> 15) & 1u;
        if (!blockAt(i, delims, kBitsSet[delims & 0xFFu] + kBitsSet[delims >> 8])) return std::nullopt;
    }
    if (carryCr && i < size && p[i] == '\n') ++i;  // the LF of a pair split between blocks
#endif
    for (; i < size; ++i) {
        const char c = p[i];
        if (c == '"') return std::nullopt;
        if (c != ',' && c != '\r' && c != '\n') continue;
        if (!delimiterAt(i)) return std::nullopt;
        if (c == '\r' && i + 1 < size && p[i + 1] == '\n') ++i;
    }
    const char last = p[size - 1];
    const bool endsWithLineEnd = last == '\n' || last == '\r';
    const long long fields = delimiters + 1 - (endsWithLineEnd ? 1 : 0);
    if (fields % n != 0 || fields / n > n) return std::nullopt;  // the full reader says what is wrong
    const int records = static_cast<int>(fields / n);
    for (int r = 0; r < records; ++r) table.setRecordSource(r, text, starts[static_cast<std::size_t>(r)]);
    LoadResult result;
    result.records = records;
    return result;
}

LoadResult loadTableFile(const std::string& path, FareTable& table) {
    std::string bytes;
    const LoadResult read = readFileBytes(path, bytes);
    if (!read.ok()) return read;
    auto text = std::make_shared<const std::string>(std::move(bytes));
    if (auto lazily = readTableLazily(text, table)) return *lazily;
    return readTable(*text, table);
}

std::string describeLoadError(const LoadResult& result, const std::string& path, int tableSize, Lang lang) {
    switch (result.error) {
        case LoadError::None:
            return {};
        case LoadError::CannotOpen:
            return std::string(text(Msg::TableCannotOpen, lang, {path}));
        case LoadError::TooLarge:
            return std::string(text(Msg::TableTooLarge, lang, {path}));
        case LoadError::TooManyRecords:
            return text(Msg::TableTooManyRecords, lang, {path, std::to_string(result.line), std::to_string(tableSize)});
        case LoadError::EndsInsideRecord:
            return text(Msg::TableEndsInRecord, lang, {path, std::to_string(result.line)});
    }
    return {};
}

}  // namespace mkd
