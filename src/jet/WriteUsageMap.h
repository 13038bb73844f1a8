// A usage map as the write side edits it. The map lives in a row of a data
// page, addressed by a row pointer from the TDEF (or an index definition).
// Row byte 0 is the map type:
//   0 inline:    u32 start page @1, bitmap @5..end; bit i => page start+i
//   1 reference: u32 page numbers @1, @5, ...; entry k names a type-0x05 page
//                whose bitmap (from byte 4) covers pages k*(page_size-4)*8 ...
#pragma once

#include "jet/WriteImage.h"

#include <cstdint>
#include <vector>

namespace jet {

class UsageMapEdit {
 public:
  UsageMapEdit(WriteImage& image, std::uint32_t rowPointer);

  std::vector<std::uint32_t> pages() const;
  bool contains(std::uint32_t page) const;
  void add(std::uint32_t page);
  void remove(std::uint32_t page);

  // A fresh inline map row of `rowBytes` bytes starting at page 0, no bits set.
  static std::vector<std::uint8_t> EmptyInlineRow(std::uint32_t rowBytes);

 private:
  std::vector<std::uint8_t> row() const;
  void store(const std::vector<std::uint8_t>& row);
  void setBit(std::uint32_t page, bool on);
  WriteImage& image_;
  std::uint32_t mapPage_;
  std::uint32_t mapRow_;
};

}  // namespace jet
