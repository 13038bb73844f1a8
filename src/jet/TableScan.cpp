#include "jet/TableScan.h"

#include "jet/UsageMap.h"

namespace jet {
namespace {
// Access moves a row at most once; a longer chain of overflow pointers is
// damage (or a loop).
constexpr int kMaxOverflowHops = 8;
}  // namespace

std::vector<std::uint32_t> TableDataPages(const PageFile& file, const TableDefinition& table) {
  UsageMap owned = UsageMap::Read(file, table.ownedMap(), table.page());
  std::vector<std::uint32_t> pages;
  pages.reserve(owned.pages().size());
  for (std::uint32_t p : owned.pages()) {
    Bytes bytes = file.page(p);
    if (bytes[0] == std::uint8_t(PageType::Data) && Le32(&bytes[4]) == table.page()) pages.push_back(p);
  }
  return pages;
}

TableScan::TableScan(const PageFile& file, const TableDefinition& table)
    : file_(file), table_(table), pages_(TableDataPages(file, table)) {}

Bytes TableScan::follow(Bytes pointerRow, std::uint32_t page) {
  for (int hop = 0; hop < kMaxOverflowHops; ++hop) {
    if (pointerRow.size() < 4) ThrowDamaged(page, "an overflow row pointer is shorter than 4 bytes");
    RowPointer target = RowPointer::FromWord(Le32(pointerRow.data()));
    if (!file_.valid(target.page))
      ThrowDamaged(page, "an overflow row points to page " + std::to_string(target.page) + ", past the end of the file");
    DataPage targetPage(file_, target.page);
    if (target.row >= targetPage.rowCount())
      ThrowDamaged(page, "an overflow row points to row " + std::to_string(target.row) + " of page " +
                             std::to_string(target.page) + ", which has " + std::to_string(targetPage.rowCount()));
    DataRow r = targetPage.row(target.row);
    page = target.page;
    if (r.overflow && !r.deleted) {
      pointerRow = r.bytes;
      continue;
    }
    location_.page = page;
    return r.bytes;
  }
  ThrowDamaged(page, "overflow row pointers form a chain longer than " + std::to_string(kMaxOverflowHops) + " (a loop)");
}

bool TableScan::next() {
  while (true) {
    if (!page_) {
      if (pageIndex_ >= pages_.size()) return false;
      page_.emplace(file_, pages_[pageIndex_++]);
      slot_ = 0;
    }
    if (slot_ >= page_->rowCount()) {
      page_.reset();
      continue;
    }
    std::uint32_t slot = slot_++;
    DataRow r = page_->row(slot);
    if (r.deleted) continue;  // deleted (0xC000), or the target of an overflow pointer (0x8000)
    location_.slotPage = page_->number();
    location_.slot = std::uint16_t(slot);
    location_.page = page_->number();
    row_ = r.overflow ? follow(r.bytes, page_->number()) : r.bytes;
    return true;
  }
}

}  // namespace jet
