// Creating a new Jet 4 database and new tables in it.
//
// A new database is laid out as the Jet engine lays one out: page 0 the
// header (with the database password), page 1 the global usage map (row 0)
// and an empty map (row 1), pages 2-5 the TDEFs of MSysObjects, MSysACEs,
// MSysQueries and MSysRelationships, then a usage-map page, the empty root
// leaves of their indexes, and the catalog's data pages. The catalog holds
// the containers Tables, Databases and Relationships, MSysDb and the four
// system tables; every table added later gets its catalog row (Type 1) with
// the catalog's indexes maintained like any other insert.
#pragma once

#include "jet/WriteImage.h"
#include "jet/WriteTableDef.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace jet {

struct ColumnSpec {
  std::string name;
  ColumnType type;
  std::uint16_t length = 0;  // characters for TEXT, bytes for BINARY; fixed types ignore it
  bool autoNumber = false;   // LONG only
  bool required = false;
};

struct IndexSpec {
  std::string name;
  std::vector<std::pair<std::string, bool>> columns;  // column name, ascending
  bool unique = false;
  bool primaryKey = false;
  bool ignoreNulls = false;
};

struct TableSpec {
  std::string name;
  std::vector<ColumnSpec> columns;
  std::vector<IndexSpec> indexes;
};

// Days since 1899-12-30 for the current time (the header and catalog dates).
double CurrentJetDate();

// A fresh Jet 4 database image holding only the system tables.
WriteImage NewDatabaseImage(std::string_view password, double creationDate);

// Adds a user table (TDEF, maps, empty index roots, catalog row); returns its TDEF page.
std::uint32_t AddTable(WriteImage& image, const TableSpec& spec, double creationDate);

}  // namespace jet
