// Row layout (data-page rows) for the write side.
//
// Jet 4: u16 ncols | fixed area | var data | u16 EOD | u16 var_off[nvar-1..0]
//        | u16 nvar | null mask (ceil(ncols/8), bit col_num set = not null)
// Jet 3: the same with 1-byte counts and offsets, plus a jump table between
//        the offsets and nvar: jump[j] = first var index (EOD = nvar) whose
//        offset is >= 256*(j+1); it adds 256 per entry passed.
// Boolean columns have no data; their mask bit is the value.
#pragma once

#include "jet/WriteTableDef.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace jet {

// One column's stored form: absent = NULL (or false for a boolean column).
using StoredCell = std::optional<std::vector<std::uint8_t>>;

// `cells` is indexed like table.columns().
std::vector<std::uint8_t> EncodeRow(const WriteFormat& format, const WriteTableDef& table,
                                    const std::vector<StoredCell>& cells);

// The stored bytes of every column of a row (indexed like table.columns()),
// absent for NULL / false. Throws WriteError on a malformed row.
std::vector<StoredCell> DecodeRow(const WriteFormat& format, const WriteTableDef& table,
                                  const std::vector<std::uint8_t>& row);

}  // namespace jet
