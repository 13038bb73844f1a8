// The system catalog: the rows of MSysObjects, whose table definition is
// always page 2. Columns used: Id (the TDEF page of a table), ParentId,
// Name, Type (& 0x7F: 1 local table, 3 container, 5 query, 6 linked table),
// Flags (0x80000000 or 0x2: system object).
#pragma once

#include "jet/PageFile.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace jet {

inline constexpr std::uint32_t kCatalogPage = 2;
inline constexpr int kObjectTypeTable = 1;
inline constexpr std::uint32_t kSystemObjectFlags = 0x80000002u;

struct CatalogEntry {
  std::int32_t id = 0;
  std::int32_t parentId = 0;
  std::string name;
  int type = 0;  // Type & 0x7F
  std::uint32_t flags = 0;

  bool isTable() const { return type == kObjectTypeTable; }
  bool isSystem() const;  // flagged system, or named MSys...
  std::uint32_t tdefPage() const { return std::uint32_t(id) & 0x00FFFFFFu; }
};

std::vector<CatalogEntry> ReadCatalog(const PageFile& file);

}  // namespace jet
