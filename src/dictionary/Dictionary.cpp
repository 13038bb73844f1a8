#include "dictionary/Dictionary.h"

#include "jet/Database.h"

#include <cctype>

namespace dictionary {
namespace {

// The engine's errors already name the file and the fault; the connection
// layer passes them on as dictionary errors with the same text.
[[noreturn]] void Rethrow(const jet::Error& e, const std::string& path) {
  if (e.kind() == jet::ErrorKind::WrongPassword) throw Error(jet::kWrongPasswordMessage);
  if (e.kind() == jet::ErrorKind::FileMissing) throw Error(e.what());  // names the path already
  throw Error(path + ": " + e.what());
}

bool EqualsIgnoreCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
  return true;
}

// Splits on runs of spaces.
std::vector<std::string_view> Words(std::string_view s) {
  std::vector<std::string_view> words;
  std::size_t i = 0;
  while (i < s.size()) {
    while (i < s.size() && s[i] == ' ') ++i;
    std::size_t start = i;
    while (i < s.size() && s[i] != ' ') ++i;
    if (i > start) words.push_back(s.substr(start, i - start));
  }
  return words;
}

}  // namespace

std::string DictionaryPath(const std::string& programFolder) {
  return programFolder + "/" + std::string(kDictionaryFileName);
}

Connection::Connection(std::shared_ptr<jet::Database> db) : db_(std::move(db)) {}

const std::string& Connection::path() const { return db_->path(); }

Connection OpenConnection(const std::string& path, std::string_view password) {
  try {
    return Connection(jet::Database::Open(path, password));
  } catch (const jet::Error& e) {
    Rethrow(e, path);
  }
}

Recordset::Recordset(std::vector<std::string> columns, std::vector<std::vector<std::optional<std::string>>> rows)
    : columns_(std::move(columns)), rows_(std::move(rows)) {}

bool Recordset::HasField(std::string_view name) const {
  for (const auto& c : columns_)
    if (EqualsIgnoreCase(c, name)) return true;
  return false;
}

std::size_t Recordset::columnIndex(std::string_view name) const {
  for (std::size_t i = 0; i < columns_.size(); ++i)
    if (EqualsIgnoreCase(columns_[i], name)) return i;
  throw Error("The record set has no field " + std::string(name) + ".");
}

std::optional<std::string> Recordset::Field(std::string_view name) const {
  std::size_t i = columnIndex(name);
  if (AtEnd()) throw Error("There is no current record (the record set is at its end).");
  return rows_[current_][i];
}

Recordset OpenRecordset(Connection& connection, std::string_view sql) {
  std::vector<std::string_view> w = Words(sql);
  if (w.size() != 4 || !EqualsIgnoreCase(w[0], "select") || w[1] != "*" || !EqualsIgnoreCase(w[2], "from"))
    throw Error("Unsupported query \"" + std::string(sql) + "\": only \"Select * from TABLE\" is understood.");
  std::string_view table = w[3];
  if (table.size() >= 2 && table.front() == '[' && table.back() == ']') table = table.substr(1, table.size() - 2);
  jet::Database& db = connection.database();
  try {
    if (!db.findTable(table))
      throw Error(db.path() + ": the database has no table " + std::string(table) + ".");
    jet::Table t = db.table(table);
    std::vector<std::string> columns;
    for (const auto& c : t.columns()) columns.push_back(c.name);
    std::vector<std::vector<std::optional<std::string>>> rows;
    t.forEachRow([&](const std::vector<jet::Value>& values) {
      std::vector<std::optional<std::string>> row;
      row.reserve(values.size());
      for (const auto& v : values) {
        if (v.isNull()) row.emplace_back(std::nullopt);
        else if (v.kind == jet::ValueKind::Text) row.emplace_back(v.data);
        else row.emplace_back(jet::ValueToText(v));
      }
      rows.push_back(std::move(row));
    });
    return Recordset(std::move(columns), std::move(rows));
  } catch (const jet::Error& e) {
    Rethrow(e, db.path());
  }
}

void WalkFields(Connection& connection, std::string_view table,
                const std::vector<std::string>& fields,
                const std::function<void(const FieldTexts&)>& visit) {
  jet::Database& db = connection.database();
  try {
    if (!db.findTable(table))
      throw Error(db.path() + ": the database has no table " + std::string(table) + ".");
    const jet::Table t = db.table(table);
    std::vector<std::size_t> columns;
    for (const std::string& field : fields) {
      const auto& all = t.columns();
      std::size_t i = 0;
      while (i < all.size() && !jet::EqualsIgnoreCase(all[i].name, field)) ++i;
      if (i == all.size())
        throw Error(db.path() + ": the table " + std::string(table) + " has no field " + field + ".");
      columns.push_back(i);
    }
    FieldTexts texts(fields.size());
    std::vector<std::string> converted(fields.size());  // non-text values in their text form
    t.forEachRow([&](const std::vector<jet::Value>& values) {
      for (std::size_t f = 0; f < columns.size(); ++f) {
        const jet::Value& v = values[columns[f]];
        if (v.isNull()) {
          texts[f].reset();
        } else if (v.kind == jet::ValueKind::Text) {
          texts[f] = std::string_view(v.data);
        } else {
          converted[f] = jet::ValueToText(v);
          texts[f] = std::string_view(converted[f]);
        }
      }
      visit(texts);
    });
  } catch (const jet::Error& e) {
    Rethrow(e, db.path());
  }
}

}  // namespace dictionary
