// Long values (MEMO and OLE). The row holds a 12-byte field:
//   0..3  u32: length in the low 30 bits, kind in the top 2 bits
//   4..7  row pointer to the first LVAL row (0 for inline)
//   8..11 0
//   12..  inline data (kind 0x80 only)
// Kinds: 0x80 inline; 0x40 one LVAL row holds it all; 0x00 a chain of LVAL
// rows, each a 4-byte row pointer to the next (0 at the end) + a chunk.
// Chains are followed with loop detection and the length is checked against
// the file's size before anything is allocated.
#pragma once

#include "jet/Bytes.h"
#include "jet/PageFile.h"

#include <cstdint>
#include <optional>
#include <string>

namespace jet {

inline constexpr std::uint32_t kLongValueInline = 0x80000000u;
inline constexpr std::uint32_t kLongValueSingle = 0x40000000u;
inline constexpr std::uint32_t kLongValueLengthMask = 0x3FFFFFFFu;
inline constexpr std::size_t kLongValueHeaderSize = 12;

// Appends the value's bytes to `out`. `page` is the page of the row holding
// the field (for error messages). Throws Damaged for a bad field or chain.
// The value's bytes without copying when it is stored in one piece (inline
// or in a single LVAL row); std::nullopt for a chain (use ReadLongValue).
// Throws Damaged like ReadLongValue.
class DataPageCache;
std::optional<Bytes> LongValueInOnePiece(const PageFile& file, Bytes field, std::uint32_t page, DataPageCache& cache);

// `cache` (optional) keeps the last LVAL page between calls.
void ReadLongValue(const PageFile& file, Bytes field, std::uint32_t page, std::string& out,
                   DataPageCache* cache = nullptr);

}  // namespace jet
