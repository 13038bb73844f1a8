#include "jet/IndexPage.h"

namespace jet {

IndexPage::IndexPage(const PageFile& file, std::uint32_t pageNumber)
    : format_(file.format()), bytes_(file.page(pageNumber)), number_(pageNumber) {
  const Format& f = format_;
  if (bytes_[0] != std::uint8_t(PageType::IndexNode) && bytes_[0] != std::uint8_t(PageType::IndexLeaf))
    ThrowDamaged(pageNumber, "expected an index page, found page type " + std::to_string(bytes_[0]));
  prefixLength_ = f.ixPrefixLengthSize == 1 ? bytes_[f.ixPrefixLength] : Le16(&bytes_[f.ixPrefixLength]);
  const std::uint32_t pointerSize = 4;  // both the leaf row pointer and the node child page
  std::uint32_t start = f.ixFirstEntry;
  const std::uint32_t bits = (f.ixFirstEntry - f.ixBitmap) * 8;
  for (std::uint32_t b = 0; b < bits; ++b) {
    if (!(bytes_[f.ixBitmap + b / 8] & (1u << (b % 8)))) continue;
    const std::uint32_t end = f.ixFirstEntry + b;
    if (end > bytes_.size())
      ThrowDamaged(pageNumber, "an index entry ends at offset " + std::to_string(end) + ", past the page's end");
    if (end <= start) ThrowDamaged(pageNumber, "an index entry is empty");
    Bytes entry = bytes_.subspan(start, end - start);
    if (entry.size() < pointerSize)
      ThrowDamaged(pageNumber, "index entry " + std::to_string(entries_.size()) + " is shorter than its page pointer");
    entries_.push_back(entry);
    start = end;
  }
  dataEnd_ = start;
  if (!entries_.empty() && prefixLength_ > entries_[0].size())
    ThrowDamaged(pageNumber, "the shared prefix (" + std::to_string(prefixLength_) + " bytes) is longer than the first entry");
}

std::vector<std::uint8_t> IndexPage::fullEntry(std::size_t i) const {
  Bytes e = entries_.at(i);
  std::vector<std::uint8_t> full;
  if (i > 0) full.assign(entries_[0].begin(), entries_[0].begin() + prefixLength_);
  full.insert(full.end(), e.begin(), e.end());
  return full;
}

std::uint32_t IndexPage::childPage(std::size_t i) const {
  Bytes e = entries_.at(i);
  const std::uint8_t* p = &e[e.size() - 4];
  return (std::uint32_t(p[0]) << 24) | (std::uint32_t(p[1]) << 16) | (std::uint32_t(p[2]) << 8) | p[3];
}

RowPointer IndexPage::rowPointer(std::size_t i) const {
  Bytes e = entries_.at(i);
  const std::uint8_t* p = &e[e.size() - 4];
  return RowPointer{(std::uint32_t(p[0]) << 16) | (std::uint32_t(p[1]) << 8) | p[2], p[3]};
}

}  // namespace jet
