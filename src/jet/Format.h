// Every offset and size that differs between Jet 3 (Access 97, 2048-byte
// pages) and Jet 4 (Access 2000-2003, 4096-byte pages), in one table per
// version. Code that reads or writes a structure takes its numbers from here
// instead of testing the version.
#pragma once

#include <cstdint>

namespace jet {

enum class JetVersion : std::uint8_t { Jet3 = 0, Jet4 = 1 };

struct Format {
  JetVersion version;
  const char* name;  // "Jet 3" / "Jet 4"
  std::uint32_t pageSize;

  // Page 0 (offsets in the decoded page).
  std::uint32_t headerMaskLength;  // bytes from 0x18 XORed with the fixed RC4 stream
  std::uint32_t headerSortOrder;   // u16 LCID (+3: sort version on Jet 4)
  std::uint32_t headerPasswordLength;  // bytes at 0x42
  bool passwordUnicode;            // UCS-2 masked with the creation date (Jet 4)
  bool hasCreationDate;            // double at 0x72 (Jet 4)

  // Data pages (also LVAL and usage-map pages).
  std::uint32_t dataRowCount;      // u16 number of rows
  std::uint32_t dataRowTable;      // first u16 row offset
  std::uint32_t maxRowSize;

  // Table definition header block (offsets in the concatenated TDEF buffer).
  std::uint32_t tdefLength;        // u32 length of the definition
  std::uint32_t tdefRowCount;
  std::uint32_t tdefAutoNumber;
  std::uint32_t tdefTableType;
  std::uint32_t tdefMaxColumns;
  std::uint32_t tdefVarColumns;
  std::uint32_t tdefColumns;
  std::uint32_t tdefLogicalIndexes;
  std::uint32_t tdefRealIndexes;
  std::uint32_t tdefOwnedMap;
  std::uint32_t tdefFreeMap;
  std::uint32_t tdefHeaderEnd;
  std::uint32_t tdefRealIndexBlock;  // per real index before the columns: u32 ?, u32 unique count, (J4) u32 ?
  std::uint32_t tdefRealIndexUniqueCount;  // offset of the count inside that block

  // Column descriptor.
  std::uint32_t columnSize;
  std::uint32_t colType, colNumber, colVarSlot, colRowNumber, colSortOrder, colCodePage, colPrecision, colScale,
      colFlags, colExtFlags, colFixedOffset, colLength;
  bool hasExtFlags;            // Jet 4 only
  std::uint32_t nameLengthSize;  // 1 (Jet 3 code-page names) or 2 (Jet 4 UCS-2 names)

  // Real index definition.
  std::uint32_t realIndexSize;
  std::uint32_t riColumns;   // 10 × {u16 column number, u8 flags}
  std::uint32_t riUsageMap;  // u32 row pointer
  std::uint32_t riRootPage;  // u32
  std::uint32_t riFlags;     // u8

  // Logical index definition.
  std::uint32_t logicalIndexSize;
  std::uint32_t liNumber, liRealNumber, liIndexType;

  // Index pages (0x03 node, 0x04 leaf).
  std::uint32_t ixFreeSpace, ixTdef, ixPrevPage, ixNextPage, ixTailPage, ixPrefixLength, ixPrefixLengthSize,
      ixBitmap, ixFirstEntry;

  // Rows: size of the column count, var-offset and var-count fields.
  std::uint32_t rowCountSize;  // 1 (Jet 3) or 2 (Jet 4)

  // Largest long-value chunk in one LVAL row: page − header − offset − pointer.
  std::uint32_t maxLongValueRow;

  bool jet4() const { return version == JetVersion::Jet4; }
  std::uint32_t emptyDataPageFree() const { return pageSize - dataRowTable; }
  std::uint32_t ixMaxEntryBytes() const {
    std::uint32_t byPage = pageSize - ixFirstEntry;
    std::uint32_t byBits = (ixFirstEntry - ixBitmap) * 8;
    return byPage < byBits ? byPage : byBits;
  }

  static const Format& Jet3();
  static const Format& Jet4();
  // The table for page 0's version byte (0x14); nullptr for versions we do not read.
  static const Format* ForVersionByte(std::uint8_t version);
};

}  // namespace jet
