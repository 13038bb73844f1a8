// ostrelda-dict: a command line for dictionary (Access) files.
//   ostrelda-dict SUBCOMMAND ARGS...
// Errors go to stderr with exit status 2.
#include "Subcommand.h"

#include <algorithm>
#include <cstdio>
#include <exception>
#include <iostream>

namespace tool {

std::vector<Subcommand>& Subcommands() {
  static std::vector<Subcommand> table;
  return table;
}

bool ParseFileArguments(const std::vector<std::string>& args, const std::string& usage, FileArguments& out,
                        std::ostream& err) {
  bool haveFile = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--password" && i + 1 < args.size()) {
      out.password = args[++i];
    } else if (!haveFile && (args[i].empty() || args[i][0] != '-' || args[i] == "-")) {
      out.file = args[i];
      haveFile = true;
    } else {
      err << "usage: ostrelda-dict " << usage << "\n";
      return false;
    }
  }
  if (!haveFile) {
    err << "usage: ostrelda-dict " << usage << "\n";
    return false;
  }
  return true;
}

}  // namespace tool

namespace {
void PrintUsage() {
  auto commands = tool::Subcommands();
  std::sort(commands.begin(), commands.end(), [](const auto& a, const auto& b) { return a.name < b.name; });
  std::cerr << "usage: ostrelda-dict SUBCOMMAND ...\n";
  for (const auto& c : commands) std::cerr << "  " << c.usage << "\n      " << c.summary << "\n";
}
}  // namespace

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  if (argc < 2) {
    PrintUsage();
    return tool::kError;
  }
  std::string name = argv[1];
  std::vector<std::string> args(argv + 2, argv + argc);
  for (const auto& c : tool::Subcommands()) {
    if (c.name != name) continue;
    try {
      int status = c.run(args, std::cout, std::cerr);
      std::cout.flush();
      return status;
    } catch (const std::exception& e) {
      std::cout.flush();
      std::cerr << "ostrelda-dict " << name << ": " << e.what() << "\n";
      return tool::kError;
    }
  }
  std::cerr << "ostrelda-dict: unknown subcommand \"" << name << "\"\n";
  PrintUsage();
  return tool::kError;
}
