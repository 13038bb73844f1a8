#include "TsvRows.h"

#include <stdexcept>

namespace dicttool {

namespace {

std::vector<std::string> splitTabs(const std::string& line) {
  std::vector<std::string> out;
  std::size_t start = 0;
  for (;;) {
    const auto tab = line.find('\t', start);
    if (tab == std::string::npos) {
      out.push_back(line.substr(start));
      return out;
    }
    out.push_back(line.substr(start, tab - start));
    start = tab + 1;
  }
}

}  // namespace

TsvTable ReadTsv(std::istream& in, const std::string& name) {
  TsvTable table;
  std::string line;
  std::size_t number = 0;
  bool header = true;
  while (std::getline(in, line)) {
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (number == 1 && line.rfind("\xEF\xBB\xBF", 0) == 0) line.erase(0, 3);  // byte-order mark
    if (line.empty()) continue;
    auto fields = splitTabs(line);
    if (header) {
      table.columns = std::move(fields);
      header = false;
      continue;
    }
    if (fields.size() != table.columns.size())
      throw std::runtime_error(name + " line " + std::to_string(number) + ": " + std::to_string(fields.size()) +
                               " fields, the header names " + std::to_string(table.columns.size()) + ".");
    table.rows.push_back(std::move(fields));
  }
  if (header) throw std::runtime_error(name + " is empty: it needs a header line naming the columns.");
  return table;
}

}  // namespace dicttool
