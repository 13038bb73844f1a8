#include "jet/RowCodec.h"

#include "jet/LongValue.h"
#include "jet/Text.h"

#include <algorithm>

namespace jet {

RowCodec::RowCodec(const PageFile& file, const TableDefinition& table)
    : file_(file), table_(table), format_(file.format()) {}

void RowCodec::readVarOffsets(Bytes row, std::uint32_t page, std::size_t maskSize, std::vector<std::uint32_t>& offsets,
                              std::size_t& trailerStart) const {
  const std::size_t len = row.size();
  const std::size_t countSize = format_.rowCountSize;
  if (format_.jet4()) {
    if (len < maskSize + 2 + countSize) ThrowDamaged(page, "a row is too short for its variable-column count");
    const std::size_t nvarAt = len - maskSize - 2;
    const std::size_t nvar = Le16(&row[nvarAt]);
    // var_off[i] at len − mask − 4 − 2i, i = 0..nvar (the last is EOD).
    if (nvarAt < countSize + 2 * (nvar + 1))
      ThrowDamaged(page, "a row's variable-column table (" + std::to_string(nvar) + " columns) does not fit the row");
    offsets.resize(nvar + 1);
    for (std::size_t i = 0; i <= nvar; ++i) offsets[i] = Le16(&row[nvarAt - 2 - 2 * i]);
    trailerStart = nvarAt - 2 * (nvar + 1);
  } else {
    if (len < maskSize + 1 + countSize) ThrowDamaged(page, "a row is too short for its variable-column count");
    const std::size_t nvar = row[len - maskSize - 1];
    std::size_t jumps = (len - 1) / 256;
    // Index of var_off[0]: before nvar and the jump table.
    if (len < maskSize + jumps + 2 + nvar + countSize)
      ThrowDamaged(page, "a row's variable-column table (" + std::to_string(nvar) + " columns) does not fit the row");
    const std::size_t firstOffsetAt = len - maskSize - jumps - 2;
    // When the row's trailer pushes the count over a 256 boundary the
    // farthest jump entry is a dummy.
    if ((firstOffsetAt - nvar) / 256 < jumps) --jumps;
    offsets.resize(nvar + 1);
    std::size_t used = 0;
    for (std::size_t i = 0; i <= nvar; ++i) {
      while (used < jumps && i == row[len - maskSize - 2 - used]) ++used;
      offsets[i] = std::uint32_t(row[firstOffsetAt - i] + 256 * used);
    }
    trailerStart = firstOffsetAt - nvar;
  }
}

void RowCodec::split(Bytes row, std::uint32_t page, std::vector<FieldSlice>& slices) const {
  const std::size_t countSize = format_.rowCountSize;
  if (row.size() < countSize) ThrowDamaged(page, "a row is shorter than its column count");
  const std::size_t ncols = countSize == 2 ? Le16(&row[0]) : row[0];
  const std::size_t maskSize = (ncols + 7) / 8;
  if (row.size() < countSize + maskSize)
    ThrowDamaged(page, "a row of " + std::to_string(row.size()) + " bytes cannot hold the null mask of " +
                           std::to_string(ncols) + " columns");
  const std::uint8_t* mask = &row[row.size() - maskSize];

  std::size_t trailerStart = row.size() - maskSize;
  std::size_t nvar = 0;
  if (table_.varColumns() > 0) {
    readVarOffsets(row, page, maskSize, varOffsets_, trailerStart);
    nvar = varOffsets_.size() - 1;
  }

  const auto& columns = table_.columns();
  slices.resize(columns.size());
  for (std::size_t k = 0; k < columns.size(); ++k) {
    const Column& c = columns[k];
    FieldSlice& s = slices[k];
    s.bytes = Bytes();
    s.present = c.number < ncols && (mask[c.number >> 3] & (1u << (c.number & 7)));
    if (!s.present || c.isBoolean()) continue;
    if (c.fixed()) {
      const std::size_t start = countSize + c.fixedOffset;
      if (start + c.length > trailerStart)
        ThrowDamaged(page, "column " + c.name + " lies outside its row's fixed area");
      s.bytes = row.subspan(start, c.length);
    } else {
      if (c.varSlot >= nvar) {
        s.present = false;  // the column was added after this row was written
        continue;
      }
      const std::uint32_t start = varOffsets_[c.varSlot], end = varOffsets_[c.varSlot + 1];
      if (start > end || end > trailerStart || start < countSize)
        ThrowDamaged(page, "column " + c.name + " has offsets " + std::to_string(start) + ".." + std::to_string(end) +
                               " outside its row of " + std::to_string(row.size()) + " bytes");
      s.bytes = row.subspan(start, end - start);
    }
  }
}

void RowCodec::decode(Bytes row, std::uint32_t page, std::vector<Value>& values) const {
  split(row, page, slices_);
  const auto& columns = table_.columns();
  values.resize(columns.size());
  for (std::size_t k = 0; k < columns.size(); ++k) decodeField(columns[k], slices_[k], page, values[k]);
}

std::string FormatNumeric(Bytes b, std::uint8_t scale) {
  if (b.size() < 17) return std::string();
  unsigned __int128 v = 0;
  for (int word = 0; word < 4; ++word) v = (v << 32) | Le32(&b[1 + 4 * word]);
  std::string digits;
  do {
    digits.push_back(char('0' + int(v % 10)));
    v /= 10;
  } while (v != 0);
  std::size_t sc = std::min<std::size_t>(scale, 38);
  while (digits.size() <= sc) digits.push_back('0');
  std::reverse(digits.begin(), digits.end());
  if (sc > 0) digits.insert(digits.size() - sc, 1, '.');
  if (b[0] & 0x80) digits.insert(digits.begin(), '-');
  return digits;
}

void RowCodec::decodeField(const Column& c, const FieldSlice& s, std::uint32_t page, Value& v) const {
  if (c.isBoolean()) {
    v.kind = ValueKind::Boolean;
    v.integer = s.present ? 1 : 0;
    return;
  }
  if (!s.present) {
    v.setNull();
    return;
  }
  const Bytes b = s.bytes;
  auto need = [&](std::size_t n) {
    if (b.size() < n)
      ThrowDamaged(page, "column " + c.name + " holds " + std::to_string(b.size()) + " bytes, its type needs " +
                             std::to_string(n));
  };
  switch (DataType(c.type)) {
    case DataType::Byte: need(1); v.kind = ValueKind::Integer; v.integer = b[0]; return;
    case DataType::Integer: need(2); v.kind = ValueKind::Integer; v.integer = std::int16_t(Le16(&b[0])); return;
    case DataType::Long:
    case DataType::Complex: need(4); v.kind = ValueKind::Integer; v.integer = std::int32_t(Le32(&b[0])); return;
    case DataType::Currency: need(8); v.kind = ValueKind::Currency; v.integer = std::int64_t(Le64(&b[0])); return;
    case DataType::Float: need(4); v.kind = ValueKind::Float; v.real = LeFloat(&b[0]); return;
    case DataType::Double: need(8); v.kind = ValueKind::Double; v.real = LeDouble(&b[0]); return;
    case DataType::DateTime: need(8); v.kind = ValueKind::DateTime; v.real = LeDouble(&b[0]); return;
    case DataType::Guid:
      need(16);
      v.kind = ValueKind::Guid;
      v.data.assign(reinterpret_cast<const char*>(b.data()), 16);
      return;
    case DataType::Numeric: need(17); v.kind = ValueKind::Numeric; v.data = FormatNumeric(b, c.scale); return;
    case DataType::Text:
      v.kind = ValueKind::Text;
      v.data.clear();
      AppendText(v.data, b, format_, file_.header().codePage);
      return;
    case DataType::Memo: {
      v.kind = ValueKind::Text;
      v.data.clear();
      Bytes stored;
      if (auto piece = LongValueInOnePiece(file_, b, page, longValuePages_)) {
        stored = *piece;  // decoded straight from the page
      } else {
        longValue_.clear();
        ReadLongValue(file_, b, page, longValue_, &longValuePages_);
        stored = Bytes(reinterpret_cast<const std::uint8_t*>(longValue_.data()), longValue_.size());
      }
      AppendText(v.data, stored, format_, file_.header().codePage);
      return;
    }
    case DataType::Ole:
      v.kind = ValueKind::Binary;
      v.data.clear();
      ReadLongValue(file_, b, page, v.data, &longValuePages_);
      return;
    case DataType::Binary:
    default:
      v.kind = ValueKind::Binary;
      v.data.assign(reinterpret_cast<const char*>(b.data()), b.size());
      return;
  }
}

}  // namespace jet
