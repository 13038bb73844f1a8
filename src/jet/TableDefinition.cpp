#include "jet/TableDefinition.h"

#include "jet/Text.h"

#include <algorithm>
#include <unordered_set>

namespace jet {

bool EqualsIgnoreCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x = char(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = char(y - 'A' + 'a');
    if (x != y) return false;
  }
  return true;
}

namespace {
constexpr std::size_t kTdefNextPage = 4;
constexpr std::size_t kTdefContinuation = 8;  // bytes 8.. of a continuation page are appended
constexpr std::uint32_t kMaxIndexColumns = 10;
}  // namespace

TableDefinition::TableDefinition(const PageFile& file, std::uint32_t page) : format_(file.format()), page_(page) {
  loadChain(file);
  parse(file);
}

void TableDefinition::loadChain(const PageFile& file) {
  std::unordered_set<std::uint32_t> seen;
  std::uint32_t current = page_;
  std::uint32_t referrer = page_;
  while (true) {
    Bytes p = file.page(current, referrer, "the table definition chain");
    if (p[0] != std::uint8_t(PageType::TableDefinition))
      ThrowDamaged(current, "expected a table definition page, found page type " + std::to_string(p[0]));
    if (!seen.insert(current).second)
      ThrowDamaged(referrer, "the table definition chain loops back to page " + std::to_string(current));
    chain_.push_back(current);
    if (buffer_.empty()) buffer_.assign(p.begin(), p.end());
    else buffer_.insert(buffer_.end(), p.begin() + kTdefContinuation, p.end());
    std::uint32_t next = Le32(&p[kTdefNextPage]);
    if (next == 0) break;
    referrer = current;
    current = next;
  }
}

std::pair<std::uint32_t, std::uint32_t> TableDefinition::locate(std::size_t offset) const {
  const std::size_t size = format_.pageSize;
  if (offset < size) return {chain_[0], std::uint32_t(offset)};
  std::size_t rest = offset - size;
  std::size_t per = size - kTdefContinuation;
  std::size_t index = 1 + rest / per;
  if (index >= chain_.size()) return {chain_.back(), std::uint32_t(size)};
  return {chain_[index], std::uint32_t(kTdefContinuation + rest % per)};
}

std::string TableDefinition::readName(const Reader& r, std::size_t& pos, const PageFile& file) const {
  std::size_t length = format_.nameLengthSize == 1 ? r.u8(pos, "a name length") : r.u16(pos, "a name length");
  pos += format_.nameLengthSize;
  Bytes bytes = r.slice(pos, length, "a column or index name");
  pos += length;
  return DecodeText(bytes, format_, file.header().codePage);
}

