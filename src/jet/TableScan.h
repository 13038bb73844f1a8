// Walks a table's live rows in the order Access delivers them: the pages of
// the table's owned-pages map in ascending order, on each page the rows in
// slot order. Deleted rows (flag 0x8000) are skipped; an overflow pointer
// (flag 0x4000: 1 byte row, 3 bytes page) is followed to the row it names,
// which is read in the pointer's place. Pages in the map that are not data
// pages of this table are skipped (check reports them).
#pragma once

#include "jet/Bytes.h"
#include "jet/DataPage.h"
#include "jet/PageFile.h"
#include "jet/TableDefinition.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace jet {

// Where a row physically is and where its slot is.
struct RowLocation {
  std::uint32_t page = 0;  // page holding the row's bytes
  std::uint32_t slotPage = 0;
  std::uint16_t slot = 0;
};

class TableScan {
 public:
  TableScan(const PageFile& file, const TableDefinition& table);

  // Moves to the next live row; false at the end.
  bool next();
  Bytes row() const { return row_; }
  const RowLocation& location() const { return location_; }
  const std::vector<std::uint32_t>& pages() const { return pages_; }

 private:
  Bytes follow(Bytes pointerRow, std::uint32_t page);

  const PageFile& file_;
  const TableDefinition& table_;
  std::vector<std::uint32_t> pages_;
  std::size_t pageIndex_ = 0;
  std::optional<DataPage> page_;
  std::uint32_t slot_ = 0;
  Bytes row_;
  RowLocation location_;
};

// The data pages of a table, from its owned-pages map (ascending).
std::vector<std::uint32_t> TableDataPages(const PageFile& file, const TableDefinition& table);

}  // namespace jet
