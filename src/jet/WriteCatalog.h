// What the write side reads back from a database image: the rows of a
// table in scan order (owned pages in page order, rows in slot order, an
// overflow pointer row followed to its target), and the catalog lookup of a
// table's TDEF page in MSysObjects (page 2).
#pragma once

#include "jet/Catalog.h"  // kCatalogPage
#include "jet/WriteImage.h"
#include "jet/WriteRow.h"
#include "jet/WriteTableDef.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace jet {


// Calls `visit` with each live row's bytes.
void ScanTableRows(WriteImage& image, const WriteTableDef& table,
                   const std::function<void(const std::vector<std::uint8_t>&)>& visit);

// The TDEF page of the user or system table `name` (case-insensitive), or nullopt.
std::optional<std::uint32_t> FindTablePage(WriteImage& image, std::string_view name);

// A stored column value as text (TEXT and MEMO, long values followed); for
// reading back what the write side needs (links, names). NULL -> nullopt.
std::optional<std::string> StoredText(WriteImage& image, const WriteColumn& column, const StoredCell& cell);
// The named columns of every row, as text, in scan order; a column the table
// lacks reads as NULL in every row (`present` tells which exist).
struct TextColumns {
  std::vector<bool> present;
  std::vector<std::vector<std::optional<std::string>>> rows;
};
TextColumns ReadTextColumns(WriteImage& image, std::uint32_t tdefPage, const std::vector<std::string>& names);

std::optional<std::int64_t> StoredInteger(const WriteColumn& column, const StoredCell& cell);

}  // namespace jet
