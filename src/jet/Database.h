// An open Access (Jet 3 / Jet 4) database for reading: the page file, its
// header, the catalog, and the tables by name.
//
//   auto db = jet::Database::Open(path, password);   // checks the password
//   jet::Table t = db->table("Runes");
//   t.forEachRow([&](const std::vector<jet::Value>& row) { ... });
#pragma once

#include "jet/Catalog.h"
#include "jet/Error.h"
#include "jet/PageFile.h"
#include "jet/RowCodec.h"
#include "jet/TableDefinition.h"
#include "jet/TableScan.h"
#include "jet/Value.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace jet {

// One table of an open database. It refers to the Database's pages, so it
// must not outlive the Database it came from.
class Table {
 public:
  Table(const PageFile& file, std::string name, std::uint32_t tdefPage)
      : file_(&file), name_(std::move(name)), definition_(std::make_shared<TableDefinition>(file, tdefPage)) {}

  const std::string& name() const { return name_; }
  const TableDefinition& definition() const { return *definition_; }
  const std::vector<Column>& columns() const { return definition_->columns(); }

  // Calls visit(const std::vector<Value>&) for each live row, in scan order.
  // The vector is reused between calls.
  template <class Visit>
  void forEachRow(Visit&& visit) const {
    TableScan scan(*file_, *definition_);
    RowCodec codec(*file_, *definition_);
    std::vector<Value> values;
    while (scan.next()) {
      codec.decode(scan.row(), scan.location().page, values);
      visit(static_cast<const std::vector<Value>&>(values));
    }
  }

 private:
  const PageFile* file_;
  std::string name_;
  std::shared_ptr<TableDefinition> definition_;
};

class Database {
 public:
  // Opens the file and checks `password` (exact, case-sensitive; a file
  // without a password opens with any). Throws jet::Error; a wrong password
  // gives ErrorKind::WrongPassword with the message "Not a valid password.".
  static std::shared_ptr<Database> Open(const std::string& path, std::string_view password);
  static std::shared_ptr<Database> FromBytes(std::vector<std::uint8_t> bytes, std::string_view password,
                                             std::string name = "(memory)");

  const std::string& path() const { return file_.path(); }
  const PageFile& file() const { return file_; }
  const Header& header() const { return file_.header(); }
  const Format& format() const { return file_.format(); }

  const std::vector<CatalogEntry>& catalog() const { return catalog_; }
  // User tables (type 1, not system), in catalog order.
  std::vector<CatalogEntry> userTables() const;
  // A table of any kind (user or system) by name, case-insensitive; nullptr if none.
  const CatalogEntry* findTable(std::string_view name) const;
  // The table by name; throws NotFound ("no table NAME in FILE").
  Table table(std::string_view name) const;

 private:
  explicit Database(PageFile file);
  PageFile file_;
  std::vector<CatalogEntry> catalog_;
};

}  // namespace jet
