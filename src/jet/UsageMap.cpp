#include "jet/UsageMap.h"

#include "jet/DataPage.h"

#include <algorithm>
#include <unordered_set>

namespace jet {

void UsageMap::addBits(Bytes bitmap, std::uint64_t firstPage, std::uint32_t pageCount) {
  for (std::size_t i = 0; i < bitmap.size(); ++i) {
    std::uint8_t b = bitmap[i];
    if (!b) continue;
    for (int bit = 0; bit < 8; ++bit) {
      if (!(b & (1u << bit))) continue;
      std::uint64_t page = firstPage + i * 8 + std::uint64_t(bit);
      if (page < pageCount) pages_.push_back(std::uint32_t(page));
      else ++pastEnd_;
    }
  }
}

UsageMap UsageMap::Read(const PageFile& file, std::uint32_t rowPointerWord, std::uint32_t referrer) {
  RowPointer ptr = RowPointer::FromWord(rowPointerWord);
  if (!file.valid(ptr.page))
    ThrowDamaged(referrer, "a usage map pointer names page " + std::to_string(ptr.page) + ", past the end of the file");
  DataPage holder(file, ptr.page);
  DataRow row = holder.row(ptr.row);
  UsageMap map;
  map.definitionPage_ = ptr.page;
  map.definitionRow_ = ptr.row;
  if (row.bytes.empty()) ThrowDamaged(ptr.page, "usage map row " + std::to_string(ptr.row) + " is empty");
  map.type_ = row.bytes[0];
  const std::uint32_t pageCount = file.pageCount();
  if (map.type_ == kUsageMapInline) {
    if (row.bytes.size() < 5) ThrowDamaged(ptr.page, "inline usage map row " + std::to_string(ptr.row) + " is too short");
    std::uint32_t start = Le32(&row.bytes[1]);
    map.addBits(row.bytes.subspan(5), start, pageCount);
  } else if (map.type_ == kUsageMapReference) {
    const std::uint64_t perPage = std::uint64_t(file.pageSize() - 4) * 8;
    std::unordered_set<std::uint32_t> seen;
    for (std::size_t k = 0; 1 + 4 * k + 4 <= row.bytes.size(); ++k) {
      std::uint32_t mapPage = Le32(&row.bytes[1 + 4 * k]);
      if (mapPage == 0) continue;
      Bytes p = file.page(mapPage, ptr.page, "a reference usage map");
      if (p[0] != std::uint8_t(PageType::UsageMap))
        ThrowDamaged(mapPage, "expected a usage map page, found page type " + std::to_string(p[0]));
      if (!seen.insert(mapPage).second)
        ThrowDamaged(ptr.page, "the reference usage map names page " + std::to_string(mapPage) + " twice");
      map.mapPages_.push_back(mapPage);
      map.addBits(p.subspan(4), k * perPage, pageCount);
    }
  } else {
    ThrowDamaged(ptr.page, "usage map row " + std::to_string(ptr.row) + " has unknown type " + std::to_string(map.type_));
  }
  std::sort(map.pages_.begin(), map.pages_.end());
  map.pages_.erase(std::unique(map.pages_.begin(), map.pages_.end()), map.pages_.end());
  return map;
}

UsageMap UsageMap::ReadGlobal(const PageFile& file) { return Read(file, (1u << 8) | 0u, 1); }

bool UsageMap::contains(std::uint32_t page) const { return std::binary_search(pages_.begin(), pages_.end(), page); }

}  // namespace jet
