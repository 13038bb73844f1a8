// Validates a database's structure and lists every problem found (it does
// not stop at the first): the page type of every page a structure points
// to, usage maps, user tables' row counts against their rows, every row and
// long-value chain, data-page free space, and index page trees.
#pragma once

#include "jet/PageFile.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace jet {

struct Problem {
  std::optional<std::uint32_t> page;
  std::string message;
};

std::vector<Problem> CheckStructure(const PageFile& file);

}  // namespace jet
