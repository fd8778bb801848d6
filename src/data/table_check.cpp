#include "data/table_check.hpp"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>

#include "data/careful_save.hpp"
#include "data/cell_value.hpp"
#include "data/initial_selection.hpp"
#include "data/stations.hpp"
#include "data/table_catalogue.hpp"
#include "data/table_reader.hpp"
#include "words/money.hpp"
#include "words/words.hpp"

namespace mkd {

namespace {

// Each child table and the adult table of the same charge.
struct ChildAdult {
    TableFile child;
    TableFile adult;
};
constexpr ChildAdult kChildAdult[] = {
    {TableFile::Kodomo, TableFile::Futu},    {TableFile::KJiyu, TableFile::Jiyu},
    {TableFile::KSiteiH, TableFile::SiteiH}, {TableFile::KSiteiT, TableFile::SiteiT},
    {TableFile::KSiteiK, TableFile::SiteiK}, {TableFile::KGtoku, TableFile::GToku},
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
        return cells[static_cast<std::size_t>(record) * static_cast<std::size_t>(size) +
                     static_cast<std::size_t>(field)];
    }
};

// The words of a problem, kept as words and arguments so that a report can
// be given in any language.
void say(TableProblem& p, Msg what, std::vector<std::string> args) {
    p.what = what;
    p.args = std::move(args);
    p.message = text(p.what, kCheckLang, p.args);
}

TableProblem problemAt(Severity severity, ProblemKind kind, std::string_view file, const Cell& cell, int record,
                       int field, Msg what, std::vector<std::string> args) {
    TableProblem p;
    p.severity = severity;
    p.kind = kind;
    p.file = std::string(file);
    p.line = cell.place.line;
    p.column = cell.place.column;
    p.record = record;
    p.field = field;
    say(p, what, std::move(args));
    return p;
}

TableProblem fileProblem(Severity severity, ProblemKind kind, std::string_view file, int line, Msg what,
                         std::vector<std::string> args = {}) {
    TableProblem p;
    p.severity = severity;
    p.kind = kind;
    p.file = std::string(file);
    p.line = line;
    say(p, what, std::move(args));
    return p;
}

// The warnings about one cell of a price or distance table.
void checkCell(std::vector<TableProblem>& out, std::string_view file, bool distance, const Cell& cell, int record,
               int field) {
    const auto warn = [&](ProblemKind kind, Msg what, std::vector<std::string> args = {}) {
        out.push_back(problemAt(Severity::Warning, kind, file, cell, record, field, what, std::move(args)));
    };
    if (cell.text.empty()) {
        warn(ProblemKind::Empty, Msg::CheckEmptyCell);
        return;
    }
    const CellReading r = readCellText(cell.text);
    if (!r.number) {
        warn(ProblemKind::NotANumber, Msg::CheckNotANumber, {cell.text});
        return;
    }
    const double value = r.value;
    if (value == 0.0 && r.nonZeroDigit) {
        warn(ProblemKind::OutOfRange, Msg::CheckOutOfRange, {cell.text});
        return;
    }
    if (r.textAfter) warn(ProblemKind::TextAfterNumber, Msg::CheckTextAfter, {cell.text, numberWords(value)});
    if (value < 0)
        warn(ProblemKind::Negative, distance ? Msg::CheckNegativeDistance : Msg::CheckNegativeAmount,
             {numberWords(value)});
    if (!distance && value != std::floor(value)) warn(ProblemKind::Fraction, Msg::CheckFraction, {numberWords(value)});
    // A number this large may not even be the one written (9007199254740993
    // reads as ...992), and a sum or a return fare of it may overflow.
    if (std::fabs(value) > kPlausibleLimit)
        warn(ProblemKind::Implausible, Msg::CheckImplausibleAmount,
             {cell.text, numberWords(value), std::to_string(static_cast<long long>(kPlausibleLimit))});
}

std::string placeText(std::string_view file, const Cell& cell) {
    return text(Msg::CheckPlace, kCheckLang,
                {file, std::to_string(cell.place.line), std::to_string(cell.place.column)});
}

// Reads one table file's text and checks it alone.
std::vector<TableProblem> checkRead(std::string_view file, std::string_view bytes, int size, ReadTable& table) {
    std::vector<TableProblem> out;
    table.size = size;
    table.readable = true;
    table.cells.assign(static_cast<std::size_t>(size) * static_cast<std::size_t>(size), Cell{});
    const LoadResult result =
        readPlacedRecords(bytes, size, size, [&table](int record, int field, std::string_view text, FieldPlace place) {
            Cell& cell = table.cells[static_cast<std::size_t>(record) * static_cast<std::size_t>(table.size) +
                                     static_cast<std::size_t>(field)];
            cell.text = std::string(text);
            cell.place = place;
            cell.present = true;
        });

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
                                        Msg::CheckNotSymmetric,
                                        {numberWords(a), numberWords(b), placeText(file, back)}));
            }
    }

    const std::string sizeText = std::to_string(size);
    switch (result.error) {
        case LoadError::None:
            if (result.records < size)
                out.push_back(fileProblem(Severity::Warning, ProblemKind::FewerRecords, file, lastLine + 1,
                                          Msg::CheckFewerRecords, {std::to_string(result.records), sizeText}));
            break;
        case LoadError::TooManyRecords:
            out.push_back(fileProblem(Severity::Fatal, ProblemKind::ExtraRecord, file, result.line,
                                      Msg::CheckExtraRecord, {sizeText}));
            break;
        case LoadError::EndsInsideRecord: {
            int fields = 0;
            for (int field = 0; field < size; ++field) fields += table.at(result.records, field).present ? 1 : 0;
            out.push_back(fileProblem(Severity::Fatal, ProblemKind::EndsInsideRecord, file, result.line,
                                      Msg::CheckEndsInRecord, {std::to_string(fields), sizeText}));
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
        return fileProblem(Severity::Fatal, ProblemKind::TooLarge, file, 0, Msg::CheckTooLarge,
                           {std::to_string(kMaxTableFileBytes)});
    return fileProblem(Severity::Fatal, ProblemKind::CannotOpen, file, 0, Msg::CheckCannotOpen);
}

void sortByPlace(std::vector<TableProblem>& problems) {
    std::stable_sort(problems.begin(), problems.end(), [](const TableProblem& a, const TableProblem& b) {
        if (a.line != b.line) return a.line < b.line;
        return a.column < b.column;
    });
}

std::string stationText(int size, int index) {
    const StationList list = size == kAllStations    ? StationList::All
                             : size == kExpressStops ? StationList::Express
                                                     : StationList::Marine;
    const std::string_view name = stationName(list, index);
    return name.empty() ? "#" + std::to_string(index) : std::string(name);
}

// The temporary files of killed saves in `folder`, by name.
std::vector<std::string> saveLeftovers(const std::string& folder) {
    std::vector<std::string> names;
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return names;
    while (const dirent* entry = ::readdir(dir))
        if (isSaveTemporary(entry->d_name, kInitialSelectionFile)) names.emplace_back(entry->d_name);
    ::closedir(dir);
    std::sort(names.begin(), names.end());
    return names;
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
    const LoadResult result = readInitialSelection(bytes, cells);
    if (result.error == LoadError::TooManyRecords) {
        out.push_back(
            fileProblem(Severity::Fatal, ProblemKind::ExtraRecord, file, result.line, Msg::CheckSelectionThird));
    }
    // The same read again, for where each cell is.
    Cell placed[2];
    readPlacedRecords(bytes, 2, 1, [&placed](int record, int, std::string_view text, FieldPlace place) {
        placed[record] = Cell{std::string(text), place, true};
    });

    const int fallbacks[2] = {kDefaultPair.departure, kDefaultPair.arrival};
    const std::string roles[2] = {std::string(text(Msg::CheckDeparture, kCheckLang)),
                                  std::string(text(Msg::CheckArrival, kCheckLang))};
    for (int i = 0; i < 2; ++i) {
        const Cell& cell = placed[i];
        const int position = selectionPosition(cells[i], fallbacks[i]);
        const std::string shown = std::to_string(position) + " " + std::string(stationName(StationList::All, position));
        if (!cell.present) {
            out.push_back(fileProblem(Severity::Warning, ProblemKind::SelectionMissing, file, 0,
                                      Msg::CheckSelectionMissing, {roles[i], shown}));
            continue;
        }
        const auto warn = [&](ProblemKind kind, Msg what, std::vector<std::string> args) {
            out.push_back(problemAt(Severity::Warning, kind, file, cell, -1, -1, what, std::move(args)));
        };
        const CellReading r = readCellText(cell.text);
        const double value = r.value;
        if (cell.text.empty()) {
            warn(ProblemKind::Empty, Msg::CheckSelectionEmpty, {roles[i], shown});
        } else if (!r.number) {
            warn(ProblemKind::NotANumber, Msg::CheckSelectionNotANumber, {cell.text, shown});
        } else if (value == 0.0 && r.nonZeroDigit) {
            warn(ProblemKind::OutOfRange, Msg::CheckSelectionReadsAsZero, {cell.text, shown});
        } else {
            if (r.textAfter) warn(ProblemKind::TextAfterNumber, Msg::CheckTextAfter, {cell.text, numberWords(value)});
            if (selectionPosition(cells[i], -1) < 0)
                warn(ProblemKind::SelectionOutOfRange, Msg::CheckSelectionOutOfRange,
                     {numberWords(value), std::to_string(kAllStations - 1), shown});
            else if (value != std::floor(value))
                warn(ProblemKind::SelectionRounded, Msg::CheckSelectionRounded, {numberWords(value), shown});
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
                                               record, field, Msg::CheckChildAboveAdult,
                                               {numberWords(k), numberWords(g), placeText(files[a].name, grown)}));
            }
    }

    std::vector<TableProblem> out;
    for (auto& problems : perFile) {
        sortByPlace(problems);
        out.insert(out.end(), problems.begin(), problems.end());
    }

    // Henko.txt may be missing; the start screen then shows the corridor's ends.
    const std::string henko = selectionFile.empty() ? folder + "/" + std::string(kInitialSelectionFile) : selectionFile;
    std::string bytes;
    const LoadResult read = readFileBytes(henko, bytes);
    if (read.error == LoadError::TooLarge) {
        out.push_back(unreadableFile(kInitialSelectionFile, read.error));
    } else if (read.error == LoadError::CannotOpen) {
        if (exists(henko))
            out.push_back(fileProblem(Severity::Warning, ProblemKind::CannotOpen, kInitialSelectionFile, 0,
                                      Msg::CheckSelectionUnreadable, {reasonText(read.systemError, Lang::English)}));
    } else {
        const auto problems = checkInitialSelectionText(bytes);
        out.insert(out.end(), problems.begin(), problems.end());
    }
    for (const std::string& name : saveLeftovers(folder))
        out.push_back(fileProblem(Severity::Warning, ProblemKind::SaveLeftover, name, 0, Msg::CheckSaveLeftover,
                                  {std::string(kInitialSelectionFile)}));
    return out;
}

