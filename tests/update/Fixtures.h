// Dictionary and update files for the update tests, made by the engine in
// temporary folders, and two independent ways to read them back: the engine
// and mdbtools' mdb-export.
#pragma once

#include "dictionary/Dictionary.h"

#include <optional>
#include <string>
#include <vector>

namespace update::testing {

using Rows = std::vector<dictionary::Entry>;

// One row: Key, Link, Names.
dictionary::Entry row(std::optional<std::string> key, std::optional<std::string> link,
                      std::optional<std::string> names = std::string("astro"));

// A row as a merge adds it: Names "astro".
dictionary::Entry added(std::string key, std::string link);

// The table Runes read by the engine, in table order.
Rows readWithEngine(const std::string& path);

// The table Runes read by `mdb-export FILE Runes`, in table order. mdb-export
// cannot tell an empty text from NULL in every version, so both read as
// NULL here; compare with `asMdbExportSees`.
Rows readWithMdbExport(const std::string& path);
Rows asMdbExportSees(Rows rows);

// The whole file, byte for byte (to show that a failed update changed nothing).
std::string fileBytes(const std::string& path);

std::string describe(const Rows& rows);

}  // namespace update::testing
