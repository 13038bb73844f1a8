// Appends rows to one table of a database image: values are checked and
// encoded, long values written to LVAL pages, rows placed on the table's
// last page with room or on a new page (global, owned and free-space maps
// kept), and at Finish() every index is laid out again with the new entries
// and the TDEF's row count, autonumber and unique-key counts are updated.
// Any error leaves the image half changed: callers drop the image then (the
// file on disk is only replaced after a whole operation succeeded).
#pragma once

#include "jet/IndexTree.h"
#include "jet/WriteImage.h"
#include "jet/WriteTableDef.h"
#include "jet/WriteValue.h"

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace jet {

class TableAppender {
 public:
  TableAppender(WriteImage& image, std::uint32_t tdefPage, std::string tableName);

  const WriteTableDef& table() const { return table_; }
  // Column index (in table().columns()) by name, case-insensitive; throws for an unknown name.
  std::size_t columnIndex(std::string_view name) const;

  // One row; `values` indexed like table().columns() (missing trailing values are NULL).
  // Returns the row's position as (page, row).
  std::pair<std::uint32_t, std::uint8_t> Append(std::vector<FieldValue> values);
  // Writes the indexes and the TDEF counters.
  void Finish();

 private:
  std::optional<std::vector<std::uint8_t>> encodeFixed(const WriteColumn& c, const FieldValue& v) const;
  std::vector<std::uint8_t> encodeText(const WriteColumn& c, const std::string& text) const;
  std::vector<std::uint8_t> writeLongValue(const WriteColumn& c, const std::vector<std::uint8_t>& data);
  std::pair<std::uint32_t, std::uint8_t> placeLongValueRow(const WriteColumn& c, const std::vector<std::uint8_t>& row);
  std::pair<std::uint32_t, std::uint8_t> placeRow(const std::vector<std::uint8_t>& row);
  std::uint32_t newPage();

  WriteImage& image_;
  const WriteFormat& f_;
  WriteTableDef table_;
  std::string name_;
  std::uint32_t currentPage_ = 0;
  std::uint32_t appended_ = 0;
  std::uint32_t lastAuto_ = 0;
  std::map<std::uint16_t, std::uint32_t> lvPage_;  // column number -> LVAL page in use
  std::vector<std::vector<IndexEntry>> newEntries_;  // per real index
  std::vector<std::vector<bool>> newEntryHasNull_;   // a key column is NULL: never a duplicate

  // Relationships that enforce referential integrity, seen from the foreign
  // table: a new row's key must exist in the primary table's index.
  struct ForeignKeyCheck {
    std::vector<std::uint16_t> columns;  // this table's column numbers
    std::vector<bool> ascending;         // as the primary table's index orders them
    std::uint32_t primaryTable = 0;
    std::set<std::vector<std::uint8_t>> primaryKeys;
  };
  std::vector<ForeignKeyCheck> foreignKeys_;
  void loadForeignKeys();
  void checkForeignKeys(const std::vector<FieldValue>& values) const;
};

}  // namespace jet
