#include "jet/DataPage.h"

namespace jet {

DataPage::DataPage(const PageFile& file, std::uint32_t pageNumber)
    : format_(file.format()), bytes_(file.page(pageNumber)), number_(pageNumber) {
  if (bytes_[0] != std::uint8_t(PageType::Data))
    ThrowDamaged(pageNumber, "expected a data page, found page type " + std::to_string(bytes_[0]));
  rowCount_ = Le16(&bytes_[format_.dataRowCount]);
  const std::uint32_t tableEnd = format_.dataRowTable + 2u * rowCount_;
  if (tableEnd > bytes_.size())
    ThrowDamaged(pageNumber, "row count " + std::to_string(rowCount_) + " does not fit on the page");
  std::uint32_t end = std::uint32_t(bytes_.size());
  for (std::uint32_t i = 0; i < rowCount_; ++i) {
    std::uint32_t start = Le16(&bytes_[format_.dataRowTable + 2 * i]) & kRowOffsetMask;
    if (start < tableEnd || start > end)
      ThrowDamaged(pageNumber, "row " + std::to_string(i) + " starts at offset " + std::to_string(start) +
                                   ", outside the row area " + std::to_string(tableEnd) + ".." + std::to_string(end));
    end = start;
  }
}

DataRow DataPage::row(std::uint32_t i) const {
  if (i >= rowCount_)
    ThrowDamaged(number_, "row " + std::to_string(i) + " asked for, but the page holds " + std::to_string(rowCount_));
  std::uint16_t word = Le16(&bytes_[format_.dataRowTable + 2 * i]);
  std::uint32_t start = word & kRowOffsetMask;
  std::uint32_t end = i == 0 ? std::uint32_t(bytes_.size()) : (Le16(&bytes_[format_.dataRowTable + 2 * (i - 1)]) & kRowOffsetMask);
  return DataRow{bytes_.subspan(start, end - start), (word & kRowDeleted) != 0, (word & kRowOverflow) != 0};
}

std::uint32_t DataPage::computedFreeSpace() const {
  std::uint32_t lowest = std::uint32_t(bytes_.size());
  if (rowCount_ > 0) lowest = Le16(&bytes_[format_.dataRowTable + 2 * (rowCount_ - 1)]) & kRowOffsetMask;
  return lowest - (format_.dataRowTable + 2u * rowCount_);
}

}  // namespace jet
