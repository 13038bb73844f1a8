// A data page (type 0x01) as the write side changes it: the row-offset table
// after the header (J3 @8, J4 @12: u16 count, then u16 offsets), rows packed
// from the end of the page downwards in row order, and the free-space field
// @2 = bytes between the end of the offset table and the lowest row.
#pragma once

#include "jet/WriteImage.h"

#include <cstdint>
#include <vector>

namespace jet {

class DataPageView {
 public:
  DataPageView(WriteImage& image, std::uint32_t pageNumber);

  // Writes an empty data page header: type 0x01, owner = TDEF page (or the
  // "LVAL" tag for long-value pages), no rows.
  static void Initialize(WriteImage& image, std::uint32_t pageNumber, std::uint32_t owner);
  static void InitializeLongValue(WriteImage& image, std::uint32_t pageNumber);

  std::uint32_t number() const { return number_; }
  std::uint32_t rowCount() const;
  std::uint16_t offsetWord(std::uint32_t row) const;
  std::uint32_t rowStart(std::uint32_t row) const;
  std::uint32_t rowEnd(std::uint32_t row) const;
  std::vector<std::uint8_t> row(std::uint32_t row) const;
  std::uint32_t freeSpace() const;
  bool canHold(std::size_t rowLength) const;

  // Appends a row; returns its row number. The caller checks canHold first.
  std::uint32_t addRow(const std::vector<std::uint8_t>& data);
  // Replaces one row's bytes (any length that fits) and packs the rows again.
  void replaceRow(std::uint32_t row, const std::vector<std::uint8_t>& data);
  // Overwrites one row's bytes in place (same length).
  void overwriteRow(std::uint32_t row, const std::vector<std::uint8_t>& data);

 private:
  void updateFreeSpace();
  WriteImage& image_;
  std::uint32_t number_;
  std::uint8_t* p_;
  const WriteFormat& f_;
};

}  // namespace jet
