// A table definition (TDEF). The chain of TDEF pages (type 0x02, next page
// at bytes 4..7, 0 = last) is concatenated: page 0's full bytes, then bytes
// 8.. of each next page; every offset refers to that buffer. After the
// header block (offsets in Format) come, in order:
//   1. per real index: J3 8 / J4 12 bytes {u32 ?, u32 unique-entry count, (J4) u32 ?}
//   2. column descriptors (J3 18 / J4 25 bytes)
//   3. column names (J3 u8 length + code-page text; J4 u16 length + UCS-2)
//   4. real index definitions (J3 39 / J4 52 bytes)
//   5. logical index definitions (J3 20 / J4 28 bytes)
//   6. logical index names
//   7. long-value column maps {u16 column, u32 owned map, u32 free map} up to u16 0xFFFF
// The chain is followed with loop detection; every count is checked against
// the bytes that would hold it before anything is allocated.
#pragma once

#include "jet/Bytes.h"
#include "jet/Column.h"
#include "jet/PageFile.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace jet {

inline constexpr std::uint8_t kIndexAscending = 0x01;
inline constexpr std::uint8_t kIndexUnique = 0x01;
inline constexpr std::uint8_t kIndexIgnoreNulls = 0x02;
inline constexpr std::uint8_t kIndexRequired = 0x08;
inline constexpr std::uint16_t kNoColumn = 0xFFFF;

struct IndexColumn {
  std::uint16_t columnNumber = 0;
  bool ascending = true;
};

// The physical index ("real index"): its key columns and its B-tree.
struct RealIndex {
  std::uint32_t number = 0;
  std::uint32_t uniqueEntryCount = 0;
  std::vector<IndexColumn> columns;
  std::uint32_t usageMap = 0;  // row pointer word
  std::uint32_t rootPage = 0;
  std::uint8_t flags = 0;
  std::size_t definitionOffset = 0;   // in the TDEF buffer
  std::size_t uniqueCountOffset = 0;  // in the TDEF buffer
  bool unique() const { return flags & kIndexUnique; }
  bool ignoreNulls() const { return flags & kIndexIgnoreNulls; }
};

// The index as Access shows it (primary key, foreign key, plain); several may
// share one real index.
struct LogicalIndex {
  std::uint32_t number = 0;
  std::uint32_t realIndex = 0;
  std::uint8_t indexType = 0;  // 1 primary key, 2 foreign key, 0 normal
  std::string name;
};

struct LongValueMaps {
  std::uint16_t columnNumber = 0;
  std::uint32_t ownedMap = 0;  // row pointer words, 0 = none
  std::uint32_t freeMap = 0;
};

class TableDefinition {
 public:
  // Reads and parses the TDEF whose first page is `page`.
  TableDefinition(const PageFile& file, std::uint32_t page);

  std::uint32_t page() const { return page_; }
  const std::vector<std::uint32_t>& chain() const { return chain_; }  // every TDEF page, first one first
  const std::vector<std::uint8_t>& buffer() const { return buffer_; }
  // Which page (of chain()) holds byte `offset` of the buffer, and where on it.
  std::pair<std::uint32_t, std::uint32_t> locate(std::size_t offset) const;

  std::uint32_t rowCount() const { return rowCount_; }
  std::uint32_t lastAutoNumber() const { return lastAutoNumber_; }
  std::uint8_t tableType() const { return tableType_; }  // 'N' user, 'S' system
  std::uint16_t maxColumns() const { return maxColumns_; }
  std::uint16_t varColumns() const { return varColumns_; }
  std::uint32_t ownedMap() const { return ownedMap_; }
  std::uint32_t freeMap() const { return freeMap_; }

  // Live columns, in column-number order (the table's column order).
  const std::vector<Column>& columns() const { return columns_; }
  const Column* column(std::string_view name) const;  // case-insensitive (ASCII)
  const std::vector<RealIndex>& realIndexes() const { return realIndexes_; }
  const std::vector<LogicalIndex>& logicalIndexes() const { return logicalIndexes_; }
  const std::vector<LongValueMaps>& longValueMaps() const { return longValueMaps_; }
  // Size of the fixed area that every row carries (from the columns).
  std::uint32_t fixedAreaSize() const { return fixedAreaSize_; }

 private:
  void loadChain(const PageFile& file);
  void parse(const PageFile& file);
  std::string readName(const Reader& r, std::size_t& pos, const PageFile& file) const;

  const Format& format_;
  std::uint32_t page_;
  std::vector<std::uint32_t> chain_;
  std::vector<std::uint8_t> buffer_;
  std::uint32_t rowCount_ = 0, lastAutoNumber_ = 0;
  std::uint8_t tableType_ = 0;
  std::uint16_t maxColumns_ = 0, varColumns_ = 0;
  std::uint32_t ownedMap_ = 0, freeMap_ = 0;
  std::uint32_t fixedAreaSize_ = 0;
  std::vector<Column> columns_;
  std::vector<RealIndex> realIndexes_;
  std::vector<LogicalIndex> logicalIndexes_;
  std::vector<LongValueMaps> longValueMaps_;
};

bool EqualsIgnoreCase(std::string_view a, std::string_view b);

}  // namespace jet
