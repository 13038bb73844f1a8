// dump FILE [--password P]: every user table as JSON (see DumpJson.h).
#include "DumpJson.h"
#include "Subcommand.h"

#include "jet/Database.h"

namespace tool {
namespace {

int RunDump(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  FileArguments a;
  if (!ParseFileArguments(args, "dump FILE [--password P]", a, err)) return kError;
  auto db = jet::Database::Open(a.file, a.password);
  WriteDumpJson(*db, out);
  return out ? kOk : kError;
}

Registration registration{{"dump", "dump FILE [--password P]", "prints every user table and its rows as JSON", RunDump}};

}  // namespace
}  // namespace tool
