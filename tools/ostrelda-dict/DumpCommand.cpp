// dump FILE [--password P]: every user table as JSON
//   {"tables": [{"name": ..., "columns": [{"name": ..., "type": ...}], "rows": [[...], ...]}]}
// Values: null; text and memo as strings; byte, integer, long as integers;
// float and double as numbers; currency and numeric as decimal strings;
// boolean true/false; datetime "YYYY-MM-DDTHH:MM:SS.mmmZ"; binary, ole as
// lower-case hex; repid as a GUID string.
#include "JsonWriter.h"
#include "Subcommand.h"

#include "jet/Database.h"

namespace tool {
namespace {

constexpr std::size_t kChunk = 256 * 1024;

int RunDump(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  FileArguments a;
  if (!ParseFileArguments(args, "dump FILE [--password P]", a, err)) return kError;
  auto db = jet::Database::Open(a.file, a.password);
  // The JSON is written in chunks as rows are read (a damaged table found
  // half-way ends the output there, with the error on stderr and status 2).
  std::string text;
  text.reserve(kChunk + 64 * 1024);
  const auto flush = [&] {
    out.write(text.data(), std::streamsize(text.size()));
    text.clear();
  };
  text = "{\"tables\": [";
  bool firstTable = true;
  for (const auto& entry : db->userTables()) {
    jet::Table table = db->table(entry.name);
    text += firstTable ? "\n" : ",\n";
    firstTable = false;
    text += "{\"name\": ";
    AppendJsonString(text, table.name());
    text += ", \"columns\": [";
    bool firstColumn = true;
    for (const auto& c : table.columns()) {
      text += firstColumn ? "{\"name\": " : ", {\"name\": ";
      firstColumn = false;
      AppendJsonString(text, c.name);
      text += ", \"type\": \"";
      text += jet::DataTypeName(c.type);
      text += "\"}";
    }
    text += "],\n \"rows\": [";
    bool firstRow = true;
    table.forEachRow([&](const std::vector<jet::Value>& row) {
      text += firstRow ? "\n  [" : ",\n  [";
      firstRow = false;
      for (std::size_t i = 0; i < row.size(); ++i) {
        if (i) text += ", ";
        AppendJsonValue(text, row[i]);
      }
      text += ']';
      if (text.size() >= kChunk) flush();
    });
    text += "]}";
  }
  text += "\n]}\n";
  flush();
  return out ? kOk : kError;
}

Registration registration{{"dump", "dump FILE [--password P]", "prints every user table and its rows as JSON", RunDump}};

}  // namespace
}  // namespace tool
