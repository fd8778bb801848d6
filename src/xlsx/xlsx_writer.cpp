#include "xlsx/xlsx_writer.hpp"

#include <stdlib.h>
#include <xlsxwriter.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

namespace mkd {

namespace {

constexpr std::size_t kFormulaChars = 8000;  // Excel takes formulas up to 8,192 characters
constexpr std::size_t kSumArguments = 250;  // and up to 255 arguments to one function

// Code points of UTF-8 text (a stray byte counts as one).
std::vector<char32_t> codePoints(const std::string& text) {
    std::vector<char32_t> out;
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        const int length = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 1;
        char32_t cp = length == 1 ? c : c & (0x7F >> length);
        for (int k = 1; k < length && i + static_cast<std::size_t>(k) < text.size(); ++k)
            cp = (cp << 6) | (static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]) & 0x3F);
        out.push_back(cp);
        i += static_cast<std::size_t>(length);
    }
    return out;
}

double shownWidth(const std::string& text) {
    double width = 0;
    double line = 0;
    for (char32_t cp : codePoints(text)) {
        if (cp == '\n') {
            width = std::max(width, line);
            line = 0;
            continue;
        }
        line += cp >= 0x2E80 && !(cp >= 0xFF61 && cp <= 0xFF9F) ? 2 : 1;
    }
    return std::max(width, line);
}

double cellWidth(const SheetCell& cell) {
    switch (cell.kind) {
        case SheetCell::Kind::Empty:
            return 0;
        case SheetCell::Kind::Text:
            return shownWidth(cell.text);
        case SheetCell::Kind::Date:
            return 10;
        case SheetCell::Kind::Yen: {
            std::ostringstream digits;
            digits.precision(0);
            digits << std::fixed << cell.number;
            const double d = static_cast<double>(digits.str().size());
            return d + d / 3 + 2;  // grouping commas and the unit
        }
    }
    return 0;
}

// "A", "B", …, "Z", "AA", …
std::string columnName(int column) {
    std::string name;
    for (int c = column + 1; c > 0; c = (c - 1) / 26) name.insert(name.begin(), static_cast<char>('A' + (c - 1) % 26));
    return name;
}

std::string sheetName(const std::string& wanted) {
    std::string name;
    int chars = 0;
    for (char32_t cp : codePoints(wanted)) {
        if (++chars > 31) break;
        std::string piece;
        if ((cp < 0x80 && std::string_view("[]:*?/\\").find(static_cast<char>(cp)) != std::string_view::npos) ||
            cp < 0x20)
            piece = "_";
        else if (cp < 0x80)
            piece = std::string(1, static_cast<char>(cp));
        else if (cp < 0x800)
            piece = {static_cast<char>(0xC0 | (cp >> 6)), static_cast<char>(0x80 | (cp & 0x3F))};
        else if (cp < 0x10000)
            piece = {static_cast<char>(0xE0 | (cp >> 12)), static_cast<char>(0x80 | ((cp >> 6) & 0x3F)),
                     static_cast<char>(0x80 | (cp & 0x3F))};
        else
            piece = {static_cast<char>(0xF0 | (cp >> 18)), static_cast<char>(0x80 | ((cp >> 12) & 0x3F)),
                     static_cast<char>(0x80 | ((cp >> 6) & 0x3F)), static_cast<char>(0x80 | (cp & 0x3F))};
        name += piece;
    }
    // A name may not begin or end with an apostrophe, nor be empty.
    if (!name.empty() && name.front() == '\'') name.front() = '_';
    if (!name.empty() && name.back() == '\'') name.back() = '_';
    return name.empty() ? std::string("Sheet1") : name;
}

// `ranges` added up, nested so that no SUM takes more arguments than allowed.
std::string sumOf(std::vector<std::string> ranges) {
    while (ranges.size() > kSumArguments) {
        std::vector<std::string> nested;
        for (std::size_t i = 0; i < ranges.size(); i += kSumArguments) {
            std::string inner;
            for (std::size_t k = i; k < std::min(ranges.size(), i + kSumArguments); ++k)
                inner += (k > i ? "," : "") + ranges[k];
            nested.push_back("SUM(" + inner + ")");
        }
        ranges = std::move(nested);
    }
    std::string all;
    for (std::size_t k = 0; k < ranges.size(); ++k) all += (k ? "," : "") + ranges[k];
    return "SUM(" + all + ")";
}

// In a page header or footer, & starts a code.
std::string footerText(const std::string& text) {
    std::string out;
    for (char c : text) out += c == '&' ? std::string("&&") : std::string(1, c);
    return out.substr(0, 200);
}

