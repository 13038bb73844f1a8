// ostrelda-dict's subcommands. Each lives in its own file and registers
// itself in the table below with a static Registration, e.g.
//   static tool::Registration dump{{"dump", "dump FILE [--password P]", "...", RunDump}};
// so adding one is adding a file and its line in tools/CMakeLists.txt.
#pragma once

#include <functional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace tool {

// Exit statuses shared by every subcommand.
inline constexpr int kOk = 0;
inline constexpr int kProblemsFound = 1;  // e.g. check found faults
inline constexpr int kError = 2;          // bad usage, unreadable file

struct Subcommand {
  std::string name;
  std::string usage;    // "dump FILE [--password P]"
  std::string summary;  // one line
  // Receives the arguments after the subcommand's name and the streams for
  // output and errors; returns the exit status. An exception escaping it is
  // reported on stderr with status 2.
  std::function<int(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)> run;
};

std::vector<Subcommand>& Subcommands();

struct Registration {
  explicit Registration(Subcommand command) { Subcommands().push_back(std::move(command)); }
};

// Shared argument handling: FILE [--password P]. Returns false (after
// printing the usage to stderr) when the arguments do not fit.
struct FileArguments {
  std::string file;
  std::string password;
};
bool ParseFileArguments(const std::vector<std::string>& args, const std::string& usage, FileArguments& out,
                        std::ostream& err);

}  // namespace tool
