// Every offset and size the write side uses that differs between Jet 3
// (Access 97, 2048-byte pages) and Jet 4 (Access 2000-2003, 4096-byte pages),
// in one table per version.
#pragma once

#include <cstdint>

namespace jet {

struct WriteFormat {
  bool jet4;
  std::uint32_t pageSize;
  // Data pages: offset of the row count; row offsets follow it.
  std::uint32_t dataRowCount;
  std::uint32_t dataRowsStart() const { return dataRowCount + 2; }
  std::uint32_t maxRowSize;
  // TDEF header block.
  std::uint32_t tdefRowCount, tdefAutoNumber, tdefTableType, tdefMaxCols, tdefNumVarCols,
      tdefNumCols, tdefNumLogicalIdx, tdefNumRealIdx, tdefOwnedMap, tdefFreeMap, tdefHeaderEnd;
  std::uint32_t realIndexHeaderSize;  // per-index block before the columns (count at +4)
  std::uint32_t columnSize;
  std::uint32_t colType, colNum, colVarSlot, colRowNum, colSortOrder, colFlags, colExtFlags,
      colFixedOffset, colLength;
  std::uint32_t realIndexSize, logicalIndexSize;
  // Offset of the 10 column slots inside a real index definition, then the map
  // pointer, root page and flags relative to the definition start.
  std::uint32_t riColumns, riUsageMap, riRootPage, riFlags;
  std::uint32_t liRealNumber, liIndexType;  // inside a logical index definition
  // Index pages.
  std::uint32_t ixFree, ixTdef, ixPrev, ixNext, ixTail, ixPrefix, ixBitmap, ixFirstEntry;
  std::uint32_t ixMaxEntryBytes() const {
    std::uint32_t byPage = pageSize - ixFirstEntry;
    std::uint32_t byBits = (ixFirstEntry - ixBitmap) * 8;
    return byPage < byBits ? byPage : byBits;
  }
  // Largest long-value chunk in one LVAL row (page minus header, offset, pointer).
  std::uint32_t maxLongValueRow;
  std::uint32_t headerRc4Length;  // bytes of page 0 masked from 0x18

  static const WriteFormat& jet3();
  static const WriteFormat& jet4Format();
};

inline const WriteFormat& WriteFormat::jet3() {
  static const WriteFormat f{
      false, 2048, 8, 2012,
      12, 16, 20, 21, 23, 25, 27, 31, 35, 39, 43,
      8, 18,
      0, 1, 3, 5, 9, 13, 0xFFFF, 14, 16,
      39, 20,
      0, 30, 34, 38,
      4, 19,
      2, 4, 8, 12, 16, 20, 22, 248,
      2032, 126};
  return f;
}

inline const WriteFormat& WriteFormat::jet4Format() {
  static const WriteFormat f{
      true, 4096, 12, 4060,
      16, 20, 40, 41, 43, 45, 47, 51, 55, 59, 63,
      12, 25,
      0, 5, 7, 9, 11, 15, 16, 21, 23,
      52, 28,
      4, 34, 38, 46,
      8, 23,
      2, 4, 12, 16, 20, 24, 27, 480,
      4076, 128};
  return f;
}

}  // namespace jet
