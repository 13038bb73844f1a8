#include "Fixtures.h"

#include <QProcess>
#include <QString>
#include <QStringList>

#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>

namespace update::testing {

dictionary::Entry row(std::optional<std::string> key, std::optional<std::string> link,
                      std::optional<std::string> names) {
  return dictionary::Entry{std::move(key), std::move(link), std::move(names)};
}

dictionary::Entry added(std::string key, std::string link) {
  return row(std::move(key), std::move(link), std::string("astro"));
}

Rows readWithEngine(const std::string& path) {
  dictionary::Connection connection = dictionary::OpenConnection(path);
  dictionary::Recordset rs = dictionary::OpenRecordset(connection, "Select * from Runes");
  Rows rows;
  if (rs.RecordCount() == 0) return rows;
  rs.MoveFirst();
  for (std::int64_t i = 0; i < rs.RecordCount(); ++i) {
    rows.push_back(row(rs.Field("Key"), rs.Field("Link"), rs.Field("Names")));
    rs.MoveNext();
  }
  return rows;
}

namespace {

// One CSV record as mdb-export writes it: fields separated by commas, text in
// double quotes with an inner quote doubled; an unquoted empty field is NULL.
// Quoted fields may span lines.
std::vector<std::optional<std::string>> nextRecord(const std::string& text, std::size_t& at) {
  std::vector<std::optional<std::string>> fields;
  while (true) {
    std::optional<std::string> field;
    if (at < text.size() && text[at] == '"') {
      std::string value;
      ++at;
      while (at < text.size()) {
        if (text[at] == '"') {
          if (at + 1 < text.size() && text[at + 1] == '"') {
            value += '"';
            at += 2;
            continue;
          }
          ++at;
          break;
        }
        value += text[at++];
      }
      field = value;
    } else {
      std::string value;
      while (at < text.size() && text[at] != ',' && text[at] != '\n') value += text[at++];
      if (!value.empty()) field = value;
    }
    fields.push_back(field);
    if (at < text.size() && text[at] == ',') {
      ++at;
      continue;
    }
    if (at < text.size() && text[at] == '\n') ++at;
    return fields;
  }
}

}  // namespace

Rows readWithMdbExport(const std::string& path) {
  QProcess process;
  process.start(QStringLiteral("mdb-export"),
                {QString::fromStdString(path), QStringLiteral("Runes")});
  if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit ||
      process.exitCode() != 0)
    throw std::runtime_error("mdb-export failed on " + path + ": " +
                             process.readAllStandardError().toStdString());
  const std::string text = process.readAllStandardOutput().toStdString();
  std::size_t at = 0;
  const auto header = nextRecord(text, at);
  int key = -1, link = -1, names = -1;
  for (std::size_t i = 0; i < header.size(); ++i) {
    const std::string name = header[i].value_or("");
    if (name == "Key") key = static_cast<int>(i);
    if (name == "Link") link = static_cast<int>(i);
    if (name == "Names") names = static_cast<int>(i);
  }
  Rows rows;
  while (at < text.size()) {
    const auto fields = nextRecord(text, at);
    auto field = [&](int i) -> std::optional<std::string> {
      if (i < 0 || i >= static_cast<int>(fields.size())) return std::nullopt;
      return fields[i];
    };
    rows.push_back(row(field(key), field(link), field(names)));
  }
  return rows;
}

Rows asMdbExportSees(Rows rows) {
  auto blankAsNull = [](std::optional<std::string>& v) {
    if (v && v->empty()) v.reset();
  };
  for (auto& r : rows) {
    blankAsNull(r.key);
    blankAsNull(r.link);
    blankAsNull(r.names);
  }
  return rows;
}

std::string fileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::string("<missing>");
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string describe(const Rows& rows) {
  std::ostringstream out;
  auto show = [&](const std::optional<std::string>& v) {
    if (v)
      out << '"' << *v << '"';
    else
      out << "NULL";
  };
  for (const auto& r : rows) {
    out << "  (";
    show(r.key);
    out << ", ";
    show(r.link);
    out << ", ";
    show(r.names);
    out << ")\n";
  }
  return out.str();
}

}  // namespace update::testing
