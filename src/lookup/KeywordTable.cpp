#include "lookup/KeywordTable.h"

#include "dictionary/Dictionary.h"

#include <exception>

namespace lookup {

KeywordTable KeywordTable::Open(const QString& programFolder, Read read) {
  KeywordTable table;
  const std::string path = dictionary::DictionaryPath(programFolder.toStdString());
  table.path_ = QString::fromStdString(path);
  try {
    dictionary::Connection connection = dictionary::OpenConnection(path);
    dictionary::Recordset records = dictionary::OpenRecordset(connection, "Select * from Runes");
    const std::int64_t count = records.RecordCount();
    if (count > 0) {
      const bool withLinks = read == Read::KeysAndLinks;
      const bool hasLink = withLinks && records.HasField("Link");
      table.keys_.reserve(count);
      if (withLinks) table.rows_.reserve(static_cast<std::size_t>(count));
      records.MoveFirst();
      for (std::int64_t i = 0; i < count; ++i) {
        QString key = QString::fromStdString(records.Text("Key"));
        table.keys_.append(key);
        if (withLinks) {
          QString link = hasLink ? QString::fromStdString(records.Text("Link")) : QString();
          table.rows_.push_back({std::move(key), std::move(link)});
        }
        records.MoveNext();
      }
    }
    table.opened_ = true;
  } catch (const std::exception& e) {
    // Read as an empty table; rows read before a failure are dropped too, so
    // that a damaged file never shows half a list.
    table.keys_.clear();
    table.rows_.clear();
    table.error_ = QString::fromStdString(e.what());
  }
  return table;
}

}  // namespace lookup
