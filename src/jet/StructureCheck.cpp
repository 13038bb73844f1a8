#include "jet/StructureCheck.h"

#include "jet/Catalog.h"
#include "jet/DataPage.h"
#include "jet/IndexPage.h"
#include "jet/RowCodec.h"
#include "jet/TableDefinition.h"
#include "jet/TableScan.h"
#include "jet/UsageMap.h"

#include <unordered_set>

namespace jet {
namespace {

std::uint64_t RowKey(std::uint32_t page, std::uint32_t row) { return (std::uint64_t(page) << 16) | row; }

class Checker {
 public:
  explicit Checker(const PageFile& file) : file_(file) {}

  std::vector<Problem> run() {
    guard("the global usage map (page 1)", [&] { checkGlobalMap(); });
    std::vector<CatalogEntry> catalog;
    guard("the system catalog", [&] { catalog = ReadCatalog(file_); });
    for (const auto& e : catalog)
      if (e.isTable()) guard("table " + e.name, [&] { checkTable(e); });
    return std::move(problems_);
  }

 private:
  template <class F>
  void guard(const std::string& what, F&& f) {
    try {
      f();
    } catch (const Error& e) {
      problems_.push_back({e.page(), what + ": " + e.what()});
    }
  }
  void report(std::optional<std::uint32_t> page, std::string message) { problems_.push_back({page, std::move(message)}); }

  // Access writes page types no format description names (e.g. 0x09 on an
  // LVAL-like page) and pages outside the global map's window that it does
  // not mark free, so page types are checked where a structure points to a
  // page (TDEF chains, data, index and usage-map pages), not by a sweep.
  void checkGlobalMap() { UsageMap::ReadGlobal(file_); }

  void checkTable(const CatalogEntry& e) {
    const std::uint32_t tdef = e.tdefPage();
    TableDefinition def(file_, tdef);
    const std::string name = "table " + e.name;

    guard(name + ": free-space map", [&] { UsageMap::Read(file_, def.freeMap(), tdef); });
    guard(name + ": owned-pages map", [&] {
      UsageMap owned = UsageMap::Read(file_, def.ownedMap(), tdef);
      for (std::uint32_t p : owned.pages()) {
        Bytes bytes = file_.page(p);
        if (bytes[0] != std::uint8_t(PageType::Data) || Le32(&bytes[4]) != tdef)
          report(p, name + ": its owned-pages map lists page " + std::to_string(p) + ", which is not one of its data pages");
      }
      if (owned.pagesPastEnd() > 0)
        report(tdef, name + ": its owned-pages map lists " + std::to_string(owned.pagesPastEnd()) +
                         " pages past the end of the file");
    });

    std::unordered_set<std::uint64_t> liveRows;  // (page, slot) of every live row
    bool rowsRead = false;
    guard(name + ": rows", [&] {
      TableScan scan(file_, def);
      for (std::uint32_t p : scan.pages()) {
        DataPage page(file_, p);
        if (page.storedFreeSpace() != page.computedFreeSpace())
          report(p, name + ": data page " + std::to_string(p) + " records " + std::to_string(page.storedFreeSpace()) +
                        " free bytes, its rows leave " + std::to_string(page.computedFreeSpace()));
      }
      RowCodec codec(file_, def);
      std::vector<Value> values;
      std::uint64_t rows = 0;
      while (scan.next()) {
        codec.decode(scan.row(), scan.location().page, values);
        liveRows.insert(RowKey(scan.location().slotPage, scan.location().slot));
        ++rows;
      }
      rowsRead = true;
      // Access keeps the counts of its own system tables loosely (MSysACEs
      // counted 78 of 81 live rows in an Access 2003 file), so only user
      // tables are held to them.
      if (!e.isSystem() && rows != def.rowCount())
        report(tdef, name + ": the table definition counts " + std::to_string(def.rowCount()) + " rows, the table holds " +
                         std::to_string(rows));
    });

    for (const auto& lv : def.longValueMaps()) {
      const std::string what = name + ": long-value maps of column " + std::to_string(lv.columnNumber);
      if (lv.ownedMap) guard(what, [&] { UsageMap::Read(file_, lv.ownedMap, tdef); });
      if (lv.freeMap) guard(what, [&] { UsageMap::Read(file_, lv.freeMap, tdef); });
    }
    for (const auto& ri : def.realIndexes()) {
      const std::string what = name + ": index " + std::to_string(ri.number);
      if (ri.usageMap) guard(what + " usage map", [&] { UsageMap::Read(file_, ri.usageMap, tdef); });
      if (!ri.rootPage) continue;
      guard(what, [&] {
        std::vector<std::uint64_t> entries;
        checkIndexTree(ri.rootPage, tdef, what, entries);
        if (!rowsRead) return;
        // Leaves hold exactly the live rows (all of them unless the index
        // ignores NULL keys), each once.
        std::unordered_set<std::uint64_t> seen;
        std::size_t stale = 0, twice = 0;
        for (std::uint64_t e : entries) {
          if (!liveRows.count(e)) ++stale;
          else if (!seen.insert(e).second) ++twice;
        }
        if (stale)
          report(ri.rootPage, what + ": " + std::to_string(stale) + " index entries point to no live row");
        if (twice)
          report(ri.rootPage, what + ": " + std::to_string(twice) + " rows are indexed more than once");
        if (!ri.ignoreNulls() && seen.size() != liveRows.size())
          report(ri.rootPage, what + ": the index holds " + std::to_string(seen.size()) + " of the table's " +
                                  std::to_string(liveRows.size()) + " rows");
      });
    }
  }

