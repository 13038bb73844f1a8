#include "jet/LongValue.h"

#include "jet/DataPage.h"

#include <optional>
#include <unordered_set>

namespace jet {
namespace {

Bytes LongValueRow(const PageFile& file, RowPointer ptr, std::uint32_t referrer, DataPageCache& cache) {
  if (!file.valid(ptr.page))
    ThrowDamaged(referrer, "a long value points to page " + std::to_string(ptr.page) + ", past the end of the file");
  const DataPage& page = cache.get(file, ptr.page);
  if (ptr.row >= page.rowCount())
    ThrowDamaged(ptr.page, "a long value points to row " + std::to_string(ptr.row) + " of " +
                               std::to_string(page.rowCount()));
  return page.row(ptr.row).bytes;
}

}  // namespace

std::optional<Bytes> LongValueInOnePiece(const PageFile& file, Bytes field, std::uint32_t page, DataPageCache& cache) {
  if (field.size() < kLongValueHeaderSize)
    ThrowDamaged(page, "a long-value field is " + std::to_string(field.size()) + " bytes, shorter than its 12-byte header");
  const std::uint32_t word = Le32(&field[0]);
  const std::uint32_t length = word & kLongValueLengthMask;
  if (length > file.fileSize())
    ThrowDamaged(page, "a long value claims " + std::to_string(length) + " bytes, more than the whole file");
  if (word & kLongValueInline) {
    if (length > field.size() - kLongValueHeaderSize)
      ThrowDamaged(page, "an inline long value claims " + std::to_string(length) + " bytes but holds " +
                             std::to_string(field.size() - kLongValueHeaderSize));
    return field.subspan(kLongValueHeaderSize, length);
  }
  if (word & kLongValueSingle) {
    const RowPointer first = RowPointer::FromWord(Le32(&field[4]));
    Bytes row = LongValueRow(file, first, page, cache);
    if (length > row.size())
      ThrowDamaged(first.page, "a long value claims " + std::to_string(length) + " bytes but its row holds " +
                                   std::to_string(row.size()));
    return row.first(length);
  }
  return std::nullopt;
}

void ReadLongValue(const PageFile& file, Bytes field, std::uint32_t page, std::string& out, DataPageCache* cache) {
  DataPageCache local;
  DataPageCache& pages = cache ? *cache : local;
  if (field.size() < kLongValueHeaderSize)
    ThrowDamaged(page, "a long-value field is " + std::to_string(field.size()) + " bytes, shorter than its 12-byte header");
  const std::uint32_t word = Le32(&field[0]);
  const std::uint32_t length = word & kLongValueLengthMask;
  const RowPointer first = RowPointer::FromWord(Le32(&field[4]));
  if (length > file.fileSize())
    ThrowDamaged(page, "a long value claims " + std::to_string(length) + " bytes, more than the whole file");
  const auto append = [&](Bytes b) { out.append(reinterpret_cast<const char*>(b.data()), b.size()); };

  if (word & kLongValueInline) {
    if (length > field.size() - kLongValueHeaderSize)
      ThrowDamaged(page, "an inline long value claims " + std::to_string(length) + " bytes but holds " +
                             std::to_string(field.size() - kLongValueHeaderSize));
    append(field.subspan(kLongValueHeaderSize, length));
    return;
  }
  if (word & kLongValueSingle) {
    Bytes row = LongValueRow(file, first, page, pages);
    if (length > row.size())
      ThrowDamaged(first.page, "a long value claims " + std::to_string(length) + " bytes but its row holds " +
                                   std::to_string(row.size()));
    append(row.first(length));
    return;
  }
  // A chain of rows: 4-byte pointer to the next row, then a chunk.
  std::size_t remaining = length;
  RowPointer at = first;
  std::uint32_t referrer = page;
  std::unordered_set<std::uint32_t> seen;
  while (remaining > 0) {
    if (at.null()) ThrowDamaged(referrer, "a long-value chain ends " + std::to_string(remaining) + " bytes early");
    if (!seen.insert((at.page << 8) | at.row).second)
      ThrowDamaged(at.page, "a long-value chain loops back to row " + std::to_string(at.row));
    Bytes row = LongValueRow(file, at, referrer, pages);
    if (row.size() < 4) ThrowDamaged(at.page, "a long-value chain row is shorter than its pointer");
    Bytes chunk = row.subspan(4);
    std::size_t take = chunk.size() < remaining ? chunk.size() : remaining;
    append(chunk.first(take));
    remaining -= take;
    referrer = at.page;
    at = RowPointer::FromWord(Le32(&row[0]));
  }
}

}  // namespace jet
