// A usage map: the set of pages a table (or index, or long-value column)
// owns, or the pages with free space, or (page 1 row 0) the global map of
// free pages. It lives in a row of a data page; the row's byte 0 is its type:
//   0 inline:    u32 start page @1, bitmap @5 to the row's end;
//                bit i (LSB first) ⇒ page start + i
//   1 reference: u32 page numbers @1, @5, ...; entry k names a type-0x05 page
//                whose bitmap (from byte 4) covers pages k·(page_size−4)·8 ...
// Pages past the end of the file are counted, not listed, so memory stays
// bounded by the file's size.
#pragma once

#include "jet/Bytes.h"
#include "jet/PageFile.h"

#include <cstdint>
#include <vector>

namespace jet {

inline constexpr std::uint8_t kUsageMapInline = 0;
inline constexpr std::uint8_t kUsageMapReference = 1;

class UsageMap {
 public:
  // Reads the map held by the row a TDEF (or index) points to; `referrer` is
  // the page that holds the pointer (for error messages).
  static UsageMap Read(const PageFile& file, std::uint32_t rowPointerWord, std::uint32_t referrer);
  // The global map of free pages (page 1, row 0).
  static UsageMap ReadGlobal(const PageFile& file);

  std::uint8_t type() const { return type_; }
  // Pages in the map that lie inside the file, ascending.
  const std::vector<std::uint32_t>& pages() const { return pages_; }
  bool contains(std::uint32_t page) const;
  // Set bits naming pages at or past the end of the file.
  std::uint64_t pagesPastEnd() const { return pastEnd_; }
  // The 0x05 pages a reference map uses.
  const std::vector<std::uint32_t>& mapPages() const { return mapPages_; }
  std::uint32_t definitionPage() const { return definitionPage_; }
  std::uint8_t definitionRow() const { return definitionRow_; }

 private:
  void addBits(Bytes bitmap, std::uint64_t firstPage, std::uint32_t pageCount);
  std::uint8_t type_ = 0;
  std::uint32_t definitionPage_ = 0;
  std::uint8_t definitionRow_ = 0;
  std::vector<std::uint32_t> pages_;
  std::vector<std::uint32_t> mapPages_;
  std::uint64_t pastEnd_ = 0;
};

}  // namespace jet