  // Walks the B-tree from its root: every page an index page of this table,
  // no page reached twice, node children and leaf row pointers inside the file,
  // the recorded free space equal to the entries' end.
  void checkIndexTree(std::uint32_t root, std::uint32_t tdef, const std::string& what,
                      std::vector<std::uint64_t>& entries) {
    std::unordered_set<std::uint32_t> seen;
    // page, referrer, and for a child named by a node entry that entry (its
    // last entry must equal it).
    struct Pending {
      std::uint32_t page, referrer;
      std::vector<std::uint8_t> expectedLast;
    };
    std::vector<Pending> pending{{root, tdef, {}}};
    while (!pending.empty()) {
      Pending next = std::move(pending.back());
      pending.pop_back();
      const std::uint32_t n = next.page, referrer = next.referrer;
      if (!file_.valid(n)) {
        report(referrer, what + ": page " + std::to_string(referrer) + " points to index page " + std::to_string(n) +
                             ", past the end of the file");
        continue;
      }
      if (!seen.insert(n).second) {
        report(n, what + ": index page " + std::to_string(n) + " is reached twice (the tree loops)");
        continue;
      }
      IndexPage page(file_, n);
      if (page.owner() != tdef)
        report(n, what + ": index page " + std::to_string(n) + " belongs to table page " + std::to_string(page.owner()));
      if (page.storedFreeSpace() != page.computedFreeSpace())
        report(n, what + ": index page " + std::to_string(n) + " records " + std::to_string(page.storedFreeSpace()) +
                      " free bytes, its entries leave " + std::to_string(page.computedFreeSpace()));
      // Entries ascend (node entries compared without their child pointer).
      std::vector<std::uint8_t> previous, current;
      for (std::size_t i = 0; i < page.entryCount(); ++i) {
        current = page.fullEntry(i);
        if (!page.leaf()) current.resize(current.size() - 4);
        if (i > 0 && !(previous < current)) {
          report(n, what + ": index page " + std::to_string(n) + " holds entries out of order (entry " +
                        std::to_string(i) + ")");
          break;
        }
        previous.swap(current);
      }
      if (!next.expectedLast.empty() && page.entryCount() > 0) {
        std::vector<std::uint8_t> last = page.fullEntry(page.entryCount() - 1);
        if (!page.leaf()) last.resize(last.size() - 4);
        if (last != next.expectedLast)
          report(n, what + ": the entry on page " + std::to_string(referrer) + " naming index page " +
                        std::to_string(n) + " differs from that page's last entry");
      }
      for (std::size_t i = 0; i < page.entryCount(); ++i) {
        if (page.leaf()) {
          RowPointer r = page.rowPointer(i);
          entries.push_back(RowKey(r.page, r.row));
          if (!file_.valid(r.page))
            report(n, what + ": leaf entry " + std::to_string(i) + " points to page " + std::to_string(r.page) +
                          ", past the end of the file");
        } else {
          std::vector<std::uint8_t> entry = page.fullEntry(i);
          entry.resize(entry.size() - 4);
          pending.push_back({page.childPage(i), n, std::move(entry)});
        }
      }
      if (!page.leaf() && page.tailPage() != 0) pending.push_back({page.tailPage(), n, {}});
    }
  }

  const PageFile& file_;
  std::vector<Problem> problems_;
};

}  // namespace

std::vector<Problem> CheckStructure(const PageFile& file) { return Checker(file).run(); }

}  // namespace jet
