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


int RunDump(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  FileArguments a;
  if (!ParseFileArguments(args, "dump FILE [--password P]", a, err)) return kError;
  auto db = jet::Database::Open(a.file, a.password);
  // Read every table before printing anything, so that a damaged file gives
  // an error and no half-written JSON.
  std::string text = "{\"tables\": [";
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
    });
    text += "]}";
  }
  text += "\n]}\n";
  out.write(text.data(), std::streamsize(text.size()));
  return out ? kOk : kError;
}

Registration registration{{"dump", "dump FILE [--password P]", "prints every user table and its rows as JSON", RunDump}};

}  // namespace
}  // namespace tool
