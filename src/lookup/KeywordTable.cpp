#include "lookup/KeywordTable.h"

#include "dictionary/Dictionary.h"
#include "jet/Database.h"
#include "jet/Value.h"

#include <algorithm>
#include <cctype>
#include <exception>

namespace lookup {

namespace {

// The column of `name` in the table, letter case ignored as in Access; -1
// when there is none.
int columnIndex(const jet::Table& table, std::string_view name) {
  const auto& columns = table.columns();
  for (std::size_t i = 0; i < columns.size(); ++i) {
    const std::string& c = columns[i].name;
    if (c.size() == name.size() &&
        std::equal(c.begin(), c.end(), name.begin(), [](char a, char b) {
          return std::tolower(static_cast<unsigned char>(a)) ==
                 std::tolower(static_cast<unsigned char>(b));
        }))
      return int(i);
  }
  return -1;
}

// A field as the record set hands it over: text as stored, other kinds in
// their text form, NULL as "".
QString fieldText(const jet::Value& value) {
  if (value.isNull()) return QString();
  if (value.kind == jet::ValueKind::Text)
    return QString::fromUtf8(value.data.data(), qsizetype(value.data.size()));
  return QString::fromStdString(jet::ValueToText(value));
}

}  // namespace

KeywordTable KeywordTable::Open(const QString& programFolder, Read read) {
  KeywordTable table;
  const std::string path = dictionary::DictionaryPath(programFolder.toStdString());
  table.path_ = QString::fromStdString(path);
  try {
    // The rows of "Select * from Runes" in the order the table delivers
    // them, read field by field as the walk goes rather than copied into a
    // snapshot first: a command reads each row once.
    dictionary::Connection connection = dictionary::OpenConnection(path);
    jet::Database& database = connection.database();
    if (!database.findTable(dictionary::kTableName))
      throw dictionary::Error(path + ": the database has no table Runes.");
    const jet::Table runes = database.table(dictionary::kTableName);
    const int keyColumn = columnIndex(runes, "Key");
    if (keyColumn < 0) throw dictionary::Error(path + ": the table Runes has no field Key.");
    const int linkColumn = read == Read::KeysAndLinks ? columnIndex(runes, "Link") : -1;
    if (read == Read::KeysAndLinks && linkColumn < 0)
      throw dictionary::Error(path + ": the table Runes has no field Link.");
    runes.forEachRow([&](const std::vector<jet::Value>& values) {
      QString key = fieldText(values[std::size_t(keyColumn)]);
      table.keys_.append(key);
      if (linkColumn >= 0)
        table.rows_.push_back({std::move(key), fieldText(values[std::size_t(linkColumn)])});
    });
    table.opened_ = true;
  } catch (const std::exception& e) {
    // Read as an empty table: a damaged file never shows half a list.
    table.keys_.clear();
    table.rows_.clear();
    table.error_ = QString::fromStdString(e.what());
  }
  return table;
}

}  // namespace lookup
