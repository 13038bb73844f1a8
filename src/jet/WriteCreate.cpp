#include "jet/WriteCreate.h"

#include "jet/IndexTree.h"
#include "jet/TableAppender.h"
#include "jet/WriteCatalog.h"
#include "jet/WriteDataPage.h"
#include "jet/WriteError.h"
#include "jet/WriteText.h"
#include "jet/TableDefinition.h"

#include <chrono>
#include <ctime>
#include <cstring>

namespace jet {

using namespace wbytes;

namespace {

constexpr std::uint32_t kTdefMagic = 1625;        // TDEF and column "magic"
constexpr std::uint32_t kRealIndexMagic = 1923;
constexpr std::uint32_t kInlineMapRowBytes = 69;  // 512 pages, as Access sizes them
constexpr std::uint32_t kTablesId = 0x0F000001, kDatabasesId = 0x0F000002, kRelationshipsId = 0x0F000003,
                        kRootId = 0x0F000000, kMsysDbId = 0x10000000;
constexpr std::uint32_t kSystemFlags = 0x80000000;

// Flags of the column descriptor.
constexpr std::uint8_t kFixed = 0x01, kNullable = 0x02, kAutoLong = 0x04, kSystemColumn = 0x10;

// The map rows of new tables go onto usage-map pages (data pages owned by
// no table); a page that fills up is followed by a fresh one.
class MapRows {
 public:
  explicit MapRows(WriteImage& image) : image_(image) {}
  std::uint32_t add(const std::vector<std::uint8_t>& row) {
    if (page_ != 0) {
      DataPageView p(image_, page_);
      if (p.canHold(row.size())) return rowPointer(page_, p.addRow(row));
    }
    page_ = image_.allocatePage();
    DataPageView::Initialize(image_, page_, 0);
    DataPageView p(image_, page_);
    return rowPointer(page_, p.addRow(row));
  }
  std::uint32_t addEmptyInline() { return add(std::vector<std::uint8_t>(kInlineMapRowBytes, 0)); }
  // Continues on the last map page found in an existing image.
  void resume(std::uint32_t page) { page_ = page; }

