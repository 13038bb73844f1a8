// A table definition (TDEF) as the write side needs it: the chain of TDEF
// pages concatenated (page 0 whole, then bytes 8.. of each next page), the
// header counters, columns, real and logical indexes and long-value column
// maps. Setters write through to the page that holds the byte.
#pragma once

#include "jet/WriteImage.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace jet {

enum class ColumnType : std::uint8_t {
  Boolean = 0x01, Byte = 0x02, Int = 0x03, Long = 0x04, Money = 0x05, Float = 0x06, Double = 0x07,
  DateTime = 0x08, Binary = 0x09, Text = 0x0A, Ole = 0x0B, Memo = 0x0C, Guid = 0x0F, Numeric = 0x10,
};

struct WriteColumn {
  std::string name;
  std::uint8_t type = 0;
  std::uint16_t number = 0;   // null-mask bit; counts deleted columns
  std::uint16_t varSlot = 0;
  std::uint16_t fixedOffset = 0;
  std::uint16_t length = 0;
  std::uint8_t flags = 0;
  std::uint8_t extFlags = 0;
  std::uint16_t sortOrder = 0;
  std::uint8_t sortVersion = 0;
  bool fixed() const { return flags & 0x01; }
  bool autoNumber() const { return type == std::uint8_t(ColumnType::Long) && (flags & 0x04); }
  bool compressible() const { return extFlags & 0x01; }
  bool longValue() const { return type == std::uint8_t(ColumnType::Memo) || type == std::uint8_t(ColumnType::Ole); }
};

struct WriteIndexColumn {
  std::uint16_t columnNumber;
  bool ascending;
};

struct WriteRealIndex {
  std::uint32_t number = 0;
  std::vector<WriteIndexColumn> columns;
  std::uint32_t usageMap = 0;  // row pointer
  std::uint32_t rootPage = 0;
  std::uint8_t flags = 0;
  std::size_t definitionOffset = 0;  // in the TDEF buffer
  std::size_t countOffset = 0;       // unique-entry count in the TDEF buffer
  bool unique() const { return flags & 0x01; }
  bool ignoreNulls() const { return flags & 0x02; }
};

// A logical index: its real index and, for the two sides of a relationship
// that enforces referential integrity (index type 2), the other table.
struct WriteLogicalIndex {
  std::uint32_t number = 0;
  std::uint32_t realNumber = 0;
  std::uint8_t relatedTableType = 0;  // observed: 1 on the primary table's side, 2 on the foreign table's
  std::int32_t relatedIndex = -1;     // logical index number in the other table
  std::uint32_t relatedTable = 0;     // the other table's TDEF page
  std::uint8_t indexType = 0;         // 1 primary key, 2 foreign key, 0 other
  bool foreignKey() const { return indexType == 2; }
};

struct WriteLongValueMaps {
  std::uint16_t columnNumber;
  std::uint32_t owned;
  std::uint32_t free;
};

class WriteTableDef {
 public:
  WriteTableDef(WriteImage& image, std::uint32_t tdefPage);

  std::uint32_t page() const { return page_; }
  const std::vector<WriteColumn>& columns() const { return columns_; }
  const std::vector<WriteRealIndex>& realIndexes() const { return realIndexes_; }
  const std::vector<WriteLongValueMaps>& longValueMaps() const { return lvMaps_; }
  const std::vector<WriteLogicalIndex>& logicalIndexes() const { return logicalIndexes_; }
  const WriteColumn* column(std::string_view name) const;  // case-insensitive
  const WriteColumn* columnByNumber(std::uint16_t number) const;

  std::uint32_t rowCount() const;
  std::uint32_t lastAutoNumber() const;
  std::uint16_t maxColumns() const;
  std::uint16_t varColumns() const;
  std::uint32_t ownedMap() const;
  std::uint32_t freeMap() const;
  std::size_t fixedAreaSize() const;

  void setRowCount(std::uint32_t n);
  void setLastAutoNumber(std::uint32_t n);
  void setIndexRoot(std::size_t realIndex, std::uint32_t rootPage);
  void setUniqueCount(std::size_t realIndex, std::uint32_t n);
  std::uint32_t uniqueCount(std::size_t realIndex) const;

 private:
  std::uint32_t get32At(std::size_t offset) const;
  void set32At(std::size_t offset, std::uint32_t value);
  std::uint8_t* byteAt(std::size_t offset);

  WriteImage& image_;
  const WriteFormat& f_;
  std::uint32_t page_;
  std::vector<std::uint32_t> chain_;
  std::vector<std::uint8_t> buffer_;
  std::vector<WriteColumn> columns_;
  std::vector<WriteRealIndex> realIndexes_;
  std::vector<WriteLongValueMaps> lvMaps_;
  std::vector<WriteLogicalIndex> logicalIndexes_;
};

}  // namespace jet
