#include "data/table_check.hpp"

#include <sys/stat.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <optional>

#include "data/cell_value.hpp"
#include "data/initial_selection.hpp"
#include "data/stations.hpp"
#include "data/table_catalogue.hpp"
#include "data/table_reader.hpp"

namespace mkd {

namespace {

// Each child table and the adult table of the same charge.
struct ChildAdult {
    TableFile child;
    TableFile adult;
};
constexpr ChildAdult kChildAdult[] = {
    {TableFile::Kodomo, TableFile::Futu},     {TableFile::KJiyu, TableFile::Jiyu},
    {TableFile::KSiteiH, TableFile::SiteiH},  {TableFile::KSiteiT, TableFile::SiteiT},
    {TableFile::KSiteiK, TableFile::SiteiK},  {TableFile::KGtoku, TableFile::GToku},
};

struct Cell {
    std::string text;
    FieldPlace place;
    bool present = false;
};

// A file as read: its cells where the reader got to, and how the read ended.
struct ReadTable {
    int size = 0;
    bool readable = false;
    std::vector<Cell> cells;
    const Cell& at(int record, int field) const {
        return cells[static_cast<std::size_t>(record) * static_cast<std::size_t>(size) + static_cast<std::size_t>(field)];
    }
};

// A number for a message: whole numbers without a fraction, others in their
// shortest exact form.
std::string numberText(double value) {
    char buffer[64];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
    if (error != std::errc{}) return "?";
    return std::string(buffer, end);
}

std::string quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

// How a cell's text reads, by the grammar of cellValue: whether it begins
// with a number, whether text follows that number, and whether the number's
// digits are all zero.
struct CellReading {
    bool number = false;
    bool textAfter = false;
    bool nonZeroDigit = false;
};

CellReading readCell(std::string_view text) {
    std::string plain;  // blanks are ignored anywhere in a cell
    for (char c : text)
        if (!isBlank(c)) plain += c;
    CellReading r;
    std::size_t i = 0;
    const auto digits = [&] {
        bool any = false;
        while (i < plain.size() && isDigit(plain[i])) {
            if (plain[i] != '0') r.nonZeroDigit = true;
            any = true;
            ++i;
        }
        return any;
    };
    if (i < plain.size() && (plain[i] == '+' || plain[i] == '-')) ++i;
    bool any = digits();
    if (i < plain.size() && plain[i] == '.') {
        const std::size_t dot = i++;
        if (!digits() && !any) i = dot;  // a lone "." is not a number
        any = any || i > dot + 1;
    }
    if (!any) return r;
    r.number = true;
    if (i < plain.size() && (plain[i] == 'E' || plain[i] == 'e' || plain[i] == 'D' || plain[i] == 'd')) {
        std::size_t j = i + 1;
        if (j < plain.size() && (plain[j] == '+' || plain[j] == '-')) ++j;
        const std::size_t first = j;
        while (j < plain.size() && isDigit(plain[j])) ++j;
        if (j > first) i = j;  // an exponent counts only with its digits
    }
    r.textAfter = i < plain.size();
    return r;
}

TableProblem problemAt(Severity severity, ProblemKind kind, std::string_view file, const Cell& cell, int record,
                       int field, std::string message) {
    TableProblem p;
    p.severity = severity;
    p.kind = kind;
    p.file = std::string(file);
    p.line = cell.place.line;
    p.column = cell.place.column;
    p.record = record;
    p.field = field;
    p.message = std::move(message);
    return p;
}

TableProblem fileProblem(Severity severity, ProblemKind kind, std::string_view file, int line, std::string message) {
    TableProblem p;
    p.severity = severity;
    p.kind = kind;
    p.file = std::string(file);
    p.line = line;
    p.message = std::move(message);
    return p;
}

// The warnings about one cell of a price or distance table.
void checkCell(std::vector<TableProblem>& out, std::string_view file, bool distance, const Cell& cell, int record,
               int field) {
    const auto warn = [&](ProblemKind kind, std::string message) {
        out.push_back(problemAt(Severity::Warning, kind, file, cell, record, field, std::move(message)));
    };
    if (cell.text.empty()) {
        warn(ProblemKind::Empty, "empty cell: reads as 0");
        return;
    }
    const CellReading r = readCell(cell.text);
    if (!r.number) {
        warn(ProblemKind::NotANumber, quoted(cell.text) + " is not a number: reads as 0");
        return;
    }
    const double value = cellValue(cell.text);
    if (value == 0.0 && r.nonZeroDigit) {
        warn(ProblemKind::OutOfRange, quoted(cell.text) + " is out of range: reads as 0");
        return;
    }
    if (r.textAfter)
        warn(ProblemKind::TextAfterNumber,
             quoted(cell.text) + ": only the number it begins with counts, it reads as " + numberText(value));
    if (value < 0) warn(ProblemKind::Negative, (distance ? "negative distance " : "negative amount ") + numberText(value));
    if (!distance && value != std::floor(value))
        warn(ProblemKind::Fraction, "amount " + numberText(value) + " is not whole yen");
}

std::string placeText(std::string_view file, const Cell& cell) {
    return std::string(file) + " line " + std::to_string(cell.place.line) + " field " +
           std::to_string(cell.place.column);
}

// Reads one table file's text and checks it alone.
std::vector<TableProblem> checkRead(std::string_view file, std::string_view bytes, int size, ReadTable& table) {
    std::vector<TableProblem> out;
    table.size = size;
    table.readable = true;
    table.cells.assign(static_cast<std::size_t>(size) * static_cast<std::size_t>(size), Cell{});
    std::int16_t counter = -1;
    const LoadResult result = readPlacedRecords(
        bytes, size, size,
        [&table](int record, int field, std::string_view text, FieldPlace place) {
            Cell& cell = table.cells[static_cast<std::size_t>(record) * static_cast<std::size_t>(table.size) +
                                     static_cast<std::size_t>(field)];
            cell.text = std::string(text);
            cell.place = place;
            cell.present = true;
        },
        counter);

    const bool distance = file == tableFileInfo(TableFile::Kyori).name;
    int lastLine = 0;
    for (int record = 0; record < size; ++record)
        for (int field = 0; field < size; ++field) {
            const Cell& cell = table.at(record, field);
            if (!cell.present) continue;
            lastLine = cell.place.line;
            checkCell(out, file, distance, cell, record, field);
        }

    if (distance) {
        // Each pair once, at the cell read later (the lower record first).
        for (int record = 1; record < size; ++record)
            for (int field = 0; field < record; ++field) {
                const Cell& there = table.at(record, field);
                const Cell& back = table.at(field, record);
                if (!there.present || !back.present) continue;
                const double a = cellValue(there.text);
                const double b = cellValue(back.text);
                if (a == b) continue;
                out.push_back(problemAt(Severity::Warning, ProblemKind::NotSymmetric, file, there, record, field,
                                        "distance " + numberText(a) + " differs from " + numberText(b) +
                                            " of the reverse journey (" + placeText(file, back) + ")"));
            }
    }

    const std::string sizeText = std::to_string(size);
    switch (result.error) {
    case LoadError::None:
        if (result.records < size)
            out.push_back(fileProblem(Severity::Warning, ProblemKind::FewerRecords, file, lastLine + 1,
                                      "only " + std::to_string(result.records) + " of " + sizeText +
                                          " records: the others keep what the table held (0 at start-up)"));
        break;
    case LoadError::TooManyRecords:
        out.push_back(fileProblem(Severity::Fatal, ProblemKind::ExtraRecord, file, result.line,
                                  "a record beyond the table's " + sizeText +
                                      " starts here (an empty last line counts as one)"));
        break;
    case LoadError::EndsInsideRecord: {
        int fields = 0;
        for (int field = 0; field < size; ++field) fields += table.at(result.records, field).present ? 1 : 0;
        out.push_back(fileProblem(Severity::Fatal, ProblemKind::EndsInsideRecord, file, result.line,
                                  "the file ends inside the record that starts here: " + std::to_string(fields) +
                                      " of " + sizeText + " fields"));
        break;
    }
    case LoadError::CannotOpen:
    case LoadError::TooLarge:
        break;  // only a file on disk can be these
    }
    return out;
}

TableProblem unreadableFile(std::string_view file, LoadError error) {
    if (error == LoadError::TooLarge)
        return fileProblem(Severity::Fatal, ProblemKind::TooLarge, file, 0,
                           "the file is larger than " + std::to_string(kMaxTableFileBytes) + " bytes");
    return fileProblem(Severity::Fatal, ProblemKind::CannotOpen, file, 0, "missing, unreadable or not a file");
}

void sortByPlace(std::vector<TableProblem>& problems) {
    std::stable_sort(problems.begin(), problems.end(), [](const TableProblem& a, const TableProblem& b) {
        if (a.line != b.line) return a.line < b.line;
        return a.column < b.column;
    });
}

std::string stationText(int size, int index) {
    const StationList list = size == kAllStations ? StationList::All
                             : size == kExpressStops ? StationList::Express
                                                     : StationList::Marine;
    const std::string_view name = stationName(list, index);
    return name.empty() ? "#" + std::to_string(index) : std::string(name);
}

bool exists(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0;
}

}  // namespace

std::vector<TableProblem> checkTableText(std::string_view fileName, std::string_view bytes, int size) {
    ReadTable table;
    std::vector<TableProblem> out = checkRead(fileName, bytes, size, table);
    sortByPlace(out);
    return out;
}

std::vector<TableProblem> checkInitialSelectionText(std::string_view bytes) {
    const std::string_view file = kInitialSelectionFile;
    std::vector<TableProblem> out;
    std::string cells[2];
    std::int16_t counter = -1;
    const LoadResult result = readInitialSelection(bytes, cells, counter);
    if (result.error == LoadError::TooManyRecords) {
        out.push_back(fileProblem(Severity::Fatal, ProblemKind::ExtraRecord, file, result.line,
                                  "a third record starts here: the file holds two (an empty last line counts as one)"));
    }
    // The same read again, for where each cell is.
    Cell placed[2];
    readPlacedRecords(
        bytes, 2, 1,
        [&placed](int record, int, std::string_view text, FieldPlace place) {
            placed[record] = Cell{std::string(text), place, true};
        },
        counter);

    const int fallbacks[2] = {kDefaultPair.departure, kDefaultPair.arrival};
    const char* roles[2] = {"departure", "arrival"};
    for (int i = 0; i < 2; ++i) {
        const Cell& cell = placed[i];
        const int position = selectionPosition(cells[i], fallbacks[i]);
        const std::string shown = std::to_string(position) + " " + std::string(stationName(StationList::All, position));
        if (!cell.present) {
            out.push_back(fileProblem(Severity::Warning, ProblemKind::SelectionMissing, file, 0,
                                      std::string("no ") + roles[i] + " cell: the start screen selects " + shown));
            continue;
        }
        const auto warn = [&](ProblemKind kind, std::string message) {
            out.push_back(problemAt(Severity::Warning, kind, file, cell, -1, -1, std::move(message)));
        };
        const CellReading r = readCell(cell.text);
        const double value = cellValue(cell.text);
        if (cell.text.empty()) {
            warn(ProblemKind::Empty, std::string("empty ") + roles[i] + " cell: the start screen selects " + shown);
        } else if (!r.number) {
            warn(ProblemKind::NotANumber, quoted(cell.text) + " is not a number: the start screen selects " + shown);
        } else {
            if (r.textAfter)
                warn(ProblemKind::TextAfterNumber,
                     quoted(cell.text) + ": only the number it begins with counts, it reads as " + numberText(value));
            if (selectionPosition(cells[i], -1) < 0)
                warn(ProblemKind::SelectionOutOfRange, numberText(value) + " is not a station position (0 to " +
                                                           std::to_string(kAllStations - 1) +
                                                           "): the start screen selects " + shown);
            else if (value != std::floor(value))
                warn(ProblemKind::SelectionRounded, numberText(value) + " is rounded: the start screen selects " + shown);
        }
    }
    sortByPlace(out);
    return out;
}

std::vector<TableProblem> checkTableFolder(const std::string& folder, const std::string& selectionFile) {
    const auto files = tableFiles();
    std::vector<ReadTable> tables(files.size());
    std::vector<std::vector<TableProblem>> perFile(files.size());
    for (std::size_t i = 0; i < files.size(); ++i) {
        const TableFileInfo& info = files[i];
        std::string bytes;
        const LoadResult read = readFileBytes(folder + "/" + std::string(info.name), bytes);
        if (!read.ok()) {
            perFile[i].push_back(unreadableFile(info.name, read.error));
            continue;
        }
        perFile[i] = checkRead(info.name, bytes, info.size, tables[i]);
    }

    for (const ChildAdult& pair : kChildAdult) {
        const auto c = static_cast<std::size_t>(pair.child);
        const auto a = static_cast<std::size_t>(pair.adult);
        const ReadTable& child = tables[c];
        const ReadTable& adult = tables[a];
        if (!child.readable || !adult.readable || child.size != adult.size) continue;
        for (int record = 0; record < child.size; ++record)
            for (int field = 0; field < child.size; ++field) {
                const Cell& kid = child.at(record, field);
                const Cell& grown = adult.at(record, field);
                if (!kid.present || !grown.present) continue;
                const double k = cellValue(kid.text);
                const double g = cellValue(grown.text);
                if (k <= g) continue;
                perFile[c].push_back(problemAt(Severity::Warning, ProblemKind::ChildAboveAdult, files[c].name, kid,
                                               record, field,
                                               "child amount " + numberText(k) + " is above the adult amount " +
                                                   numberText(g) + " (" + placeText(files[a].name, grown) + ")"));
            }
    }

    std::vector<TableProblem> out;
    for (auto& problems : perFile) {
        sortByPlace(problems);
        out.insert(out.end(), problems.begin(), problems.end());
    }

    // Henko.txt may be missing; the start screen then shows the corridor's ends.
    const std::string henko =
        selectionFile.empty() ? folder + "/" + std::string(kInitialSelectionFile) : selectionFile;
    std::string bytes;
    const LoadResult read = readFileBytes(henko, bytes);
    if (read.error == LoadError::TooLarge) {
        out.push_back(unreadableFile(kInitialSelectionFile, read.error));
    } else if (read.error == LoadError::CannotOpen) {
        if (exists(henko))
            out.push_back(fileProblem(Severity::Warning, ProblemKind::CannotOpen, kInitialSelectionFile, 0,
                                      "cannot be read: the start screen ignores it and shows the corridor's ends"));
    } else {
        const auto problems = checkInitialSelectionText(bytes);
        out.insert(out.end(), problems.begin(), problems.end());
    }
    return out;
}

int checkStatus(const std::vector<TableProblem>& problems) {
    int status = 0;
    for (const TableProblem& p : problems) status = std::max(status, p.severity == Severity::Fatal ? 2 : 1);
    return status;
}

std::string formatProblem(const TableProblem& p) {
    std::string text = p.file;
    if (p.line > 0) {
        text += ":" + std::to_string(p.line);
        if (p.column > 0) text += ":" + std::to_string(p.column);
    }
    text += p.severity == Severity::Fatal ? ": fatal: " : ": warning: ";
    text += p.message;
    if (p.record >= 0 && p.field >= 0) {
        int size = kAllStations;
        for (const TableFileInfo& info : tableFiles())
            if (info.name == p.file) size = info.size;
        text += " (record " + std::to_string(p.record) + ", field " + std::to_string(p.field) + ": " +
                stationText(size, p.field) + " → " + stationText(size, p.record) + ")";
    }
    return text;
}

}  // namespace mkd
