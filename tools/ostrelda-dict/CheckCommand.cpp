// check FILE [--password P]: validates the file's structure (page types,
// usage maps, table-definition row counts against the rows, long-value
// chains, index pages). Prints "ok" and exits 0, or lists every problem and
// exits 1.
#include "Subcommand.h"

#include "jet/Database.h"
#include "jet/StructureCheck.h"

namespace tool {
namespace {

int RunCheck(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  FileArguments a;
  if (!ParseFileArguments(args, "check FILE [--password P]", a, err)) return kError;
  jet::PageFile file = jet::PageFile::Open(a.file);
  if (!file.header().Accepts(a.password)) throw jet::Error(jet::ErrorKind::WrongPassword, jet::kWrongPasswordMessage);
  std::vector<jet::Problem> problems = jet::CheckStructure(file);
  if (problems.empty()) {
    out << "ok\n";
    return kOk;
  }
  for (const auto& p : problems) out << p.message << "\n";
  out << problems.size() << (problems.size() == 1 ? " problem\n" : " problems\n");
  return kProblemsFound;
}

Registration registration{{"check", "check FILE [--password P]",
                           "validates the file's structure; exits 1 listing every problem", RunCheck}};

}  // namespace
}  // namespace tool
