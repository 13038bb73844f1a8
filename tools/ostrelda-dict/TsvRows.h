// Reading a UTF-8 TSV file for import: the first line names the columns;
// every further non-empty line is one row with exactly as many tab-separated
// fields (a trailing carriage return is dropped). An empty field is empty
// text. A line with the wrong number of fields, or that is not UTF-8, is an
// error naming the line.
#pragma once

#include <istream>
#include <string>
#include <vector>

namespace dicttool {

struct TsvTable {
  std::vector<std::string> columns;
  std::vector<std::vector<std::string>> rows;
};

TsvTable ReadTsv(std::istream& in, const std::string& name);

}  // namespace dicttool
