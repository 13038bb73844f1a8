#include "jet/TableAppender.h"

#include "jet/IndexKey.h"
#include "jet/WriteDataPage.h"
#include "jet/WriteError.h"
#include "jet/WriteRow.h"
#include "jet/WriteText.h"
#include "jet/WriteUsageMap.h"
#include "jet/TableDefinition.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <set>

namespace jet {

using namespace wbytes;

namespace {

constexpr std::size_t kMaxInlineLongValue = 64;
constexpr std::uint32_t kLongValueInline = 0x80000000u;
constexpr std::uint32_t kLongValueSingleRow = 0x40000000u;

std::string columnError(const WriteColumn& c, const std::string& what) {
  return "Column \"" + c.name + "\": " + what;
}

double numberOf(const WriteColumn& c, const FieldValue& v) {
  if (auto d = std::get_if<double>(&v)) return *d;
  if (auto i = std::get_if<std::int64_t>(&v)) return double(*i);
  if (auto b = std::get_if<bool>(&v)) return *b ? -1.0 : 0.0;
  if (auto s = std::get_if<std::string>(&v)) {
    try {
      std::size_t used = 0;
      double d = std::stod(*s, &used);
      if (used == s->size()) return d;
    } catch (...) {
    }
  }
  throw WriteError(columnError(c, "needs a number."));
}

std::int64_t wholeOf(const WriteColumn& c, const FieldValue& v, std::int64_t lo, std::int64_t hi) {
  std::int64_t x;
  if (auto i = std::get_if<std::int64_t>(&v)) {
    x = *i;
  } else {
    const double d = numberOf(c, v);
    if (std::floor(d) != d) throw WriteError(columnError(c, "needs a whole number."));
    x = std::int64_t(d);
  }
  if (x < lo || x > hi) throw WriteError(columnError(c, "the value " + std::to_string(x) + " is out of range."));
  return x;
}

// Text for a boolean column: true/false, yes/no, on/off, or a number.
bool booleanText(const WriteColumn& c, const std::string& text) {
  std::string t;
  for (char ch : text) t.push_back(char(ch >= 'A' && ch <= 'Z' ? ch - 'A' + 'a' : ch));
  if (t == "true" || t == "yes" || t == "on" || t == "1" || t == "-1") return true;
  if (t == "false" || t == "no" || t == "off" || t == "0" || t.empty()) return false;
  throw WriteError(columnError(c, "\"" + text + "\" is not a yes/no value."));
}

// Text for a date column: YYYY-MM-DD, optionally with hh:mm[:ss] after a
// space or "T"; as days since 1899-12-30.
std::optional<double> dateText(const std::string& text) {
  int y, mo, d, h = 0, mi = 0;
  double sec = 0;
  char sep = 0;
  const int n = std::sscanf(text.c_str(), "%d-%d-%d%c%d:%d:%lf", &y, &mo, &d, &sep, &h, &mi, &sec);
  if (n != 3 && n < 6) return std::nullopt;
  if (n > 3 && sep != ' ' && sep != 'T') return std::nullopt;
  if (mo < 1 || mo > 12 || d < 1 || d > 31 || h > 23 || mi > 59 || sec >= 60) return std::nullopt;
  // Days from civil (proleptic Gregorian), relative to 1899-12-30.
  const int yy = y - (mo <= 2);
  const int era = (yy >= 0 ? yy : yy - 399) / 400;
  const int yoe = yy - era * 400;
  const int doy = (153 * (mo + (mo > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  const long days = long(era) * 146097 + doe - 719468;  // since 1970-01-01
  const double whole = double(days + 25569);
  const double fraction = (h * 3600 + mi * 60 + sec) / 86400.0;
  return whole >= 0 ? whole + fraction : whole - fraction;
}

void appendLE(std::vector<std::uint8_t>& b, std::uint64_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) b.push_back(std::uint8_t(v >> (8 * i)));
}

}  // namespace

TableAppender::TableAppender(WriteImage& image, std::uint32_t tdefPage, std::string tableName)
    : image_(image), f_(image.format()), table_(image, tdefPage), name_(std::move(tableName)) {
  lastAuto_ = table_.lastAutoNumber();
  newEntries_.resize(table_.realIndexes().size());
  newEntryHasNull_.resize(table_.realIndexes().size());
  // Key columns must be types the index encoder handles; refuse up front.
  for (const auto& ix : table_.realIndexes())
    for (const auto& ic : ix.columns) {
      const WriteColumn* c = table_.columnByNumber(ic.columnNumber);
      if (!c) throw WriteError("Table \"" + name_ + "\": an index names a column that does not exist.");
      const auto t = ColumnType(c->type);
      if (t != ColumnType::Boolean && t != ColumnType::Byte && t != ColumnType::Int && t != ColumnType::Long &&
          t != ColumnType::Money && t != ColumnType::Text)
        throw UnsupportedKeyError("Table \"" + name_ + "\": column \"" + c->name +
                                  "\" is in an index of a type that cannot be maintained; nothing was written.");
    }
  loadForeignKeys();
  // The page to continue on: the last owned page that still has free space.
  if (table_.ownedMap() != 0 && table_.freeMap() != 0) {
    UsageMapEdit owned(image_, table_.ownedMap());
    UsageMapEdit freeMap(image_, table_.freeMap());
    auto pages = freeMap.pages();
    for (auto it = pages.rbegin(); it != pages.rend(); ++it) {
      if (*it >= image_.pageCount() || !owned.contains(*it)) continue;
      const std::uint8_t* p = image_.page(*it);
      if (p[0] == 0x01 && get32(p + 4) == tdefPage) {
        currentPage_ = *it;
        break;
      }
    }
  }
}

void TableAppender::loadForeignKeys() {
  for (const auto& li : table_.logicalIndexes()) {
    // Only the foreign table's side (related type 2) restricts new rows; a
    // relationship of a table with itself is not checked.
    if (!li.foreignKey() || li.relatedTableType != 2 || li.relatedTable == table_.page()) continue;
    if (li.realNumber >= table_.realIndexes().size()) continue;
    WriteTableDef primary(image_, li.relatedTable);
    const WriteLogicalIndex* target = nullptr;
    for (const auto& pl : primary.logicalIndexes())
      if (std::int32_t(pl.number) == li.relatedIndex) target = &pl;
    if (!target || target->realNumber >= primary.realIndexes().size())
      throw WriteError("Table \"" + name_ + "\": a relationship names an index that does not exist; nothing was written.",
                       ErrorKind::Damaged);
    const auto& mine = table_.realIndexes()[li.realNumber];
    const auto& theirs = primary.realIndexes()[target->realNumber];
    if (mine.columns.size() != theirs.columns.size())
      throw UnsupportedKeyError("Table \"" + name_ + "\": a relationship's two indexes differ; it cannot be checked.");
    ForeignKeyCheck check;
    check.primaryTable = li.relatedTable;
    for (std::size_t k = 0; k < mine.columns.size(); ++k) {
      const WriteColumn* a = table_.columnByNumber(mine.columns[k].columnNumber);
      const WriteColumn* b = primary.columnByNumber(theirs.columns[k].columnNumber);
      if (!a || !b || a->type != b->type)
        throw UnsupportedKeyError("Table \"" + name_ + "\": a relationship joins columns of different types; it cannot be checked.");
      check.columns.push_back(mine.columns[k].columnNumber);
      check.ascending.push_back(theirs.columns[k].ascending);
    }
    for (const auto& e : ReadIndexTree(image_, theirs.rootPage).entries)
      check.primaryKeys.insert(std::vector<std::uint8_t>(e.begin(), e.end() - 4));
    foreignKeys_.push_back(std::move(check));
  }
}

void TableAppender::checkForeignKeys(const std::vector<FieldValue>& values) const {
  const auto& cols = table_.columns();
  for (const auto& fk : foreignKeys_) {
    std::vector<std::uint8_t> key;
    bool anyNull = false;
    for (std::size_t k = 0; k < fk.columns.size(); ++k) {
      std::size_t ci = 0;
      while (cols[ci].number != fk.columns[k]) ++ci;
      if (IsNull(values[ci])) anyNull = true;
      AppendIndexKey(key, f_.jet4, cols[ci], values[ci], fk.ascending[k]);
    }
    if (anyNull) continue;  // a row without a reference refers to nothing
    if (!fk.primaryKeys.count(key))
      throw WriteError("Table \"" + name_ + "\": a new row refers to a row that does not exist in the related table " +
                       "(TDEF page " + std::to_string(fk.primaryTable) + "); nothing was written.");
  }
}

std::size_t TableAppender::columnIndex(std::string_view name) const {
  const auto& cols = table_.columns();
  for (std::size_t i = 0; i < cols.size(); ++i)
    if (EqualsIgnoreCase(cols[i].name, name)) return i;
  throw WriteError("Table \"" + name_ + "\" has no column \"" + std::string(name) + "\".");
}

std::uint32_t TableAppender::newPage() {
  const std::uint32_t n = image_.allocatePage();
  DataPageView::Initialize(image_, n, table_.page());
  if (table_.ownedMap()) UsageMapEdit(image_, table_.ownedMap()).add(n);
  if (table_.freeMap()) UsageMapEdit(image_, table_.freeMap()).add(n);
  return n;
}

std::pair<std::uint32_t, std::uint8_t> TableAppender::placeRow(const std::vector<std::uint8_t>& row) {
  if (currentPage_ != 0) {
    DataPageView page(image_, currentPage_);
    if (page.canHold(row.size())) return {currentPage_, std::uint8_t(page.addRow(row))};
    if (table_.freeMap()) UsageMapEdit(image_, table_.freeMap()).remove(currentPage_);
  }
  currentPage_ = newPage();
  DataPageView page(image_, currentPage_);
  return {currentPage_, std::uint8_t(page.addRow(row))};
}

std::pair<std::uint32_t, std::uint8_t> TableAppender::placeLongValueRow(const WriteColumn& c,
                                                                         const std::vector<std::uint8_t>& row) {
  const WriteLongValueMaps* maps = nullptr;
  for (const auto& m : table_.longValueMaps())
    if (m.columnNumber == c.number && m.owned != 0 && m.free != 0) maps = &m;
  auto it = lvPage_.find(c.number);
  std::uint32_t pageNo = it != lvPage_.end() ? it->second : 0;
  if (pageNo == 0 && maps) {
    auto pages = UsageMapEdit(image_, maps->free).pages();
    for (auto p = pages.rbegin(); p != pages.rend(); ++p)
      if (*p < image_.pageCount() && image_.page(*p)[0] == 0x01 && std::memcmp(image_.page(*p) + 4, "LVAL", 4) == 0) {
        pageNo = *p;
        break;
      }
  }
  if (pageNo != 0) {
    DataPageView page(image_, pageNo);
    if (page.canHold(row.size())) return {pageNo, std::uint8_t(page.addRow(row))};
    if (maps) UsageMapEdit(image_, maps->free).remove(pageNo);
  }
  pageNo = image_.allocatePage();
  DataPageView::InitializeLongValue(image_, pageNo);
  if (maps) {
    UsageMapEdit(image_, maps->owned).add(pageNo);
    UsageMapEdit(image_, maps->free).add(pageNo);
  }
  lvPage_[c.number] = pageNo;
  DataPageView page(image_, pageNo);
  return {pageNo, std::uint8_t(page.addRow(row))};
}

// The 12-byte long-value field: u32 length | kind (0x80 inline, 0x40 one
// LVAL row, 0 chain), row pointer to the first LVAL row, 4 zero bytes;
// inline data follows.
std::vector<std::uint8_t> TableAppender::writeLongValue(const WriteColumn& c, const std::vector<std::uint8_t>& data) {
  if (data.size() >= 0x3FFFFFFF) throw WriteError(columnError(c, "the value is too long."));
  std::vector<std::uint8_t> field;
  const std::uint32_t len = std::uint32_t(data.size());
  if (data.size() <= kMaxInlineLongValue) {
    append32(field, len | kLongValueInline);
    append32(field, 0);
    append32(field, 0);
    field.insert(field.end(), data.begin(), data.end());
    return field;
  }
  if (data.size() <= f_.maxLongValueRow) {
    const auto [page, row] = placeLongValueRow(c, data);
    append32(field, len | kLongValueSingleRow);
    append32(field, rowPointer(page, row));
    append32(field, 0);
    return field;
  }
  // A chain: each LVAL row = pointer to the next row (0 at the end) + chunk.
  const std::size_t chunk = f_.maxLongValueRow - 4;
  std::vector<std::size_t> starts;
  for (std::size_t s = 0; s < data.size(); s += chunk) starts.push_back(s);
  std::uint32_t next = 0;
  for (auto it = starts.rbegin(); it != starts.rend(); ++it) {
    const std::size_t s = *it, e = std::min(data.size(), s + chunk);
    std::vector<std::uint8_t> row;
    append32(row, next);
    row.insert(row.end(), data.begin() + s, data.begin() + e);
    const auto [page, r] = placeLongValueRow(c, row);
    next = rowPointer(page, r);
  }
  append32(field, len);
  append32(field, next);
  append32(field, 0);
  return field;
}

std::vector<std::uint8_t> TableAppender::encodeText(const WriteColumn& c, const std::string& text) const {
  const std::u16string u = Utf8ToUtf16(text);
  if (f_.jet4) return EncodeJet4Text(u, c.compressible());
  return Utf16ToCp1252(u);
}

std::optional<std::vector<std::uint8_t>> TableAppender::encodeFixed(const WriteColumn& c, const FieldValue& v) const {
  std::vector<std::uint8_t> b;
  switch (ColumnType(c.type)) {
    case ColumnType::Byte:
      b.push_back(std::uint8_t(wholeOf(c, v, 0, 255)));
      break;
    case ColumnType::Int:
      appendLE(b, std::uint64_t(wholeOf(c, v, -32768, 32767)), 2);
      break;
    case ColumnType::Long:
      appendLE(b, std::uint64_t(wholeOf(c, v, INT32_MIN, INT32_MAX)), 4);
      break;
    case ColumnType::Money: {
      const double d = numberOf(c, v);
      appendLE(b, std::uint64_t(std::int64_t(std::llround(d * 10000.0))), 8);
      break;
    }
    case ColumnType::Float: {
      const float x = float(numberOf(c, v));
      std::uint32_t u;
      std::memcpy(&u, &x, 4);
      appendLE(b, u, 4);
      break;
    }
    case ColumnType::Double:
      appendDouble(b, numberOf(c, v));
      break;
    case ColumnType::DateTime: {
      const std::string* s = std::get_if<std::string>(&v);
      const std::optional<double> date = s ? dateText(*s) : std::optional<double>(numberOf(c, v));
      if (!date) throw WriteError(columnError(c, "\"" + *s + "\" is not a date (YYYY-MM-DD hh:mm:ss)."));
      appendDouble(b, *date);
      break;
    }
    default:
      throw WriteError(columnError(c, "values of this column type (" + std::to_string(c.type) + ") cannot be written."));
  }
  return b;
}

std::pair<std::uint32_t, std::uint8_t> TableAppender::Append(std::vector<FieldValue> values) {
  const auto& cols = table_.columns();
  if (values.size() > cols.size()) throw WriteError("Table \"" + name_ + "\": more values than columns.");
  values.resize(cols.size());
  for (std::size_t i = 0; i < cols.size(); ++i)
    if (cols[i].autoNumber()) {
      if (IsNull(values[i])) {
        if (lastAuto_ == 0x7FFFFFFF) throw WriteError("Table \"" + name_ + "\": the autonumber is exhausted.");
        values[i] = std::int64_t(++lastAuto_);
      } else {
        const std::int64_t given = wholeOf(cols[i], values[i], INT32_MIN, INT32_MAX);
        if (given > std::int64_t(lastAuto_)) lastAuto_ = std::uint32_t(given);
      }
    }
  checkForeignKeys(values);
  std::vector<StoredCell> cells(cols.size());
  for (std::size_t i = 0; i < cols.size(); ++i) {
    const auto& c = cols[i];
    const FieldValue& v = values[i];
    const auto t = ColumnType(c.type);
    if (t == ColumnType::Boolean) {
      bool on = false;
      if (auto b = std::get_if<bool>(&v))
        on = *b;
      else if (auto t = std::get_if<std::string>(&v))
        on = booleanText(c, *t);
      else if (!IsNull(v))
        on = numberOf(c, v) != 0;
      if (on) cells[i] = std::vector<std::uint8_t>{};
      continue;
    }
    if (IsNull(v)) continue;
    if (t == ColumnType::Text) {
      const std::string* s = std::get_if<std::string>(&v);
      if (!s) throw WriteError(columnError(c, "needs text."));
      const std::size_t chars = Utf8ToUtf16(*s).size();
      const std::size_t limit = f_.jet4 ? c.length / 2 : c.length;
      if (chars > limit)
        throw WriteError(columnError(c, "the text has " + std::to_string(chars) + " characters; at most " +
                                            std::to_string(limit) + " fit."));
      cells[i] = encodeText(c, *s);
    } else if (t == ColumnType::Memo) {
      const std::string* s = std::get_if<std::string>(&v);
      if (!s) throw WriteError(columnError(c, "needs text."));
      cells[i] = writeLongValue(c, encodeText(c, *s));
    } else if (t == ColumnType::Ole || t == ColumnType::Binary) {
      const auto* b = std::get_if<std::vector<std::uint8_t>>(&v);
      if (!b) throw WriteError(columnError(c, "needs binary data."));
      if (t == ColumnType::Binary && b->size() > c.length)
        throw WriteError(columnError(c, "the value is longer than the column."));
      cells[i] = t == ColumnType::Ole ? writeLongValue(c, *b) : *b;
    } else {
      cells[i] = encodeFixed(c, v);
    }
  }
  const auto row = EncodeRow(f_, table_, cells);
  const auto where = placeRow(row);
  ++appended_;
  // Index entries, laid out at Finish().
  const auto& indexes = table_.realIndexes();
  for (std::size_t k = 0; k < indexes.size(); ++k) {
    const auto& ix = indexes[k];
    std::vector<std::uint8_t> key;
    bool allNull = true, anyNull = false;
    for (const auto& ic : ix.columns) {
      std::size_t ci = 0;
      while (cols[ci].number != ic.columnNumber) ++ci;
      const bool isNull = IsNull(values[ci]) && ColumnType(cols[ci].type) != ColumnType::Boolean;
      allNull = allNull && isNull;
      anyNull = anyNull || isNull;
      try {
        AppendIndexKey(key, f_.jet4, cols[ci], values[ci], ic.ascending);
      } catch (const UnsupportedKeyError& e) {
        throw UnsupportedKeyError("Table \"" + name_ + "\": " + e.what() + " Nothing was written.");
      }
    }
    if (allNull && ix.ignoreNulls()) continue;
    newEntries_[k].push_back(MakeLeafEntry(key, where.first, where.second));
    newEntryHasNull_[k].push_back(anyNull);
  }
  return where;
}

void TableAppender::Finish() {
  const auto& indexes = table_.realIndexes();
  for (std::size_t k = 0; k < indexes.size(); ++k) {
    if (newEntries_[k].empty()) continue;
    const auto& ix = indexes[k];
    IndexPages tree = ReadIndexTree(image_, ix.rootPage);
    std::vector<IndexEntry> all = std::move(tree.entries);
    const std::size_t oldCount = all.size();
    all.insert(all.end(), newEntries_[k].begin(), newEntries_[k].end());
    std::vector<bool> isNew(all.size(), false), hasNull(all.size(), false);
    for (std::size_t i = oldCount; i < all.size(); ++i) {
      isNew[i] = true;
      hasNull[i] = newEntryHasNull_[k][i - oldCount];
    }
    std::vector<std::size_t> order(all.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return all[a] < all[b]; });
    std::vector<IndexEntry> sorted;
    sorted.reserve(all.size());
    std::uint32_t distinct = 0;
    for (std::size_t i = 0; i < order.size(); ++i) {
      const IndexEntry& e = all[order[i]];
      bool sameKey = false;
      if (i > 0) {
        const IndexEntry& p = all[order[i - 1]];
        sameKey = p.size() == e.size() && std::equal(p.begin(), p.end() - 4, e.begin());
      }
      if (!sameKey) ++distinct;
      // A new key equal to another is refused on a unique index, unless it
      // holds a NULL (equal bytes mean the other key holds the same NULL).
      const bool clash = sameKey && ix.unique() && (isNew[order[i]] || isNew[order[i - 1]]);
      if (clash && !(hasNull[order[i]] || hasNull[order[i - 1]]))
        throw WriteError("Table \"" + name_ + "\": a new row repeats a value of a unique index; nothing was written.");
      sorted.push_back(e);
    }
    const std::uint32_t mapPtr = ix.usageMap;
    auto allocate = [&]() {
      const std::uint32_t n = image_.allocatePage();
      if (mapPtr) UsageMapEdit(image_, mapPtr).add(n);
      return n;
    };
    auto release = [&](std::uint32_t n) {
      if (mapPtr) UsageMapEdit(image_, mapPtr).remove(n);
      image_.freePage(n);
    };
    const std::uint32_t root = WriteIndexTree(image_, table_.page(), sorted, tree.pages, allocate, release);
    if (root != ix.rootPage) table_.setIndexRoot(k, root);
    table_.setUniqueCount(k, distinct);
  }
  table_.setRowCount(table_.rowCount() + appended_);
  if (lastAuto_ != table_.lastAutoNumber()) table_.setLastAutoNumber(lastAuto_);
  for (auto& e : newEntries_) e.clear();
  for (auto& e : newEntryHasNull_) e.clear();
  appended_ = 0;
}

}  // namespace jet
