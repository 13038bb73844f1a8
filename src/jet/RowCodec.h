// Decodes the rows of one table.
//
// Jet 4 row:  u16 ncols | fixed area | var data | u16 EOD |
//             u16 var_off[nvar-1] .. var_off[0] | u16 nvar | null mask
// Jet 3 row:  u8 ncols | fixed | var data | u8 EOD | u8 var_off[nvar-1..0] |
//             u8 jump[k-1..0] | u8 nvar | null mask
// The null mask is ceil(ncols/8) bytes at the very end; bit (column number)
// set ⇒ not null, and it is a boolean's value. Fixed columns sit at
// ncols-size + fixed offset. Var slot i spans var_off[i] .. var_off[i+1]
// (var_off[nvar] = EOD). Jet 3 offsets are low bytes; jump[j] is the first
// var index whose offset is ≥ 256·(j+1). A table without var columns has no
// var part. Every offset is checked against the row before use.
#pragma once

#include "jet/Bytes.h"
#include "jet/DataPage.h"
#include "jet/PageFile.h"
#include "jet/TableDefinition.h"
#include "jet/Value.h"

#include <cstdint>
#include <vector>

namespace jet {

// One column's stored bytes in a row.
struct FieldSlice {
  bool present = false;  // not null (for a boolean: its value)
  Bytes bytes;           // fixed bytes, or the var span
};

class RowCodec {
 public:
  RowCodec(const PageFile& file, const TableDefinition& table);

  // Splits `row` (stored on `page`) into one slice per table column, in
  // table.columns() order. `slices` is resized, so a reused vector does not
  // allocate.
  void split(Bytes row, std::uint32_t page, std::vector<FieldSlice>& slices) const;
  // Splits and decodes every column; long values are read from their pages.
  void decode(Bytes row, std::uint32_t page, std::vector<Value>& values) const;
  // Decodes one column's slice into `value`.
  void decodeField(const Column& column, const FieldSlice& slice, std::uint32_t page, Value& value) const;

  const TableDefinition& table() const { return table_; }

 private:
  void readVarOffsets(Bytes row, std::uint32_t page, std::size_t maskSize, std::vector<std::uint32_t>& offsets,
                      std::size_t& trailerStart) const;

  const PageFile& file_;
  const TableDefinition& table_;
  const Format& format_;
  mutable std::vector<std::uint32_t> varOffsets_;
  mutable std::vector<FieldSlice> slices_;
  mutable std::string longValue_;
  mutable DataPageCache longValuePages_;
};

// The decimal text of a NUMERIC field: byte 0 bit 0x80 = negative, then four
// little-endian u32 words, most significant first; `scale` digits after the point.
std::string FormatNumeric(Bytes bytes17, std::uint8_t scale);

}  // namespace jet
