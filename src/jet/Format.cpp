#include "jet/Format.h"

namespace jet {

const Format& Format::Jet3() {
  static const Format f = [] {
    Format f{};
    f.version = JetVersion::Jet3;
    f.name = "Jet 3";
    f.pageSize = 2048;
    f.headerMaskLength = 126;
    f.headerSortOrder = 0x3A;
    f.headerPasswordLength = 20;
    f.passwordUnicode = false;
    f.hasCreationDate = false;
    f.dataRowCount = 8;
    f.dataRowTable = 10;
    f.maxRowSize = 2012;
    f.tdefLength = 8;
    f.tdefRowCount = 12;
    f.tdefAutoNumber = 16;
    f.tdefTableType = 20;
    f.tdefMaxColumns = 21;
    f.tdefVarColumns = 23;
    f.tdefColumns = 25;
    f.tdefLogicalIndexes = 27;
    f.tdefRealIndexes = 31;
    f.tdefOwnedMap = 35;
    f.tdefFreeMap = 39;
    f.tdefHeaderEnd = 43;
    f.tdefRealIndexBlock = 8;
    f.tdefRealIndexUniqueCount = 4;
    f.columnSize = 18;
    f.colType = 0;
    f.colNumber = 1;
    f.colVarSlot = 3;
    f.colRowNumber = 5;
    f.colSortOrder = 9;
    f.colCodePage = 11;
    f.colPrecision = 11;
    f.colScale = 12;
    f.colFlags = 13;
    f.colExtFlags = 0;
    f.colFixedOffset = 14;
    f.colLength = 16;
    f.hasExtFlags = false;
    f.nameLengthSize = 1;
    f.realIndexSize = 39;
    f.riColumns = 0;
    f.riUsageMap = 30;
    f.riRootPage = 34;
    f.riFlags = 38;
    f.logicalIndexSize = 20;
    f.liNumber = 0;
    f.liRealNumber = 4;
    f.liIndexType = 19;
    f.ixFreeSpace = 2;
    f.ixTdef = 4;
    f.ixPrevPage = 8;
    f.ixNextPage = 12;
    f.ixTailPage = 16;
    f.ixPrefixLength = 20;
    f.ixPrefixLengthSize = 1;
    f.ixBitmap = 22;
    f.ixFirstEntry = 248;
    f.rowCountSize = 1;
    f.maxLongValueRow = 2032;
    return f;
  }();
  return f;
}

const Format& Format::Jet4() {
  static const Format f = [] {
    Format f{};
    f.version = JetVersion::Jet4;
    f.name = "Jet 4";
    f.pageSize = 4096;
    f.headerMaskLength = 128;
    f.headerSortOrder = 0x6E;
    f.headerPasswordLength = 40;
    f.passwordUnicode = true;
    f.hasCreationDate = true;
    f.dataRowCount = 12;
    f.dataRowTable = 14;
    f.maxRowSize = 4060;
    f.tdefLength = 8;
    f.tdefRowCount = 16;
    f.tdefAutoNumber = 20;
    f.tdefTableType = 40;
    f.tdefMaxColumns = 41;
    f.tdefVarColumns = 43;
    f.tdefColumns = 45;
    f.tdefLogicalIndexes = 47;
    f.tdefRealIndexes = 51;
    f.tdefOwnedMap = 55;
    f.tdefFreeMap = 59;
    f.tdefHeaderEnd = 63;
    f.tdefRealIndexBlock = 12;
    f.tdefRealIndexUniqueCount = 4;
    f.columnSize = 25;
    f.colType = 0;
    f.colNumber = 5;
    f.colVarSlot = 7;
    f.colRowNumber = 9;
    f.colSortOrder = 11;
    f.colCodePage = 0;  // Jet 4 text is UCS-2: no per-column code page
    f.colPrecision = 11;
    f.colScale = 12;
    f.colFlags = 15;
    f.colExtFlags = 16;
    f.colFixedOffset = 21;
    f.colLength = 23;
    f.hasExtFlags = true;
    f.nameLengthSize = 2;
    f.realIndexSize = 52;
    f.riColumns = 4;
    f.riUsageMap = 34;
    f.riRootPage = 38;
    f.riFlags = 46;
    f.logicalIndexSize = 28;
    f.liNumber = 4;
    f.liRealNumber = 8;
    f.liIndexType = 23;
    f.ixFreeSpace = 2;
    f.ixTdef = 4;
    f.ixPrevPage = 12;
    f.ixNextPage = 16;
    f.ixTailPage = 20;
    f.ixPrefixLength = 24;
    f.ixPrefixLengthSize = 2;
    f.ixBitmap = 27;
    f.ixFirstEntry = 480;
    f.rowCountSize = 2;
    f.maxLongValueRow = 4076;
    return f;
  }();
  return f;
}

const Format* Format::ForVersionByte(std::uint8_t version) {
  switch (version) {
    case 0: return &Jet3();
    case 1: return &Jet4();
    default: return nullptr;
  }
}

}  // namespace jet