class Writer {
public:
    Writer(const Workbook& book, lxw_workbook* wb) : book_(book), wb_(wb) {
        bold_ = workbook_add_format(wb_);
        format_set_bold(bold_);
        title_ = workbook_add_format(wb_);
        format_set_bold(title_);
        format_set_font_size(title_, 14);
        head_ = workbook_add_format(wb_);
        format_set_bold(head_);
        format_set_bottom(head_, LXW_BORDER_THIN);
        format_set_bg_color(head_, 0xE8E8E8);
        date_ = workbook_add_format(wb_);
        format_set_num_format(date_, "yyyy-mm-dd");
        format_set_align(date_, LXW_ALIGN_LEFT);
        text_ = workbook_add_format(wb_);
        format_set_text_wrap(text_);
        format_set_align(text_, LXW_ALIGN_VERTICAL_TOP);
        yen_ = workbook_add_format(wb_);
        format_set_num_format(yen_, book_.yenFormat.c_str());
        subtotal_ = workbook_add_format(wb_);
        format_set_bold(subtotal_);
        format_set_num_format(subtotal_, book_.yenFormat.c_str());
        format_set_top(subtotal_, LXW_BORDER_THIN);
        total_ = workbook_add_format(wb_);
        format_set_bold(total_);
        format_set_num_format(total_, book_.yenFormat.c_str());
        format_set_top(total_, LXW_BORDER_DOUBLE);
        blank_ = workbook_add_format(wb_);
        format_set_bottom(blank_, LXW_BORDER_THIN);
    }

    lxw_error write() {
        ws_ = workbook_add_worksheet(wb_, sheetName(book_.sheetName).c_str());
        if (!ws_) return LXW_ERROR_MEMORY_MALLOC_FAILED;
        lxw_row_t row = 0;
        check(worksheet_write_string(ws_, row++, 0, book_.title.c_str(), title_));
        for (const std::string& line : book_.lines) check(worksheet_write_string(ws_, row++, 0, line.c_str(), nullptr));
        // A field to fill in: its label, then a line to write on.
        for (const std::string& field : book_.fillIn) {
            check(worksheet_write_string(ws_, row, 0, field.c_str(), bold_));
            for (lxw_col_t c = 1; c <= 3; ++c) check(worksheet_write_blank(ws_, row, c, blank_));
            ++row;
        }
        ++row;
        const lxw_row_t headRow = row;
        for (std::size_t c = 0; c < book_.heads.size(); ++c)
            check(worksheet_write_string(ws_, row, static_cast<lxw_col_t>(c), book_.heads[c].c_str(), head_));
        ++row;

        std::vector<std::string> groupRanges;
        double grand = 0;
        const std::string sumColumn = columnName(book_.sumColumn);
        for (const SheetGroup& group : book_.groups) {
            const lxw_row_t first = row;
            double sum = 0;
            for (const auto& cells : group.rows) {
                for (std::size_t c = 0; c < cells.size(); ++c) writeCell(row, static_cast<lxw_col_t>(c), cells[c]);
                if (book_.sumColumn >= 0 && static_cast<std::size_t>(book_.sumColumn) < cells.size() &&
                    cells[static_cast<std::size_t>(book_.sumColumn)].kind == SheetCell::Kind::Yen)
                    sum += cells[static_cast<std::size_t>(book_.sumColumn)].number;
                ++row;
            }
            grand += sum;
            if (group.rows.empty() || book_.sumColumn < 0) continue;
            const std::string range = sumColumn + std::to_string(first + 1) + ":" + sumColumn + std::to_string(row);
            groupRanges.push_back(range);
            if (!group.subtotal.empty()) {
                check(worksheet_write_string(ws_, row, 0, group.subtotal.c_str(), bold_));
                check(worksheet_write_formula_num(ws_, row, static_cast<lxw_col_t>(book_.sumColumn),
                                                  ("=SUM(" + range + ")").c_str(), subtotal_, sum));
                ++row;
            }
        }
        if (!book_.total.empty() && book_.sumColumn >= 0) {
            check(worksheet_write_string(ws_, row, 0, book_.total.c_str(), bold_));
            const std::string formula = "=" + (groupRanges.empty() ? std::string("0") : sumOf(groupRanges));
            // A list of centuries of months has no formula short enough: its value stays.
            if (formula.size() <= kFormulaChars)
                check(worksheet_write_formula_num(ws_, row, static_cast<lxw_col_t>(book_.sumColumn), formula.c_str(),
                                                  total_, grand));
            else
                check(worksheet_write_number(ws_, row, static_cast<lxw_col_t>(book_.sumColumn), grand, total_));
        }

        const std::vector<double> widths = columnWidths(book_);
        for (std::size_t c = 0; c < widths.size(); ++c)
            check(worksheet_set_column(ws_, static_cast<lxw_col_t>(c), static_cast<lxw_col_t>(c), widths[c], nullptr));
        worksheet_set_paper(ws_, 9);  // A4
        if (book_.heads.size() > 5) worksheet_set_landscape(ws_);
        worksheet_fit_to_pages(ws_, 1, 0);
        check(worksheet_repeat_rows(ws_, headRow, headRow));
        worksheet_freeze_panes(ws_, headRow + 1, 0);
        const std::string footer = "&L" + footerText(book_.footer) + "&R&P / &N";
        check(worksheet_set_footer(ws_, footer.c_str()));
        return error_;
    }

private:
    void check(lxw_error e) {
        if (e != LXW_NO_ERROR && error_ == LXW_NO_ERROR) error_ = e;
    }

