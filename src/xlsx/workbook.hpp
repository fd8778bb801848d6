// A spreadsheet for an expense claim or a table of prices, as plain values:
// what the program hands to the .xlsx writer (xlsx_writer.hpp), which needs
// nothing else of the program.
//
// One sheet: a title and lines under it, fields to fill in by hand, the
// column heads, then groups of rows, each followed by a subtotal row when it
// has a label, and a total row. Subtotals and the total are formulas
// (SUM) over the amounts column, carrying their value for readers that do
// not calculate.
#pragma once

#include <string>
#include <vector>

namespace mkd {

struct SheetCell {
    enum class Kind { Empty, Text, Yen, Date };
    Kind kind = Kind::Empty;
    std::string text;  // Text: always written as text, never as a formula
    double number = 0;  // Yen
    int year = 0, month = 0, day = 0;  // Date

    static SheetCell words(std::string t) { return {Kind::Text, std::move(t), 0, 0, 0, 0}; }
    static SheetCell yen(double n) { return {Kind::Yen, {}, n, 0, 0, 0}; }
    static SheetCell date(int y, int m, int d) { return {Kind::Date, {}, 0, y, m, d}; }
};

struct SheetGroup {
    std::vector<std::vector<SheetCell>> rows;
    std::string subtotal;  // the subtotal row's label; "" for none
};

struct Workbook {
    std::string sheetName;  // at most 31 characters, none of []:*?/\ (the writer replaces them)
    std::string title;
    std::vector<std::string> lines;  // under the title
    std::vector<std::string> fillIn;  // labels of fields left blank to fill in: "氏名", "所属"
    std::vector<std::string> heads;
    std::vector<SheetGroup> groups;
    std::string total;  // the total row's label; "" for none
    int sumColumn = -1;  // the column subtotals and the total add up
    std::string yenFormat = "#,##0";  // number format of amounts
    std::string footer;  // printed at the foot of every page
};

}  // namespace mkd
