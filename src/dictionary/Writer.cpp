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

// Runs one write; every failure leaves as dictionary::Error (nothing was
// written then), never as a crash.
template <typename Work>
auto reportingFailures(Work&& work) -> decltype(work()) {
  try {
    return work();
  } catch (const jet::Error& e) {
    throw Error(e.what());
  } catch (const Error&) {
    throw;
  } catch (const std::exception& e) {
    // Nothing was written; whatever went wrong is reported, never a crash.
    throw Error("The dictionary could not be written: " + std::string(e.what()));
  }
}

}  // namespace

void CreateDictionary(const std::string& path, const std::vector<Entry>& entries, std::string_view password) {
  reportingFailures([&] {
    auto writer = jet::DatabaseWriter::Create(path, password);
    writer.createTable(runesTable());
    appendAll(writer, entries);
    writer.Commit();
  });
}

void AppendEntries(const std::string& path, const std::vector<Entry>& entries, std::string_view password) {
  reportingFailures([&] {
    auto writer = jet::DatabaseWriter::Open(path, password);
    appendAll(writer, entries);
    writer.Commit();
  });
}

MergeResult MergeUpdate(const std::string& dictionaryPath, const std::string& updatePath, std::string_view password) {
  return reportingFailures([&] {
    // The update file is only read, through the same connection as every
    // reader of dictionaries: no lock (the atomic writes of others always
    // leave a whole file under its name).
    Connection connection = OpenConnection(updatePath, password);
    Recordset update = OpenRecordset(connection, "Select * from " + std::string(kTableName));
    MergeResult result;
    if (update.RecordCount() == 0) {
      result.status = MergeResult::Status::NothingToUpdate;
      return result;
    }
    // The whole file is checked before anything is written.
    if (!update.HasField("Names") || !update.HasField("Key") || !update.HasField("Link")) {
      result.status = MergeResult::Status::WrongFile;
      return result;
    }
    struct UpdateRow {
      std::optional<std::string> key, link;
    };
    std::vector<UpdateRow> rows;
    rows.reserve(static_cast<std::size_t>(update.RecordCount()));
    for (update.MoveFirst(); !update.AtEnd(); update.MoveNext()) {
      const auto names = update.Field("Names");
      if (!names || *names != kUpdateMarker) {
        result.status = MergeResult::Status::WrongFile;
        return result;
      }
      rows.push_back({update.Field("Key"), update.Field("Link")});
    }

    auto writer = jet::DatabaseWriter::Open(dictionaryPath, password);
    const std::uint32_t dictPage = writer.tablePage(kTableName);
    std::unordered_set<std::string> links;
    for (auto& row : jet::ReadTextColumns(writer.image(), dictPage, {"Link"}).rows)
      links.insert(row[0].value_or(std::string()));
    std::vector<Entry> added;
    for (auto& row : rows) {
      if (!links.insert(row.link.value_or(std::string())).second) {
        ++result.skipped;
        continue;
      }
      added.push_back({std::move(row.key), std::move(row.link), std::string(kUpdateMarker)});
    }
    result.added = static_cast<std::int64_t>(added.size());
    if (!added.empty()) {
      appendAll(writer, added);
      writer.Commit();
    }
    return result;
  });
}

}  // namespace dictionary
