#include "lookup/KeywordTable.h"

#include "dictionary/Dictionary.h"

#include <exception>

namespace lookup {

namespace {

QString fieldText(const std::optional<std::string_view>& field) {
  if (!field) return QString();
  return QString::fromUtf8(field->data(), qsizetype(field->size()));
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
    if (read == Read::Keys) {
      dictionary::WalkFields(connection, dictionary::kTableName, {"Key"},
                             [&](const dictionary::FieldTexts& f) { table.keys_.append(fieldText(f[0])); });
    } else {
      dictionary::WalkFields(connection, dictionary::kTableName, {"Key", "Link"},
                             [&](const dictionary::FieldTexts& f) {
                               QString key = fieldText(f[0]);
                               table.keys_.append(key);
                               table.rows_.push_back({std::move(key), fieldText(f[1])});
                             });
    }
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
