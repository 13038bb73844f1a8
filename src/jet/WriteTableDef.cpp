#include "jet/WriteTableDef.h"

#include "jet/WriteError.h"
#include "jet/WriteText.h"
#include "jet/TableDefinition.h"
#include "jet/Text.h"

#include <algorithm>
#include <cstring>
#include <set>
#include <string>

namespace jet {

using namespace wbytes;

namespace {

[[noreturn]] void damaged(std::uint32_t page, const std::string& what) {
  throw WriteError("Table definition at page " + std::to_string(page) + " is damaged: " + what + ".", ErrorKind::Damaged);
}

}  // namespace

WriteTableDef::WriteTableDef(WriteImage& image, std::uint32_t tdefPage)
    : image_(image), f_(image.format()), page_(tdefPage) {
  // Concatenate the chain.
  std::set<std::uint32_t> seen;
  std::uint32_t n = tdefPage;
  while (n != 0) {
    if (!seen.insert(n).second) damaged(tdefPage, "its page chain loops");
    const std::uint8_t* p = image.page(n);
    if (p[0] != 0x02) damaged(tdefPage, "page " + std::to_string(n) + " is not a table definition page");
    chain_.push_back(n);
    if (buffer_.empty())
      buffer_.assign(p, p + f_.pageSize);
    else
      buffer_.insert(buffer_.end(), p + 8, p + f_.pageSize);
    n = get32(p + 4);
  }
  const std::uint8_t* b = buffer_.data();
  const std::size_t len = get32(b + 8) + 8;
  if (len > buffer_.size()) damaged(tdefPage, "its length runs past its pages");
  auto need = [&](std::size_t end) {
    if (end > len) damaged(tdefPage, "a section runs past its end");
  };
  need(f_.tdefHeaderEnd);
  const std::uint16_t numCols = get16(b + f_.tdefNumCols);
  const std::uint32_t numLogical = get32(b + f_.tdefNumLogicalIdx);
  const std::uint32_t numReal = get32(b + f_.tdefNumRealIdx);
  if (numReal > 1000 || numLogical > 1000) damaged(tdefPage, "index counts out of range");
  std::size_t o = f_.tdefHeaderEnd;
  const std::size_t countsStart = o;
  o += std::size_t(numReal) * f_.realIndexHeaderSize;
  need(o + std::size_t(numCols) * f_.columnSize);
  for (std::uint16_t i = 0; i < numCols; ++i) {
    const std::uint8_t* c = b + o;
    WriteColumn col;
    col.type = c[f_.colType];
    col.number = get16(c + f_.colNum);
    col.varSlot = get16(c + f_.colVarSlot);
    col.flags = c[f_.colFlags];
    col.extFlags = f_.jet4 ? c[f_.colExtFlags] : 0;
    col.fixedOffset = get16(c + f_.colFixedOffset);
    col.length = get16(c + f_.colLength);
    col.sortOrder = get16(c + f_.colSortOrder);
    col.sortVersion = f_.jet4 ? c[f_.colSortOrder + 3] : 0;
    columns_.push_back(col);
    o += f_.columnSize;
  }
  // Every column must fit the row layout the header declares.
  const std::uint16_t maxCols = get16(b + f_.tdefMaxCols);
  const std::uint16_t varCols = get16(b + f_.tdefNumVarCols);
  for (const auto& col : columns_) {
    if (col.number >= maxCols) damaged(tdefPage, "a column number lies beyond the column count");
    const bool fixed = (col.flags & 0x01) != 0 || col.type == std::uint8_t(ColumnType::Boolean);
    if (!fixed && col.varSlot >= varCols) damaged(tdefPage, "a variable column's slot lies beyond the slot count");
    if (fixed && std::size_t(col.fixedOffset) + col.length > f_.maxRowSize)
      damaged(tdefPage, "a fixed column lies beyond the largest row");
  }
  for (auto& col : columns_) {
    if (f_.jet4) {
      need(o + 2);
      const std::uint16_t l = get16(b + o);
      need(o + 2 + l);
      col.name.clear();
      AppendUcs2Text(col.name, jet::Bytes(b + o + 2, l));
      o += 2 + l;
    } else {
      need(o + 1);
      const std::uint8_t l = b[o];
      need(o + 1 + l);
      col.name.clear();
      AppendCodePageText(col.name, jet::Bytes(b + o + 1, l), 1252);
      o += 1 + l;
    }
  }
  need(o + std::size_t(numReal) * f_.realIndexSize);
  for (std::uint32_t i = 0; i < numReal; ++i) {
    const std::uint8_t* d = b + o;
    WriteRealIndex ix;
    ix.number = i;
    for (int k = 0; k < 10; ++k) {
      const std::uint16_t cn = get16(d + f_.riColumns + 3 * k);
      if (cn == 0xFFFF) continue;
      ix.columns.push_back({cn, (d[f_.riColumns + 3 * k + 2] & 0x01) != 0});
    }
    ix.usageMap = get32(d + f_.riUsageMap);
    ix.rootPage = get32(d + f_.riRootPage);
    ix.flags = d[f_.riFlags];
    ix.definitionOffset = o;
    ix.countOffset = countsStart + std::size_t(i) * f_.realIndexHeaderSize + 4;
    realIndexes_.push_back(ix);
    o += f_.realIndexSize;
  }
  need(o + std::size_t(numLogical) * f_.logicalIndexSize);
  // Logical index definition: (J4 u32 magic) | u32 number | u32 real index |
  // u8 related table type | i32 related index | u32 related TDEF | u8
  // cascade update | u8 cascade delete | u8 index type (| J4 u32).
  const std::size_t lead = f_.jet4 ? 4 : 0;
  for (std::uint32_t i = 0; i < numLogical; ++i) {
    const std::uint8_t* d = b + o + std::size_t(i) * f_.logicalIndexSize;
    WriteLogicalIndex li;
    li.number = get32(d + lead);
    li.realNumber = get32(d + lead + 4);
    li.relatedTableType = d[lead + 8];
    li.relatedIndex = std::int32_t(get32(d + lead + 9));
    li.relatedTable = get32(d + lead + 13);
    li.indexType = d[f_.liIndexType];
    logicalIndexes_.push_back(li);
  }
  o += std::size_t(numLogical) * f_.logicalIndexSize;
  for (std::uint32_t i = 0; i < numLogical; ++i) {
    if (f_.jet4) {
      need(o + 2);
      o += 2 + get16(b + o);
    } else {
      need(o + 1);
      o += 1 + b[o];
    }
  }
  while (o + 2 <= len) {
    const std::uint16_t cn = get16(b + o);
    if (cn == 0xFFFF) break;
    need(o + 10);
    lvMaps_.push_back({cn, get32(b + o + 2), get32(b + o + 6)});
    o += 10;
  }
}

const WriteColumn* WriteTableDef::column(std::string_view name) const {
  for (const auto& c : columns_)
    if (EqualsIgnoreCase(c.name, name)) return &c;
  return nullptr;
}

const WriteColumn* WriteTableDef::columnByNumber(std::uint16_t number) const {
  for (const auto& c : columns_)
    if (c.number == number) return &c;
  return nullptr;
}

std::uint8_t* WriteTableDef::byteAt(std::size_t offset) {
  const std::size_t ps = f_.pageSize;
  if (offset < ps) return image_.page(chain_[0]) + offset;
  const std::size_t rest = offset - ps;
  const std::size_t idx = 1 + rest / (ps - 8);
  if (idx >= chain_.size()) throw WriteError("Table definition offset past its pages.");
  return image_.page(chain_[idx]) + 8 + rest % (ps - 8);
}

std::uint32_t WriteTableDef::get32At(std::size_t offset) const { return get32(buffer_.data() + offset); }

void WriteTableDef::set32At(std::size_t offset, std::uint32_t value) {
  put32(buffer_.data() + offset, value);
  for (int i = 0; i < 4; ++i) *byteAt(offset + i) = buffer_[offset + i];
}

std::uint32_t WriteTableDef::rowCount() const { return get32At(f_.tdefRowCount); }
std::uint32_t WriteTableDef::lastAutoNumber() const { return get32At(f_.tdefAutoNumber); }
std::uint16_t WriteTableDef::maxColumns() const { return get16(buffer_.data() + f_.tdefMaxCols); }
std::uint16_t WriteTableDef::varColumns() const { return get16(buffer_.data() + f_.tdefNumVarCols); }
std::uint32_t WriteTableDef::ownedMap() const { return get32At(f_.tdefOwnedMap); }
std::uint32_t WriteTableDef::freeMap() const { return get32At(f_.tdefFreeMap); }

std::size_t WriteTableDef::fixedAreaSize() const {
  std::size_t end = 0;
  for (const auto& c : columns_)
    if (c.fixed() && c.type != std::uint8_t(ColumnType::Boolean))
      end = std::max<std::size_t>(end, std::size_t(c.fixedOffset) + c.length);
  return end;
}

void WriteTableDef::setRowCount(std::uint32_t n) { set32At(f_.tdefRowCount, n); }
void WriteTableDef::setLastAutoNumber(std::uint32_t n) { set32At(f_.tdefAutoNumber, n); }
void WriteTableDef::setIndexRoot(std::size_t i, std::uint32_t root) {
  set32At(realIndexes_.at(i).definitionOffset + f_.riRootPage, root);
  realIndexes_[i].rootPage = root;
}
void WriteTableDef::setUniqueCount(std::size_t i, std::uint32_t n) { set32At(realIndexes_.at(i).countOffset, n); }
std::uint32_t WriteTableDef::uniqueCount(std::size_t i) const { return get32At(realIndexes_.at(i).countOffset); }

}  // namespace jet
