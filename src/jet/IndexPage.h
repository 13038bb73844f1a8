// An index page (0x03 node, 0x04 leaf). Header offsets are in Format:
//   free space u16 @2, owning TDEF u32 @4, prev/next/tail page u32,
//   shared-prefix length (J3 u8 @20, J4 u16 @24), entry bitmap
//   (J3 @22, J4 @27) up to the first entry (J3 @248, J4 @480).
// Bitmap bit b set (LSB first) ⇔ an entry ends at first_entry + b; entries
// are contiguous. With a prefix length p > 0 every entry after the first
// omits its first p bytes. A leaf entry ends with a 3-byte big-endian page
// and a row byte; a node entry with a 4-byte big-endian child page.
#pragma once

#include "jet/Bytes.h"
#include "jet/PageFile.h"

#include <cstdint>
#include <vector>

namespace jet {

class IndexPage {
 public:
  // Checks the page type, the prefix length and every entry's bounds.
  IndexPage(const PageFile& file, std::uint32_t pageNumber);

  std::uint32_t number() const { return number_; }
  bool leaf() const { return bytes_[0] == std::uint8_t(PageType::IndexLeaf); }
  std::uint32_t owner() const { return Le32(&bytes_[format_.ixTdef]); }
  std::uint32_t prevPage() const { return Le32(&bytes_[format_.ixPrevPage]); }
  std::uint32_t nextPage() const { return Le32(&bytes_[format_.ixNextPage]); }
  std::uint32_t tailPage() const { return Le32(&bytes_[format_.ixTailPage]); }
  std::uint32_t prefixLength() const { return prefixLength_; }
  std::uint16_t storedFreeSpace() const { return Le16(&bytes_[format_.ixFreeSpace]); }
  // page size − end of the entry data.
  std::uint32_t computedFreeSpace() const { return std::uint32_t(bytes_.size()) - dataEnd_; }

  std::size_t entryCount() const { return entries_.size(); }
  // The entry's stored bytes (without the shared prefix for entries after the first).
  Bytes storedEntry(std::size_t i) const { return entries_[i]; }
  // The entry whole: the shared prefix (from the first entry) restored.
  std::vector<std::uint8_t> fullEntry(std::size_t i) const;
  // Node entries: the child page (last 4 bytes, big-endian).
  std::uint32_t childPage(std::size_t i) const;
  // Leaf entries: the row (3-byte big-endian page, row byte).
  RowPointer rowPointer(std::size_t i) const;

 private:
  const Format& format_;
  Bytes bytes_;
  std::uint32_t number_;
  std::uint32_t prefixLength_ = 0;
  std::uint32_t dataEnd_ = 0;
  std::vector<Bytes> entries_;
};

}  // namespace jet
