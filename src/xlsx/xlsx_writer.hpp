// Writing a Workbook as an Excel workbook (.xlsx) with libxlsxwriter.
#pragma once

#include <string>

#include "xlsx/workbook.hpp"

namespace mkd {

// The bytes of the .xlsx file of `book`, made in a private temporary folder
// that is removed again; on failure `error` says why and the bytes are "".
std::string workbookBytes(const Workbook& book, std::string& error);

// Column widths in characters: the widest cell of each column, counting a
// wide (East Asian) character as two, within [6, 60].
std::vector<double> columnWidths(const Workbook& book);

}  // namespace mkd

// What the program loads from the module (the desktop program loads it on
// first use, so that the library costs nothing at start-up).
extern "C" __attribute__((visibility("default"))) bool mkdWorkbookBytes(const mkd::Workbook* book, std::string* bytes,
                                                                        std::string* error);
