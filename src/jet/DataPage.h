// A data page (type 0x01; also LVAL pages and usage-map definition pages):
//   0 u8 0x01 | 1 u8 0x01 | 2 u16 free space | 4 u32 owning TDEF page ("LVAL")
//   (Jet 4: 8 u32 ?) | row count u16 (J3 @8, J4 @12) | u16 row offsets
// Rows are packed downwards in row-number order: row i ends where row i-1
// starts (row 0 ends at the page's end). An offset's low 13 bits are the
// row's start; 0x8000 = deleted, 0x4000 = overflow pointer (4 bytes: row,
// 3-byte page). Every offset is checked when the view is built.
#pragma once

#include "jet/Bytes.h"
#include "jet/Format.h"
#include "jet/PageFile.h"

#include <cstdint>
#include <cstring>
#include <optional>

namespace jet {

inline constexpr std::uint16_t kRowDeleted = 0x8000;
inline constexpr std::uint16_t kRowOverflow = 0x4000;
inline constexpr std::uint16_t kRowOffsetMask = 0x1FFF;

struct DataRow {
  Bytes bytes;
  bool deleted = false;
  bool overflow = false;
};

class DataPage {
 public:
  // Checks the page type, the row count and every row's bounds.
  DataPage(const PageFile& file, std::uint32_t pageNumber);

  std::uint32_t number() const { return number_; }
  std::uint32_t owner() const { return Le32(&bytes_[4]); }  // TDEF page, or "LVAL"
  bool isLongValuePage() const { return std::memcmp(&bytes_[4], "LVAL", 4) == 0; }
  std::uint16_t storedFreeSpace() const { return Le16(&bytes_[2]); }
  std::uint16_t rowCount() const { return rowCount_; }
  // Row `i` (< rowCount()); throws Damaged for a larger i.
  DataRow row(std::uint32_t i) const;
  // Free space recomputed from the row table: bytes between the end of the
  // row table and the lowest row.
  std::uint32_t computedFreeSpace() const;
  Bytes bytes() const { return bytes_; }

 private:
  const Format& format_;
  Bytes bytes_;
  std::uint32_t number_;
  std::uint16_t rowCount_;
};

// Keeps the last data page looked at, so that following many pointers into
// one page (long values, overflow rows) checks its row table once.
class DataPageCache {
 public:
  const DataPage& get(const PageFile& file, std::uint32_t pageNumber) {
    if (!page_ || page_->number() != pageNumber) page_.emplace(file, pageNumber);
    return *page_;
  }

 private:
  std::optional<DataPage> page_;
};

}  // namespace jet
