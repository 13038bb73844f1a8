#include "jet/WriteCatalog.h"

#include "jet/WriteDataPage.h"
#include "jet/WriteError.h"
#include "jet/WriteText.h"
#include "jet/WriteUsageMap.h"
#include "jet/TableDefinition.h"
#include "jet/Text.h"

#include <algorithm>
#include <cstring>

namespace jet {

using namespace wbytes;

namespace {
constexpr std::uint16_t kDeleted = 0x8000;
constexpr std::uint16_t kOverflow = 0x4000;
}  // namespace

void ScanTableRows(WriteImage& image, const WriteTableDef& table,
                   const std::function<void(const std::vector<std::uint8_t>&)>& visit) {
  if (table.ownedMap() == 0) return;
  auto pages = UsageMapEdit(image, table.ownedMap()).pages();
  std::sort(pages.begin(), pages.end());
  for (std::uint32_t n : pages) {
    if (n >= image.pageCount()) continue;
    const std::uint8_t* p = image.page(n);
    if (p[0] != 0x01 || get32(p + 4) != table.page()) continue;
    DataPageView page(image, n);
    for (std::uint32_t r = 0; r < page.rowCount(); ++r) {
      const std::uint16_t w = page.offsetWord(r);
      if (w & kDeleted) continue;
      if (w & kOverflow) {
        const auto ptr = page.row(r);
        if (ptr.size() < 4) throw WriteError("Data page " + std::to_string(n) + ": a short overflow pointer.");
        const std::uint32_t tp = get32(ptr.data()) >> 8, tr = ptr[0];
        DataPageView target(image, tp);
        if (tr >= target.rowCount()) throw WriteError("Data page " + std::to_string(n) + ": a dangling overflow pointer.");
        visit(target.row(tr));
        continue;
      }
      visit(page.row(r));
    }
  }
}

std::optional<std::int64_t> StoredInteger(const WriteColumn& c, const StoredCell& cell) {
  if (!cell) return std::nullopt;
  const auto& b = *cell;
  switch (ColumnType(c.type)) {
    case ColumnType::Byte:
      if (b.size() < 1) return std::nullopt;
      return b[0];
    case ColumnType::Int:
      if (b.size() < 2) return std::nullopt;
      return std::int16_t(get16(b.data()));
    case ColumnType::Long:
      if (b.size() < 4) return std::nullopt;
      return std::int32_t(get32(b.data()));
    default:
      return std::nullopt;
  }
}

namespace {

std::vector<std::uint8_t> readLongValue(WriteImage& image, const std::vector<std::uint8_t>& field) {
  if (field.size() < 12) throw WriteError("A long-value field is shorter than 12 bytes.");
  const std::uint32_t head = get32(field.data());
  const std::uint32_t len = head & 0x3FFFFFFF;
  std::vector<std::uint8_t> out;
  if (head & 0x80000000u) {
    if (12 + std::size_t(len) > field.size()) throw WriteError("An inline long value runs past its row.");
    return std::vector<std::uint8_t>(field.begin() + 12, field.begin() + 12 + len);
  }
  std::uint32_t ptr = get32(field.data() + 4);
  const bool single = head & 0x40000000u;
  int guard = 0;
  while (ptr != 0 && out.size() < len) {
    if (++guard > 100000) throw WriteError("A long-value chain loops.");
    DataPageView page(image, ptr >> 8);
    const auto row = page.row(ptr & 0xFF);
    if (single) {
      out.assign(row.begin(), row.begin() + std::min<std::size_t>(row.size(), len));
      break;
    }
    if (row.size() < 4) throw WriteError("A long-value row is shorter than its pointer.");
    out.insert(out.end(), row.begin() + 4, row.end());
    ptr = get32(row.data());
  }
  if (out.size() > len) out.resize(len);
  return out;
}

}  // namespace

std::optional<std::string> StoredText(WriteImage& image, const WriteColumn& c, const StoredCell& cell) {
  if (!cell) return std::nullopt;
  std::vector<std::uint8_t> bytes;
  if (ColumnType(c.type) == ColumnType::Memo)
    bytes = readLongValue(image, *cell);
  else if (ColumnType(c.type) == ColumnType::Text)
    bytes = *cell;
  else
    return std::nullopt;
  std::string text;
  if (image.format().jet4)
    AppendJet4Text(text, std::span<const std::uint8_t>(bytes));
  else
    AppendCodePageText(text, std::span<const std::uint8_t>(bytes), 1252);
  return text;
}

TextColumns ReadTextColumns(WriteImage& image, std::uint32_t tdefPage, const std::vector<std::string>& names) {
  WriteTableDef table(image, tdefPage);
  TextColumns out;
  std::vector<const WriteColumn*> cols;
  std::vector<std::size_t> index;
  for (const auto& n : names) {
    const WriteColumn* c = table.column(n);
    out.present.push_back(c != nullptr);
    cols.push_back(c);
    index.push_back(c ? std::size_t(c - table.columns().data()) : 0);
  }
  ScanTableRows(image, table, [&](const std::vector<std::uint8_t>& row) {
    auto cells = DecodeRow(image.format(), table, row);
    std::vector<std::optional<std::string>> values(names.size());
    for (std::size_t i = 0; i < names.size(); ++i)
      if (cols[i]) values[i] = StoredText(image, *cols[i], cells[index[i]]);
    out.rows.push_back(std::move(values));
  });
  return out;
}

std::optional<std::uint32_t> FindTablePage(WriteImage& image, std::string_view name) {
  WriteTableDef catalog(image, kCatalogPage);
  const WriteColumn* id = catalog.column("Id");
  const WriteColumn* nameCol = catalog.column("Name");
  const WriteColumn* type = catalog.column("Type");
  if (!id || !nameCol || !type) throw WriteError("The catalog (MSysObjects) lacks its Id, Name or Type column.");
  const auto& cols = catalog.columns();
  const std::size_t idI = std::size_t(id - cols.data()), nameI = std::size_t(nameCol - cols.data()),
                    typeI = std::size_t(type - cols.data());
  std::optional<std::uint32_t> found;
  ScanTableRows(image, catalog, [&](const std::vector<std::uint8_t>& row) {
    if (found) return;
    auto cells = DecodeRow(image.format(), catalog, row);
    auto t = StoredInteger(*type, cells[typeI]);
    if (!t || (*t & 0x7F) != 1) return;
    auto n = StoredText(image, *nameCol, cells[nameI]);
    if (!n || !EqualsIgnoreCase(*n, name)) return;
    auto page = StoredInteger(*id, cells[idI]);
    if (page) found = std::uint32_t(*page) & 0x00FFFFFF;
  });
  return found;
}

}  // namespace jet
