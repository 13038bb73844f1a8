// tables FILE [--password P]: the names of the user tables, one a line.
#include "Subcommand.h"

#include "jet/Database.h"

namespace tool {
namespace {

int RunTables(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  FileArguments a;
  if (!ParseFileArguments(args, "tables FILE [--password P]", a, err)) return kError;
  auto db = jet::Database::Open(a.file, a.password);
  for (const auto& entry : db->userTables()) out << entry.name << "\n";
  return kOk;
}

Registration registration{{"tables", "tables FILE [--password P]", "lists the user tables", RunTables}};

}  // namespace
}  // namespace tool
