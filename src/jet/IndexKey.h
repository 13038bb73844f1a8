// Index key bytes for one column value, as Access stores them in index
// entries (per key column, concatenated):
//   NULL            00 (ascending) / FF (descending)
//   non-NULL        7F + encoding (ascending) / 80 + encoding with all bits inverted
//   BYTE            the byte
//   INT/LONG/MONEY  big-endian, sign bit flipped
//   BOOLEAN         00 true / FF false (never NULL)
//   TEXT (Jet 4)    "General" sort order: a code per character, 01, [extra
//                   codes for ' and -], 00; case-insensitive; trailing
//                   spaces dropped; at most 255 characters
//   TEXT (Jet 3)    "General 97": a code per character, no terminator but 00
// Anything else (other types, characters outside printable ASCII and the
// five white-space controls, descending text) throws UnsupportedKeyError: an
// index that cannot hold a row exactly must refuse the row.
#pragma once

#include "jet/WriteError.h"
#include "jet/WriteTableDef.h"
#include "jet/WriteValue.h"

#include <cstdint>
#include <string>
#include <vector>

namespace jet {

class UnsupportedKeyError : public WriteError {
 public:
  using WriteError::WriteError;
};

void AppendIndexKey(std::vector<std::uint8_t>& key, bool jet4, const WriteColumn& column,
                    const FieldValue& value, bool ascending);

// The text codes alone (Jet 4 General / Jet 3 General 97), without the 7F
// flag; exposed for tests.
std::vector<std::uint8_t> GeneralTextKey(std::u16string_view text, bool jet4);

}  // namespace jet
