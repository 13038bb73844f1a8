#include "dictionary/Writer.h"

#include "jet/DatabaseWriter.h"
#include "jet/WriteCatalog.h"
#include "jet/Error.h"

#include <string>
#include <unordered_set>

namespace dictionary {

namespace {

constexpr std::string_view kUpdateMarker = "astro";

jet::TableSpec runesTable() {
  using jet::ColumnType;
  return {std::string(kTableName),
          {{"Key", ColumnType::Text, 255}, {"Link", ColumnType::Memo}, {"Names", ColumnType::Text, 50}},
          {}};
}

jet::FieldValue textValue(const std::optional<std::string>& v) {
  if (!v) return std::monostate{};
  return *v;
}

void appendAll(jet::DatabaseWriter& writer, const std::vector<Entry>& entries) {
  auto runes = writer.appender(kTableName);
  const std::size_t key = runes.columnIndex("Key"), link = runes.columnIndex("Link"),
                    names = runes.columnIndex("Names");
  for (const auto& e : entries) {
    std::vector<jet::FieldValue> row(runes.table().columns().size());
    row[key] = textValue(e.key);
    row[link] = textValue(e.link);
    row[names] = textValue(e.names);
    runes.Append(std::move(row));
  }
  runes.Finish();
}

}  // namespace

void CreateDictionary(const std::string& path, const std::vector<Entry>& entries, std::string_view password) {
  try {
    auto writer = jet::DatabaseWriter::Create(path, password);
    writer.createTable(runesTable());
    appendAll(writer, entries);
    writer.Commit();
  } catch (const jet::Error& e) {
    throw Error(e.what());
  }
}

void AppendEntries(const std::string& path, const std::vector<Entry>& entries, std::string_view password) {
  try {
    auto writer = jet::DatabaseWriter::Open(path, password);
    appendAll(writer, entries);
    writer.Commit();
  } catch (const jet::Error& e) {
    throw Error(e.what());
  }
}

MergeResult MergeUpdate(const std::string& dictionaryPath, const std::string& updatePath, std::string_view password) {
  try {
    // The update file is only read: no lock, the atomic writes of others
    // always leave a whole file under its name.
    jet::WriteImage update = jet::WriteImage::Load(updatePath);
    update.checkPassword(password, updatePath);
    const auto updatePage = jet::FindTablePage(update, kTableName);
    if (!updatePage) throw Error("\"" + updatePath + "\" has no table Runes.");
    const auto rows = jet::ReadTextColumns(update, *updatePage, {"Names", "Key", "Link"});
    MergeResult result;
    if (rows.rows.empty()) {
      result.status = MergeResult::Status::NothingToUpdate;
      return result;
    }
    // The whole file is checked before anything is written.
    const bool hasColumns = rows.present[0] && rows.present[1] && rows.present[2];
    for (const auto& row : rows.rows)
      if (!hasColumns || !row[0] || *row[0] != kUpdateMarker) {
        result.status = MergeResult::Status::WrongFile;
        return result;
      }

    auto writer = jet::DatabaseWriter::Open(dictionaryPath, password);
    const std::uint32_t dictPage = writer.tablePage(kTableName);
    std::unordered_set<std::string> links;
    for (auto& row : jet::ReadTextColumns(writer.image(), dictPage, {"Link"}).rows)
      links.insert(row[0].value_or(std::string()));
    auto runes = writer.appender(kTableName);
    const std::size_t key = runes.columnIndex("Key"), link = runes.columnIndex("Link"),
                      names = runes.columnIndex("Names");
    for (const auto& row : rows.rows) {
      if (!links.insert(row[2].value_or(std::string())).second) {
        ++result.skipped;
        continue;
      }
      std::vector<jet::FieldValue> values(runes.table().columns().size());
      values[names] = std::string(kUpdateMarker);
      values[key] = textValue(row[1]);
      values[link] = textValue(row[2]);
      runes.Append(std::move(values));
      ++result.added;
    }
    if (result.added > 0) {
      runes.Finish();
      writer.Commit();
    }
    return result;
  } catch (const jet::Error& e) {
    throw Error(e.what());
  }
}

}  // namespace dictionary
