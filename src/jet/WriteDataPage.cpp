#include "jet/WriteDataPage.h"

#include "jet/WriteError.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace jet {

using namespace wbytes;

namespace {
constexpr std::uint32_t kMaxRowsPerPage = 255;
constexpr std::uint16_t kOffsetMask = 0x1FFF;
}  // namespace

DataPageView::DataPageView(WriteImage& image, std::uint32_t pageNumber)
    : image_(image), number_(pageNumber), p_(image.page(pageNumber)), f_(image.format()) {
  if (p_[0] != 0x01)
    throw WriteError("Page " + std::to_string(pageNumber) + " is not a data page (type " +
                     std::to_string(p_[0]) + ").");
  if (rowCount() > kMaxRowsPerPage)
    throw WriteError("Data page " + std::to_string(pageNumber) + " claims more than 255 rows.");
}

void DataPageView::Initialize(WriteImage& image, std::uint32_t pageNumber, std::uint32_t owner) {
  const WriteFormat& f = image.format();
  std::uint8_t* p = image.page(pageNumber);
  std::memset(p, 0, f.pageSize);
  p[0] = 0x01;
  p[1] = 0x01;
  put16(p + 2, f.pageSize - f.dataRowsStart());
  put32(p + 4, owner);
}

void DataPageView::InitializeLongValue(WriteImage& image, std::uint32_t pageNumber) {
  Initialize(image, pageNumber, 0);
  std::memcpy(image.page(pageNumber) + 4, "LVAL", 4);
}

std::uint32_t DataPageView::rowCount() const { return get16(p_ + f_.dataRowCount); }

std::uint16_t DataPageView::offsetWord(std::uint32_t row) const {
  return get16(p_ + f_.dataRowsStart() + 2 * row);
}

std::uint32_t DataPageView::rowStart(std::uint32_t row) const {
  const std::uint32_t s = offsetWord(row) & kOffsetMask;
  if (s < f_.dataRowsStart() + 2 * rowCount() || s > f_.pageSize)
    throw WriteError("Data page " + std::to_string(number_) + ": row " + std::to_string(row) +
                     " starts outside the page.");
  return s;
}

std::uint32_t DataPageView::rowEnd(std::uint32_t row) const {
  const std::uint32_t e = row == 0 ? f_.pageSize : (offsetWord(row - 1) & kOffsetMask);
  if (e < rowStart(row) || e > f_.pageSize)
    throw WriteError("Data page " + std::to_string(number_) + ": row " + std::to_string(row) +
                     " has a negative length.");
  return e;
}

std::vector<std::uint8_t> DataPageView::row(std::uint32_t r) const {
  return std::vector<std::uint8_t>(p_ + rowStart(r), p_ + rowEnd(r));
}

std::uint32_t DataPageView::freeSpace() const {
  std::uint32_t lowest = f_.pageSize;
  for (std::uint32_t i = 0; i < rowCount(); ++i) lowest = std::min<std::uint32_t>(lowest, offsetWord(i) & kOffsetMask);
  const std::uint32_t tableEnd = f_.dataRowsStart() + 2 * rowCount();
  return lowest > tableEnd ? lowest - tableEnd : 0;
}

bool DataPageView::canHold(std::size_t rowLength) const {
  return rowCount() < kMaxRowsPerPage && freeSpace() >= rowLength + 2;
}

void DataPageView::updateFreeSpace() { put16(p_ + 2, freeSpace()); }

std::uint32_t DataPageView::addRow(const std::vector<std::uint8_t>& data) {
  if (!canHold(data.size()))
    throw WriteError("Data page " + std::to_string(number_) + " has no room for a row of " +
                     std::to_string(data.size()) + " bytes.");
  const std::uint32_t n = rowCount();
  std::uint32_t lowest = f_.pageSize;
  for (std::uint32_t i = 0; i < n; ++i) lowest = std::min<std::uint32_t>(lowest, offsetWord(i) & kOffsetMask);
  const std::uint32_t start = lowest - std::uint32_t(data.size());
  std::memcpy(p_ + start, data.data(), data.size());
  put16(p_ + f_.dataRowsStart() + 2 * n, start);
  put16(p_ + f_.dataRowCount, n + 1);
  updateFreeSpace();
  return n;
}

void DataPageView::replaceRow(std::uint32_t r, const std::vector<std::uint8_t>& data) {
  const std::uint32_t n = rowCount();
  std::vector<std::vector<std::uint8_t>> rows(n);
  std::vector<std::uint16_t> flags(n);
  for (std::uint32_t i = 0; i < n; ++i) {
    rows[i] = row(i);
    flags[i] = offsetWord(i) & ~kOffsetMask;
  }
  rows.at(r) = data;
  std::size_t total = f_.dataRowsStart() + 2 * n;
  for (auto& x : rows) total += x.size();
  if (total > f_.pageSize)
    throw WriteError("Data page " + std::to_string(number_) + " has no room to grow row " + std::to_string(r) + ".");
  std::uint32_t end = f_.pageSize;
  for (std::uint32_t i = 0; i < n; ++i) {
    const std::uint32_t start = end - std::uint32_t(rows[i].size());
    std::memmove(p_ + start, rows[i].data(), rows[i].size());
    put16(p_ + f_.dataRowsStart() + 2 * i, start | flags[i]);
    end = start;
  }
  std::memset(p_ + f_.dataRowsStart() + 2 * n, 0, end - (f_.dataRowsStart() + 2 * n));
  updateFreeSpace();
}

void DataPageView::overwriteRow(std::uint32_t r, const std::vector<std::uint8_t>& data) {
  if (rowEnd(r) - rowStart(r) != data.size()) {
    replaceRow(r, data);
    return;
  }
  std::memcpy(p_ + rowStart(r), data.data(), data.size());
}

}  // namespace jet
