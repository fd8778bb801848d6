#include "data/table_reader.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <string>

namespace mkd {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kDelimiters = ",\r\n";

bool isBlank(char c) { return c == ' ' || c == '\t'; }

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

    // The next field's text, without its quotes and surrounding blanks, and
    // the delimiter after it consumed. Call only while hasField().
    std::string_view next() {
        while (pos_ < bytes_.size() && isBlank(bytes_[pos_])) ++pos_;

        std::string_view text;
        if (pos_ < bytes_.size() && bytes_[pos_] == '"') {
            // A quoted field runs to the next quote, across commas and line
            // ends; whatever follows the closing quote up to the delimiter is
            // dropped. A quote that never closes takes the rest of the file.
            const std::size_t start = pos_ + 1;
            std::size_t close = bytes_.find('"', start);
            if (close == std::string_view::npos) close = bytes_.size();
            text = bytes_.substr(start, close - start);
            countLineEnds(text);
            pos_ = close < bytes_.size() ? close + 1 : close;
            pos_ = findDelimiter(pos_);
        } else {
            const std::size_t end = findDelimiter(pos_);
            text = bytes_.substr(pos_, end - pos_);
            while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
            pos_ = end;
        }

        if (pos_ >= bytes_.size()) {
            more_ = false;
        } else if (bytes_[pos_] == ',') {
            ++pos_;
            more_ = true;  // even at the end of the file: "1,2," has a third, empty field
        } else {
            pos_ += bytes_.substr(pos_).starts_with("\r\n") ? 2 : 1;
            newLine();
            more_ = pos_ < bytes_.size();  // one final line end starts nothing
        }
        return text;
    }

private:
    std::size_t findDelimiter(std::size_t from) const {
        const std::size_t found = bytes_.find_first_of(kDelimiters, from);
        return found == std::string_view::npos ? bytes_.size() : found;
    }

    void newLine() {
        if (line_ < INT_MAX) ++line_;
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

}  // namespace

LoadResult readRecords(std::string_view bytes, int maxRecords, int fieldsPerRecord, const FieldSink& store,
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
            store(counter, field, in.next());
        }
        ++records;
    }
    LoadResult result;
    result.records = records;
    return result;
}

LoadResult readTable(std::string_view bytes, FareTable& table, std::int16_t& recordCounter) {
    return readRecords(
        bytes, table.size(), table.size(),
        [&table](int record, int field, std::string_view text) { table.setCell(record, field, std::string(text)); },
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
