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

bool validUtf8(const std::string& s) {
  for (std::size_t i = 0; i < s.size();) {
    const unsigned char c = static_cast<unsigned char>(s[i]);
    const int extra = c < 0x80 ? 0 : (c & 0xE0) == 0xC0 ? 1 : (c & 0xF0) == 0xE0 ? 2 : (c & 0xF8) == 0xF0 ? 3 : -1;
    if (extra < 0 || i + extra >= s.size() + (extra == 0)) return false;
    for (int k = 1; k <= extra; ++k)
      if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
    i += 1 + extra;
  }
  return true;
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
    if (!validUtf8(line)) throw std::runtime_error(name + " line " + std::to_string(number) + " is not UTF-8 text.");
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
