// The table files in Untin/: which file fills which table, and its size.
#pragma once

#include <span>
#include <string_view>

namespace mkd {

// The tables held in memory. The reserved-seat tables are filled from one of
// three files each, chosen by season.
enum class Table {
    Futu,  // adult fare, 107 × 107, all-station list
    Kodomo,  // child fare
    Gakuwari,  // student fare
    Kyori,  // distance
    Jiyu,  // adult non-reserved express charge, 26 × 26, express-stop list
    KJiyu,  // child non-reserved express charge
    Sitei,  // adult reserved-seat charge of the season loaded last
    KSitei,  // child reserved-seat charge of the season loaded last
    Green,  // Green charge
    GToku,  // adult Green express charge
    KGtoku,  // child Green express charge
    MarineG,  // Marine Liner Green charge, 15 × 15, Marine stop list
};
inline constexpr int kTableCount = 12;

enum class TableFile {
    Futu,
    Kodomo,
    Gakuwari,
    Kyori,
    Jiyu,
    KJiyu,
    SiteiH,
    SiteiT,
    SiteiK,
    KSiteiH,
    KSiteiT,
    KSiteiK,
    Green,
    GToku,
    KGtoku,
    MarineG,
};
inline constexpr int kTableFileCount = 16;

struct TableFileInfo {
    TableFile file;
    std::string_view name;  // file name under Untin/, e.g. "Futu.txt"
    Table table;  // the table it fills
    int size;  // records and fields per record
};

const TableFileInfo& tableFileInfo(TableFile file);
std::span<const TableFileInfo> tableFiles();  // all sixteen, in the order above
int tableSize(Table table);

inline constexpr std::string_view kInitialSelectionFile = "Henko.txt";
inline constexpr std::string_view kTableFolder = "Untin";

}  // namespace mkd
