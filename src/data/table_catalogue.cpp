#include "data/table_catalogue.hpp"

#include <array>

#include "data/stations.hpp"

namespace mkd {

namespace {

// A table has one record and one field per station of the list indexing it.
constexpr int kAllSize = kAllStations;
constexpr int kExpressSize = kExpressStops;
constexpr int kMarineSize = kMarineStops;

// The reserved-seat files come in three seasons, 繁忙 (H), 通常 (T) and
// 閑散 (K), and all three fill the same table.
constexpr std::array<TableFileInfo, kTableFileCount> kFiles{{
    {TableFile::Futu, "Futu.txt", Table::Futu, kAllSize},
    {TableFile::Kodomo, "Kodomo.txt", Table::Kodomo, kAllSize},
    {TableFile::Gakuwari, "Gakuwari.txt", Table::Gakuwari, kAllSize},
    {TableFile::Kyori, "Kyori.txt", Table::Kyori, kAllSize},
    {TableFile::Jiyu, "Jiyu.txt", Table::Jiyu, kExpressSize},
    {TableFile::KJiyu, "KJiyu.txt", Table::KJiyu, kExpressSize},
    {TableFile::SiteiH, "SiteiH.txt", Table::Sitei, kExpressSize},
    {TableFile::SiteiT, "SiteiT.txt", Table::Sitei, kExpressSize},
    {TableFile::SiteiK, "SiteiK.txt", Table::Sitei, kExpressSize},
    {TableFile::KSiteiH, "KSiteiH.txt", Table::KSitei, kExpressSize},
    {TableFile::KSiteiT, "KSiteiT.txt", Table::KSitei, kExpressSize},
    {TableFile::KSiteiK, "KSiteiK.txt", Table::KSitei, kExpressSize},
    {TableFile::Green, "Green.txt", Table::Green, kExpressSize},
    {TableFile::GToku, "GToku.txt", Table::GToku, kExpressSize},
    {TableFile::KGtoku, "KGtoku.txt", Table::KGtoku, kExpressSize},
    {TableFile::MarineG, "MarineG.txt", Table::MarineG, kMarineSize},
}};

constexpr bool inEnumOrder() {
    for (std::size_t i = 0; i < kFiles.size(); ++i)
        if (static_cast<std::size_t>(kFiles[i].file) != i) return false;
    return true;
}
static_assert(inEnumOrder(), "tableFileInfo looks files up by their enum value");

}  // namespace

const TableFileInfo& tableFileInfo(TableFile file) { return kFiles[static_cast<std::size_t>(file)]; }

std::span<const TableFileInfo> tableFiles() { return kFiles; }

int tableSize(Table table) {
    switch (table) {
        case Table::Futu:
        case Table::Kodomo:
        case Table::Gakuwari:
        case Table::Kyori:
            return kAllSize;
        case Table::Jiyu:
        case Table::KJiyu:
        case Table::Sitei:
        case Table::KSitei:
        case Table::Green:
        case Table::GToku:
        case Table::KGtoku:
            return kExpressSize;
        case Table::MarineG:
            return kMarineSize;
    }
    return 0;
}

}  // namespace mkd
