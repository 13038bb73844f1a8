// The dictionary's access layer: where the file lives, how it is opened, and
// the record set the program walks. Plain C++ over the Jet engine (no Qt).
//
// Every operation opens its own connection and record set and drops both when
// it ends; nothing is cached. Failures are thrown as dictionary::Error with a
// message a user can act on (file missing, not an Access file, damaged at page
// N, wrong password, no table Runes).
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace jet { class Database; }

namespace dictionary {

// The database password that every dictionary and update file carries.
inline constexpr std::string_view kDictionaryPassword = "Q8mVt2LrNw6Xk4PsZd";
inline constexpr std::string_view kDictionaryFileName = "runes.dll";
inline constexpr std::string_view kTableName = "Runes";

class Error : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// programFolder, then "/", then "runes.dll". The folder is given without a
// trailing separator (the running executable's folder).
std::string DictionaryPath(const std::string& programFolder);

// An open database file. Opening checks the password (exact, case-sensitive;
// a file without a password opens with any).
class Connection {
 public:
  explicit Connection(std::shared_ptr<jet::Database> db);
  jet::Database& database() const { return *db_; }
  const std::string& path() const;

 private:
  std::shared_ptr<jet::Database> db_;
};

Connection OpenConnection(const std::string& path,
                          std::string_view password = kDictionaryPassword);

// A static snapshot of one table's rows, in the order the table's scan
// delivers them. Fields are read as text (UTF-8); a NULL field reads as
// std::nullopt.
class Recordset {
 public:
  Recordset() = default;
  Recordset(std::vector<std::string> columns,
            std::vector<std::vector<std::optional<std::string>>> rows);

  std::int64_t RecordCount() const { return static_cast<std::int64_t>(rows_.size()); }
  void MoveFirst() { current_ = 0; }
  void MoveNext() { ++current_; }
  bool AtEnd() const { return current_ >= rows_.size(); }
  bool HasField(std::string_view name) const;  // case-insensitive, as Access
  // The current row's field by name; throws Error for an unknown field or
  // when there is no current row.
  std::optional<std::string> Field(std::string_view name) const;
  // Convenience: the field as text, NULL read as "".
  std::string Text(std::string_view name) const { return Field(name).value_or(std::string()); }

 private:
  std::size_t columnIndex(std::string_view name) const;
  std::vector<std::string> columns_;
  std::vector<std::vector<std::optional<std::string>>> rows_;
  std::size_t current_ = 0;
};

// Accepts only "Select * from TABLE" (any letter case, single spaces or more
// between the words); anything else is an Error.
Recordset OpenRecordset(Connection& connection, std::string_view sql);

// A forward-only walk over some fields of a table, for commands that read each
// row once and need no record set: for every row, in the order the table's
// scan delivers them, `visit` receives the fields named in `fields` (letter
// case ignored) as text, NULL as nullopt. The texts are valid only during the
// call. Throws Error when the table or a field does not exist.
using FieldTexts = std::vector<std::optional<std::string_view>>;
void WalkFields(Connection& connection, std::string_view table,
                const std::vector<std::string>& fields,
                const std::function<void(const FieldTexts&)>& visit);

// One dictionary entry as the program writes it.
struct Entry {
  std::optional<std::string> key;
  std::optional<std::string> link;
  std::optional<std::string> names;
};

}  // namespace dictionary
