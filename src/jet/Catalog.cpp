#include "jet/Catalog.h"

#include "jet/RowCodec.h"
#include "jet/TableDefinition.h"
#include "jet/TableScan.h"

#include <unordered_map>

namespace jet {

bool CatalogEntry::isSystem() const {
  return (flags & kSystemObjectFlags) != 0 || (name.size() >= 4 && EqualsIgnoreCase(name.substr(0, 4), "MSys"));
}

std::vector<CatalogEntry> ReadCatalog(const PageFile& file) {
  TableDefinition def(file, kCatalogPage);
  const Column* id = def.column("Id");
  const Column* parent = def.column("ParentId");
  const Column* name = def.column("Name");
  const Column* type = def.column("Type");
  const Column* flags = def.column("Flags");
  if (!id || !name || !type)
    ThrowDamaged(kCatalogPage, "the system catalog lacks its Id, Name or Type column");
  auto indexOf = [&](const Column* c) -> long { return c ? long(c - def.columns().data()) : -1; };
  const long iId = indexOf(id), iParent = indexOf(parent), iName = indexOf(name), iType = indexOf(type),
             iFlags = indexOf(flags);

  RowCodec codec(file, def);
  TableScan scan(file, def);
  std::vector<FieldSlice> slices;
  Value v;
  std::vector<CatalogEntry> entries;
  while (scan.next()) {
    codec.split(scan.row(), scan.location().page, slices);
    CatalogEntry e;
    auto integer = [&](long i) -> std::int64_t {
      if (i < 0) return 0;
      codec.decodeField(def.columns()[i], slices[i], scan.location().page, v);
      return v.kind == ValueKind::Integer ? v.integer : 0;
    };
    e.id = std::int32_t(integer(iId));
    e.parentId = std::int32_t(integer(iParent));
    e.type = int(integer(iType) & 0x7F);
    e.flags = std::uint32_t(integer(iFlags));
    codec.decodeField(*name, slices[iName], scan.location().page, v);
    if (v.kind == ValueKind::Text) e.name = v.data;
    entries.push_back(std::move(e));
  }
  // Two tables on one definition page is damage (and would make every
  // reader of the catalog read that table twice).
  std::unordered_map<std::uint32_t, const CatalogEntry*> byPage;
  for (const auto& e : entries) {
    if (!e.isTable()) continue;
    auto [it, fresh] = byPage.emplace(e.tdefPage(), &e);
    if (!fresh)
      ThrowDamaged(kCatalogPage, "the system catalog lists both " + it->second->name + " and " + e.name +
                                     " on table definition page " + std::to_string(e.tdefPage()));
  }
  return entries;
}

}  // namespace jet
