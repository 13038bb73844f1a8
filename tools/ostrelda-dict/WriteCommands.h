// The writing subcommands of ostrelda-dict:
//   create FILE [--password P]              a new dictionary (table Runes)
//   import FILE --from TSV [--password P] [--table T]
//                                           appends the TSV's rows
//   merge DICT UPDATE                       merges an update file
// Each takes the arguments after its name and returns the exit status:
// 0 done, 1 nothing was changed (the reason on `err`), 2 bad usage.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace dicttool {

int RunCreate(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int RunImport(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int RunMerge(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace dicttool