int checkStatus(const std::vector<TableProblem>& problems) {
    int status = 0;
    for (const TableProblem& p : problems) status = std::max(status, p.severity == Severity::Fatal ? 2 : 1);
    return status;
}

std::string formatProblem(const TableProblem& p, Lang lang) {
    std::string text = p.file;
    if (p.line > 0) {
        text += ":" + std::to_string(p.line);
        if (p.column > 0) text += ":" + std::to_string(p.column);
    }
    text += ": ";
    text += mkd::text(p.severity == Severity::Fatal ? Msg::CheckFatal : Msg::CheckWarning, lang);
    text += ": ";
    text += lang == kCheckLang ? p.message : mkd::text(p.what, lang, p.args);
    if (p.record >= 0 && p.field >= 0) {
        int size = kAllStations;
        for (const TableFileInfo& info : tableFiles())
            if (info.name == p.file) size = info.size;
        text += " ";
        text += mkd::text(Msg::CheckCell, lang,
                          {std::to_string(p.record), std::to_string(p.field), stationText(size, p.field),
                           stationText(size, p.record)});
    }
    return text;
}

std::string checkSummary(const std::string& folder, int fatal, int warnings, Lang lang) {
    if (fatal == 0 && warnings == 0) return text(Msg::CheckNoProblems, lang, {folder});
    if (warnings == 1) return text(Msg::CheckSummaryOne, lang, {folder, std::to_string(fatal)});
    return text(Msg::CheckSummary, lang, {folder, std::to_string(fatal), std::to_string(warnings)});
}

}  // namespace mkd