void TableDefinition::parse(const PageFile& file) {
  const Format& f = format_;
  Reader r(buffer_, page_);
  r.need(0, f.tdefHeaderEnd, "the table definition header");
  rowCount_ = r.u32(f.tdefRowCount, "row count");
  lastAutoNumber_ = r.u32(f.tdefAutoNumber, "autonumber");
  tableType_ = r.u8(f.tdefTableType, "table type");
  maxColumns_ = r.u16(f.tdefMaxColumns, "column count");
  varColumns_ = r.u16(f.tdefVarColumns, "variable column count");
  const std::uint16_t numColumns = r.u16(f.tdefColumns, "column count");
  const std::uint32_t numLogical = r.u32(f.tdefLogicalIndexes, "logical index count");
  const std::uint32_t numReal = r.u32(f.tdefRealIndexes, "index count");
  ownedMap_ = r.u32(f.tdefOwnedMap, "owned-pages map");
  freeMap_ = r.u32(f.tdefFreeMap, "free-space map");
  if (numColumns > maxColumns_)
    ThrowDamaged(page_, "the table definition lists " + std::to_string(numColumns) + " columns but at most " +
                            std::to_string(maxColumns_) + " ever existed");

  std::size_t pos = f.tdefHeaderEnd;
  // 1. real-index blocks (the unique-entry counts).
  r.need(pos, std::size_t(numReal) * f.tdefRealIndexBlock, "the index count block");
  realIndexes_.resize(numReal);
  for (std::uint32_t i = 0; i < numReal; ++i) {
    realIndexes_[i].number = i;
    realIndexes_[i].uniqueCountOffset = pos + f.tdefRealIndexUniqueCount;
    realIndexes_[i].uniqueEntryCount = r.u32(pos + f.tdefRealIndexUniqueCount, "unique-entry count");
    pos += f.tdefRealIndexBlock;
  }

  // 2. column descriptors.
  r.need(pos, std::size_t(numColumns) * f.columnSize, "the column descriptors");
  columns_.resize(numColumns);
  for (auto& c : columns_) {
    Bytes d = r.slice(pos, f.columnSize, "a column descriptor");
    c.descriptorOffset = pos;
    c.type = d[f.colType];
    c.number = Le16(&d[f.colNumber]);
    c.varSlot = Le16(&d[f.colVarSlot]);
    c.rowNumber = Le16(&d[f.colRowNumber]);
    c.sortOrder = Le16(&d[f.colSortOrder]);
    if (!f.jet4()) c.codePage = Le16(&d[f.colCodePage]);
    c.precision = d[f.colPrecision];
    c.scale = d[f.colScale];
    c.flags = d[f.colFlags];
    if (f.hasExtFlags) c.extFlags = d[f.colExtFlags];
    c.fixedOffset = Le16(&d[f.colFixedOffset]);
    c.length = Le16(&d[f.colLength]);
    pos += f.columnSize;
  }
  // 3. column names.
  for (auto& c : columns_) c.name = readName(r, pos, file);

  // Every column must fit the row layout the header announces.
  std::vector<bool> numberUsed(maxColumns_, false);
  for (const auto& c : columns_) {
    if (c.number >= maxColumns_)
      ThrowDamaged(page_, "column " + c.name + " has number " + std::to_string(c.number) + ", beyond the " +
                              std::to_string(maxColumns_) + " columns of the table");
    if (numberUsed[c.number]) ThrowDamaged(page_, "two columns share the number " + std::to_string(c.number));
    numberUsed[c.number] = true;
    if (c.fixed()) {
      std::uint32_t size = c.isBoolean() ? 0 : c.length;
      fixedAreaSize_ = std::max<std::uint32_t>(fixedAreaSize_, c.fixedOffset + size);
    } else if (c.varSlot >= varColumns_) {
      ThrowDamaged(page_, "column " + c.name + " uses variable slot " + std::to_string(c.varSlot) + " of " +
                              std::to_string(varColumns_));
    }
  }
  std::sort(columns_.begin(), columns_.end(), [](const Column& a, const Column& b) { return a.number < b.number; });

  // 4. real index definitions.
  r.need(pos, std::size_t(numReal) * f.realIndexSize, "the index definitions");
  for (auto& ri : realIndexes_) {
    ri.definitionOffset = pos;
    for (std::uint32_t k = 0; k < kMaxIndexColumns; ++k) {
      std::size_t at = pos + f.riColumns + 3 * k;
      std::uint16_t number = Le16(&buffer_[at]);
      if (number == kNoColumn) continue;
      ri.columns.push_back({number, (buffer_[at + 2] & kIndexAscending) != 0});
    }
    ri.usageMap = Le32(&buffer_[pos + f.riUsageMap]);
    ri.rootPage = Le32(&buffer_[pos + f.riRootPage]);
    ri.flags = buffer_[pos + f.riFlags];
    pos += f.realIndexSize;
  }

  // 5. logical index definitions, 6. their names.
  r.need(pos, std::size_t(numLogical) * f.logicalIndexSize, "the logical index definitions");
  logicalIndexes_.resize(numLogical);
  for (auto& li : logicalIndexes_) {
    li.number = Le32(&buffer_[pos + f.liNumber]);
    li.realIndex = Le32(&buffer_[pos + f.liRealNumber]);
    li.indexType = buffer_[pos + f.liIndexType];
    pos += f.logicalIndexSize;
  }
  for (auto& li : logicalIndexes_) li.name = readName(r, pos, file);

  // 7. long-value column maps, up to 0xFFFF (a definition cut short before
  // it is read as having none left).
  while (pos + 2 <= buffer_.size()) {
    std::uint16_t number = Le16(&buffer_[pos]);
    if (number == 0xFFFF) break;
    if (pos + 10 > buffer_.size()) break;
    longValueMaps_.push_back({number, Le32(&buffer_[pos + 2]), Le32(&buffer_[pos + 6])});
    pos += 10;
  }
}

const Column* TableDefinition::column(std::string_view name) const {
  for (const auto& c : columns_)
    if (EqualsIgnoreCase(c.name, name)) return &c;
  return nullptr;
}

}  // namespace jet