    void writeCell(lxw_row_t row, lxw_col_t column, const SheetCell& cell) {
        switch (cell.kind) {
            case SheetCell::Kind::Empty:
                return;
            case SheetCell::Kind::Text:
                // A string cell, whatever it begins with: "=1+1" stays the text "=1+1".
                if (!cell.text.empty()) check(worksheet_write_string(ws_, row, column, cell.text.c_str(), text_));
                return;
            case SheetCell::Kind::Yen:
                check(worksheet_write_number(ws_, row, column, cell.number, yen_));
                return;
            case SheetCell::Kind::Date: {
                lxw_datetime when{cell.year, cell.month, cell.day, 0, 0, 0};
                check(worksheet_write_datetime(ws_, row, column, &when, date_));
                return;
            }
        }
    }

    const Workbook& book_;
    lxw_workbook* wb_;
    lxw_worksheet* ws_ = nullptr;
    lxw_error error_ = LXW_NO_ERROR;
    lxw_format *bold_, *title_, *head_, *date_, *text_, *yen_, *subtotal_, *total_, *blank_;
};

std::string temporaryBase() {
    const char* dir = std::getenv("TMPDIR");
    return dir && dir[0] == '/' ? std::string(dir) : std::string("/tmp");
}

}  // namespace

std::vector<double> columnWidths(const Workbook& book) {
    std::vector<double> widths(book.heads.size(), 0);
    auto widen = [&widths](std::size_t c, double w) {
        if (c >= widths.size()) widths.resize(c + 1, 0);
        widths[c] = std::max(widths[c], w);
    };
    for (std::size_t c = 0; c < book.heads.size(); ++c) widen(c, shownWidth(book.heads[c]));
    for (const SheetGroup& group : book.groups) {
        if (!group.subtotal.empty()) widen(0, shownWidth(group.subtotal));
        for (const auto& cells : group.rows)
            for (std::size_t c = 0; c < cells.size(); ++c) widen(c, cellWidth(cells[c]));
    }
    for (double& w : widths) w = std::clamp(w + 2, 6.0, 60.0);
    return widths;
}

std::string workbookBytes(const Workbook& book, std::string& error) {
    std::string folder = temporaryBase() + "/mkd-xlsx-XXXXXX";
    if (!::mkdtemp(folder.data())) {
        error = std::string("mkdtemp: ") + std::strerror(errno);
        return {};
    }
    const std::string path = folder + "/book.xlsx";
    lxw_workbook_options options{};
    options.tmpdir = folder.data();
    std::string bytes;
    lxw_workbook* wb = workbook_new_opt(path.c_str(), &options);
    if (!wb) {
        error = "workbook_new: " + path;
    } else {
        Writer writer(book, wb);
        const lxw_error wrote = writer.write();
        const lxw_error closed = workbook_close(wb);
        if (wrote != LXW_NO_ERROR || closed != LXW_NO_ERROR) {
            error = lxw_strerror(wrote != LXW_NO_ERROR ? wrote : closed);
        } else {
            std::ifstream in(path, std::ios::binary);
            bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
            if (!in.good() && !in.eof()) {
                error = "read: " + path;
                bytes.clear();
            } else if (bytes.empty()) {
                error = "empty: " + path;
            }
        }
    }
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
    return bytes;
}

}  // namespace mkd

extern "C" bool mkdWorkbookBytes(const mkd::Workbook* book, std::string* bytes, std::string* error) {
    *bytes = mkd::workbookBytes(*book, *error);
    return !bytes->empty();
}