 private:
  WriteImage& image_;
  std::uint32_t page_ = 0;
};

void appendName(std::vector<std::uint8_t>& b, const std::string& name) {
  const std::u16string u = Utf8ToUtf16(name);
  append16(b, std::uint32_t(u.size() * 2));
  for (char16_t c : u) append16(b, c);
}

struct ColumnLayout {
  std::uint8_t type;
  std::uint16_t number, varSlot, fixedOffset, length;
  std::uint8_t flags, extFlags;
};

std::uint16_t fixedLength(ColumnType t) {
  switch (t) {
    case ColumnType::Boolean: return 1;
    case ColumnType::Byte: return 1;
    case ColumnType::Int: return 2;
    case ColumnType::Long: return 4;
    case ColumnType::Float: return 4;
    case ColumnType::Money:
    case ColumnType::Double:
    case ColumnType::DateTime: return 8;
    case ColumnType::Guid: return 16;
    default: return 0;
  }
}

// Writes the TDEF of `spec` on `tdefPage` (J4 layout) with its maps and empty
// index roots. `system` marks MSys tables (type 'S', column flag 0x10, names
// never compressed).
void writeDefinition(WriteImage& image, std::uint32_t tdefPage, const TableSpec& spec, bool system, MapRows& maps) {
  const WriteFormat& f = image.format();
  const std::size_t ncols = spec.columns.size();
  if (ncols == 0 || ncols > 255) throw WriteError("Table \"" + spec.name + "\" needs 1 to 255 columns.");
  std::vector<ColumnLayout> layout(ncols);
  std::uint16_t fixedOffset = 0, varSlot = 0;
  for (std::size_t i = 0; i < ncols; ++i) {
    const auto& c = spec.columns[i];
    ColumnLayout& l = layout[i];
    l.type = std::uint8_t(c.type);
    l.number = std::uint16_t(i);
    l.flags = system ? kSystemColumn : 0;
    l.extFlags = 0;
    const std::uint16_t fl = fixedLength(c.type);
    if (fl != 0) {
      l.flags |= kFixed;
      if (!c.required) l.flags |= kNullable;
      if (c.autoNumber) {
        if (c.type != ColumnType::Long) throw WriteError("Only a LONG column can be an autonumber.");
        l.flags |= kAutoLong;
      }
      l.length = fl;
      l.varSlot = 0;
      l.fixedOffset = c.type == ColumnType::Boolean ? 0 : fixedOffset;
      if (c.type != ColumnType::Boolean) fixedOffset = std::uint16_t(fixedOffset + fl);
    } else {
      if (!c.required) l.flags |= kNullable;
      l.varSlot = varSlot++;
      l.fixedOffset = 0;
      switch (c.type) {
        case ColumnType::Text:
          if (c.length == 0 || c.length > 255) throw WriteError("Column \"" + c.name + "\": text length must be 1 to 255.");
          l.length = std::uint16_t(c.length * 2);
          if (!system) l.extFlags = 0x01;  // compressed unicode allowed
          break;
        case ColumnType::Binary:
          l.length = c.length ? c.length : 255;
          break;
        case ColumnType::Memo:
          l.length = 0;
          if (!system) l.extFlags = 0x01;
          break;
        case ColumnType::Ole:
          l.length = 0;
          break;
        default:
          throw WriteError("Column \"" + c.name + "\": this column type cannot be created.");
      }
    }
  }
  auto columnNumber = [&](const std::string& name) -> std::uint16_t {
    for (std::size_t i = 0; i < ncols; ++i)
      if (EqualsIgnoreCase(spec.columns[i].name, name)) return std::uint16_t(i);
    throw WriteError("Index names an unknown column \"" + name + "\".");
  };

  // Maps: owned pages, pages with free space, one per index, two per long-value column.
  const std::uint32_t owned = maps.addEmptyInline();
  const std::uint32_t freeMap = maps.addEmptyInline();
  std::vector<std::uint32_t> indexMaps, roots;
  for (std::size_t k = 0; k < spec.indexes.size(); ++k) {
    const std::uint32_t m = maps.addEmptyInline();
    const std::uint32_t root = image.allocatePage();
    WriteEmptyLeaf(image, root, tdefPage);
    indexMaps.push_back(m);
    roots.push_back(root);
  }
  for (std::uint32_t k = 0; k < roots.size(); ++k) {
    // The index's own map lists its pages.
    DataPageView mp(image, indexMaps[k] >> 8);
    auto row = mp.row(indexMaps[k] & 0xFF);
    put32(row.data() + 1, (roots[k] / 8) * 8);
    const std::uint32_t bit = roots[k] - (roots[k] / 8) * 8;
    row[5 + bit / 8] |= std::uint8_t(1u << (bit % 8));
    mp.overwriteRow(indexMaps[k] & 0xFF, row);
  }
  std::vector<std::pair<std::uint16_t, std::pair<std::uint32_t, std::uint32_t>>> lvMaps;
  for (std::size_t i = 0; i < ncols; ++i)
    if (spec.columns[i].type == ColumnType::Memo || spec.columns[i].type == ColumnType::Ole) {
      const std::uint32_t o = maps.addEmptyInline();
      const std::uint32_t fr = maps.addEmptyInline();
      lvMaps.push_back({std::uint16_t(i), {o, fr}});
    }

  std::vector<std::uint8_t> b(f.tdefHeaderEnd, 0);
  b[0] = 0x02;
  b[1] = 0x01;
  put32(b.data() + 12, kTdefMagic);
  b[24] = 0x01;  // autonumber flag, then 15 zero bytes
  b[f.tdefTableType] = system ? 0x53 : 0x4E;
  put16(b.data() + f.tdefMaxCols, std::uint32_t(ncols));
  put16(b.data() + f.tdefNumVarCols, varSlot);
  put16(b.data() + f.tdefNumCols, std::uint32_t(ncols));
  put32(b.data() + f.tdefNumLogicalIdx, std::uint32_t(spec.indexes.size()));
  put32(b.data() + f.tdefNumRealIdx, std::uint32_t(spec.indexes.size()));
  put32(b.data() + f.tdefOwnedMap, owned);
  put32(b.data() + f.tdefFreeMap, freeMap);
  for (std::size_t k = 0; k < spec.indexes.size(); ++k) b.insert(b.end(), 12, 0);
  for (std::size_t i = 0; i < ncols; ++i) {
    const ColumnLayout& l = layout[i];
    std::vector<std::uint8_t> d(f.columnSize, 0);
    d[f.colType] = l.type;
    put32(d.data() + 1, kTdefMagic);
    put16(d.data() + f.colNum, l.number);
    put16(d.data() + f.colVarSlot, l.varSlot);
    put16(d.data() + f.colRowNum, l.number);
    put16(d.data() + f.colSortOrder, 0x0409);  // General, version 0
    d[f.colFlags] = l.flags;
    d[f.colExtFlags] = l.extFlags;
    put16(d.data() + f.colFixedOffset, l.fixedOffset);
    put16(d.data() + f.colLength, l.length);
    b.insert(b.end(), d.begin(), d.end());
  }
  for (const auto& c : spec.columns) appendName(b, c.name);
  for (std::size_t k = 0; k < spec.indexes.size(); ++k) {
    const auto& ix = spec.indexes[k];
    if (ix.columns.empty() || ix.columns.size() > 10) throw WriteError("Index \"" + ix.name + "\" needs 1 to 10 columns.");
    std::vector<std::uint8_t> d(f.realIndexSize, 0);
    put32(d.data(), kRealIndexMagic);
    for (int s = 0; s < 10; ++s) {
      if (std::size_t(s) < ix.columns.size()) {
        put16(d.data() + f.riColumns + 3 * s, columnNumber(ix.columns[s].first));
        d[f.riColumns + 3 * s + 2] = ix.columns[s].second ? 0x01 : 0x00;
      } else {
        put16(d.data() + f.riColumns + 3 * s, 0xFFFF);
      }
    }
    put32(d.data() + f.riUsageMap, indexMaps[k]);
    put32(d.data() + f.riRootPage, roots[k]);
    std::uint8_t flags = 0x80;  // set on every Jet 4 index
    if (ix.unique || ix.primaryKey) flags |= 0x01;
    if (ix.ignoreNulls) flags |= 0x02;
    if (ix.primaryKey) flags |= 0x08;
    d[f.riFlags] = flags;
    b.insert(b.end(), d.begin(), d.end());
  }
  for (std::size_t k = 0; k < spec.indexes.size(); ++k) {
    std::vector<std::uint8_t> d(f.logicalIndexSize, 0);
    put32(d.data(), kTdefMagic);
    put32(d.data() + 4, std::uint32_t(k));
    put32(d.data() + f.liRealNumber, std::uint32_t(k));
    put32(d.data() + 13, 0xFFFFFFFF);  // no related index
    d[21] = 0x04;                      // as Access writes them
    d[22] = 0x04;
    d[f.liIndexType] = spec.indexes[k].primaryKey ? 1 : 0;
    b.insert(b.end(), d.begin(), d.end());
  }
  for (const auto& ix : spec.indexes) appendName(b, ix.name);
  for (const auto& [col, m] : lvMaps) {
    append16(b, col);
    append32(b, m.first);
    append32(b, m.second);
  }
  append16(b, 0xFFFF);
  put32(b.data() + 8, std::uint32_t(b.size()));
  if (b.size() + 8 > f.pageSize) throw WriteError("Table \"" + spec.name + "\" has too large a definition for one page.");
  put16(b.data() + 2, std::uint32_t(f.pageSize - b.size() - 8));
  std::uint8_t* p = image.page(tdefPage);
  std::memset(p, 0, f.pageSize);
  std::memcpy(p, b.data(), b.size());
}

TableSpec catalogSpec() {
  using T = ColumnType;
  return {"MSysObjects",
          {{"Id", T::Long}, {"ParentId", T::Long}, {"Name", T::Text, 255}, {"Type", T::Int},
           {"DateCreate", T::DateTime}, {"DateUpdate", T::DateTime}, {"Owner", T::Binary, 255},
           {"Flags", T::Long}, {"Database", T::Memo}, {"Connect", T::Memo}, {"ForeignName", T::Text, 255},
           {"RmtInfoShort", T::Binary, 255}, {"RmtInfoLong", T::Ole}, {"Lv", T::Ole}, {"LvProp", T::Ole},
           {"LvModule", T::Ole}, {"LvExtra", T::Ole}},
          {{"ParentIdName", {{"ParentId", true}, {"Name", true}}, true},
           {"Id", {{"Id", true}}, true, true}}};
}

TableSpec acesSpec() {
  using T = ColumnType;
  return {"MSysACEs",
          {{"ObjectId", T::Long}, {"SID", T::Binary, 255}, {"ACM", T::Long}, {"FInheritable", T::Boolean}},
          {{"ObjectId", {{"ObjectId", true}}}}};
}

TableSpec queriesSpec() {
  using T = ColumnType;
  return {"MSysQueries",
          {{"ObjectId", T::Long}, {"Attribute", T::Byte}, {"Order", T::Binary, 255}, {"Name1", T::Text, 255},
           {"Name2", T::Text, 255}, {"Expression", T::Memo}, {"Flag", T::Int}, {"LvExtra", T::Long}},
          {{"ObjectIdAttribute", {{"ObjectId", true}, {"Attribute", true}, {"Order", true}}}}};
}

TableSpec relationshipsSpec() {
  using T = ColumnType;
  return {"MSysRelationships",
          {{"szRelationship", T::Text, 255}, {"grbit", T::Long}, {"ccolumn", T::Long}, {"icolumn", T::Long},
           {"szObject", T::Text, 255}, {"szColumn", T::Text, 255}, {"szReferencedObject", T::Text, 255},
           {"szReferencedColumn", T::Text, 255}},
          {{"szObject", {{"szObject", true}}, false, false, true},
           {"szReferencedObject", {{"szReferencedObject", true}}, false, false, true},
           {"szRelationship", {{"szRelationship", true}}, false, false, true}}};
}

// Security identifiers as new Access files carry them (observed values):
// the owner of system objects, the admin user, the users and admins groups.
std::vector<std::uint8_t> sid(std::initializer_list<int> bytes) {
  std::vector<std::uint8_t> out;
  for (int b : bytes) out.push_back(std::uint8_t(b));
  return out;
}
const std::vector<std::uint8_t> kSystemOwner = sid({0xA7, 0x31});
const std::vector<std::uint8_t> kAdminUser = sid({0xA6, 0x33});
const std::vector<std::uint8_t> kAdminsGroup = sid({0xA7, 0x33});
const std::vector<std::uint8_t> kUsersGroup = sid({0xA7, 0x36});
const std::vector<std::uint8_t> kWorkgroupAdmins =
    sid({0xA4, 0xF7, 0x46, 0x67, 0xE1, 0x71, 0x67, 0xEE, 0xD7, 0xB1, 0x0F, 0x8F, 0xFE, 0xEF, 0x76,
         0xFF, 0xAA, 0xE3, 0x66, 0x51, 0x05, 0xBD, 0xD2, 0x9D, 0x4D, 0x4B, 0x39, 0x52, 0xD9, 0xFB,
         0x9A, 0x07, 0x66, 0x0C, 0x5B, 0xD2, 0xD8, 0x7D, 0xDD, 0xB3, 0x1E, 0x65, 0x90, 0x19});

struct Ace {
  const std::vector<std::uint8_t>* sid;
  std::int64_t accessMask;
  bool inheritable;
};

// MSysACEs rows: who may do what with an object.
void addAces(WriteImage& image, std::uint32_t objectId, const std::vector<Ace>& aces) {
  const auto acesPage = FindTablePage(image, "MSysACEs");
  if (!acesPage) return;  // a file without access rights (as some tools write them)
  TableAppender table(image, *acesPage, "MSysACEs");
  for (const auto& a : aces) {
    std::vector<FieldValue> v(table.table().columns().size());
    v[table.columnIndex("ObjectId")] = std::int64_t(std::int32_t(objectId));
    v[table.columnIndex("SID")] = *a.sid;
    v[table.columnIndex("ACM")] = a.accessMask;
    v[table.columnIndex("FInheritable")] = a.inheritable;
    table.Append(std::move(v));
  }
  table.Finish();
}

// The catalog row of one object.
void addCatalogRow(WriteImage& image, std::uint32_t id, std::uint32_t parent, const std::string& name,
                   std::int64_t type, std::uint32_t flags, double date, const std::vector<std::uint8_t>& owner) {
  TableAppender catalog(image, kCatalogPage, "MSysObjects");
  std::vector<FieldValue> v(catalog.table().columns().size());
  v[catalog.columnIndex("Id")] = std::int64_t(std::int32_t(id));
  v[catalog.columnIndex("ParentId")] = std::int64_t(std::int32_t(parent));
  v[catalog.columnIndex("Name")] = name;
  v[catalog.columnIndex("Type")] = type;
  v[catalog.columnIndex("DateCreate")] = date;
  v[catalog.columnIndex("DateUpdate")] = date;
  v[catalog.columnIndex("Flags")] = std::int64_t(std::int32_t(flags));
  v[catalog.columnIndex("Owner")] = owner;
  catalog.Append(std::move(v));
  catalog.Finish();
}

std::vector<std::uint8_t> plainHeader(std::string_view password, double date) {
  std::vector<std::uint8_t> h(4096, 0);
  const std::uint8_t start[4] = {0x00, 0x01, 0x00, 0x00};
  std::memcpy(h.data(), start, 4);
  std::memcpy(h.data() + 4, "Standard Jet DB", 16);
  h[0x14] = 0x01;  // Jet 4
  const std::uint8_t constants[24] = {0x00, 0x01, 0x00, 0x00, 0x01, 0x01, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00,
                                      0x03, 0x00, 0x00, 0x00, 0x04, 0x00, 0x00, 0x00, 0x05, 0x00, 0x00, 0x00};
  std::memcpy(h.data() + 0x18, constants, 24);
  put16(h.data() + 0x3C, 1252);
  put32(h.data() + 0x3E, 0);  // pages not encoded
  put32(h.data() + 0x6A, 0x21AA);  // observed in new files; meaning unknown
  put16(h.data() + 0x6E, 0x0409);  // General sort order, version 0
  std::memcpy(h.data() + 0x72, &date, 8);
  // Password: 20 UCS-2 characters, masked with the creation date's integer part.
  const std::u16string pw = Utf8ToUtf16(password);
  if (pw.size() > 20) throw WriteError("A database password has at most 20 characters.");
  std::uint8_t field[40] = {};
  for (std::size_t i = 0; i < pw.size(); ++i) put16(field + 2 * i, pw[i]);
  std::uint8_t mask[4];
  put32(mask, std::uint32_t(std::int32_t(date)));
  for (int i = 0; i < 40; ++i) h[0x42 + i] = field[i] ^ mask[i % 4];
  const std::uint8_t tag[8] = {0x54, 0x06, 0x00, 0x00, '4', '.', '0', 0x00};
  std::memcpy(h.data() + 0x98, tag, 8);
  // Observed tail of page 0 in new files.
  h[0xE00] = 0x01;
  h[0xE01] = 0x01;
  for (std::size_t i = 0xE03; i < 4096; i += 2) h[i] = 0x01;
  return h;
}

}  // namespace

double CurrentJetDate() {
  // Access stores local time.
  using namespace std::chrono;
  const auto now = system_clock::now();
  const std::time_t t = system_clock::to_time_t(now);
  std::tm local{};
  ::localtime_r(&t, &local);
  const double seconds = duration<double>(now.time_since_epoch()).count() + double(local.tm_gmtoff);
  return seconds / 86400.0 + 25569.0;  // 1970-01-01 is day 25569
}

WriteImage NewDatabaseImage(std::string_view password, double date) {
  WriteImage image = WriteImage::Fresh(WriteFormat::jet4Format(), 2);
  image.setPlainHeader(plainHeader(password, date));
  // Page 1: the global map (every page free until allocated) and an empty map.
  DataPageView::Initialize(image, 1, 1);
  {
    DataPageView p1(image, 1);
    std::vector<std::uint8_t> global(kInlineMapRowBytes, 0xFF);
    global[0] = 0;
    put32(global.data() + 1, 0);
    global[5] &= 0xFC;  // pages 0 and 1 are in use
    p1.addRow(global);
    p1.addRow(std::vector<std::uint8_t>(kInlineMapRowBytes, 0));
  }
  const std::uint32_t catalogPage = image.allocatePage();  // 2
  const std::uint32_t acesPage = image.allocatePage();     // 3
  const std::uint32_t queriesPage = image.allocatePage();  // 4
  const std::uint32_t relsPage = image.allocatePage();     // 5
  MapRows maps(image);
  writeDefinition(image, catalogPage, catalogSpec(), true, maps);
  writeDefinition(image, acesPage, acesSpec(), true, maps);
  writeDefinition(image, queriesPage, queriesSpec(), true, maps);
  writeDefinition(image, relsPage, relationshipsSpec(), true, maps);
  const auto& sys = kSystemOwner;
  addCatalogRow(image, kTablesId, kRootId, "Tables", 3, kSystemFlags, date, sys);
  addCatalogRow(image, kDatabasesId, kRootId, "Databases", 3, kSystemFlags, date, sys);
  addCatalogRow(image, kRelationshipsId, kRootId, "Relationships", 3, kSystemFlags, date, sys);
  addCatalogRow(image, kMsysDbId, kDatabasesId, "MSysDb", 2, kSystemFlags, date, kAdminUser);
  addCatalogRow(image, catalogPage, kTablesId, "MSysObjects", 1, kSystemFlags, date, sys);
  addCatalogRow(image, acesPage, kTablesId, "MSysACEs", 1, kSystemFlags, date, sys);
  addCatalogRow(image, queriesPage, kTablesId, "MSysQueries", 1, kSystemFlags, date, sys);
  addCatalogRow(image, relsPage, kTablesId, "MSysRelationships", 1, kSystemFlags, date, sys);
  const auto* admin = &kAdminUser;
  const auto* admins = &kAdminsGroup;
  const auto* users = &kUsersGroup;
  const auto* group = &kWorkgroupAdmins;
  addAces(image, kTablesId, {{users, 983294, true}, {admin, 1048319, true}, {group, 1048319, true}, {admins, 1048319, true}});
  addAces(image, kDatabasesId, {{admin, 393216, false}});
  addAces(image, kRelationshipsId,
          {{users, 983294, true}, {admin, 393217, false}, {group, 1048575, true}, {admins, 1048575, true}});
  addAces(image, kMsysDbId, {{admin, 393230, false}, {admins, 14, false}, {group, 393230, false}});
  addAces(image, catalogPage, {{admin, 393216, false}, {group, 393300, false}, {admins, 20, false}});
  addAces(image, acesPage, {{admin, 393216, false}, {group, 393300, false}});
  addAces(image, queriesPage, {{admin, 393216, false}, {group, 393236, false}, {admins, 20, false}});
  addAces(image, relsPage, {{admin, 917504, false}, {group, 393236, false}, {admins, 20, false}});
  return image;
}

std::uint32_t AddTable(WriteImage& image, const TableSpec& spec, double date) {
  if (!image.format().jet4) throw WriteError("Tables can only be created in Jet 4 files.");
  if (FindTablePage(image, spec.name)) throw WriteError("A table \"" + spec.name + "\" exists already.");
  const std::uint32_t tdef = image.allocatePage();
  MapRows maps(image);
  writeDefinition(image, tdef, spec, false, maps);
  addCatalogRow(image, tdef, kTablesId, spec.name, 1, 0, date, kAdminUser);
  addAces(image, tdef, {{&kAdminUser, 1048575, false}, {&kWorkgroupAdmins, 1048575, false}, {&kAdminsGroup, 1048575, false}});
  return tdef;
}

}  // namespace jet
