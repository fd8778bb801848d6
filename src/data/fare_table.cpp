#include "data/fare_table.hpp"

#include <charconv>

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

namespace {

// The number of a cell that is only digits, with at most one fraction
// ("1230", "100.5"), as cellValue reads it; other text goes to cellValue.
double plainValue(std::string_view text) {
    std::size_t dots = 0;
    bool plain =
        !text.empty() && text.front() >= '0' && text.front() <= '9' && text.back() >= '0' && text.back() <= '9';
    for (std::size_t i = 0; plain && i < text.size(); ++i) {
        const char c = text[i];
        if (c == '.') ++dots;
        plain = (c >= '0' && c <= '9') || (c == '.' && dots == 1);
    }
    if (!plain) return cellValue(text);
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc{} && end == text.data() + text.size() ? value : cellValue(text);
}

}  // namespace

std::vector<double> FareTable::values(int to) const {
    if (to < 0 || to >= size_) return {};
    std::vector<double> out(static_cast<std::size_t>(size_), 0.0);
    const Source& source = sources_[static_cast<std::size_t>(to)];
    if (!source.text) {
        for (int f = 0; f < size_; ++f) out[static_cast<std::size_t>(f)] = value(f, to);
        return out;
    }
    // The fields as sourceField finds them, each from where the last ended.
    const std::string_view text(*source.text);
    std::size_t pos = source.begin;
    for (int f = 0; f < size_; ++f) {
        std::size_t start = pos;
        while (start < text.size() && (text[start] == ' ' || text[start] == '\t')) ++start;
        std::size_t end = text.find_first_of(",\r\n", start);
        const std::size_t stop = end == std::string_view::npos ? text.size() : end;
        std::size_t last = stop;
        while (last > start && (text[last - 1] == ' ' || text[last - 1] == '\t')) --last;
        out[static_cast<std::size_t>(f)] = plainValue(text.substr(start, last - start));
        if (end == std::string_view::npos) break;  // the fields after it are empty
        pos = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    }
    return out;
}

}  // namespace mkd
