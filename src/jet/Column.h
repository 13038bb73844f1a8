// One column of a table definition, as described by its TDEF descriptor
// (Jet 3: 18 bytes, Jet 4: 25 bytes; offsets in Format) and its name.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace jet {

// Column type codes (descriptor byte 0).
enum class DataType : std::uint8_t {
  Boolean = 0x01,
  Byte = 0x02,
  Integer = 0x03,   // 16-bit
  Long = 0x04,      // 32-bit
  Currency = 0x05,  // i64 × 10^4
  Float = 0x06,
  Double = 0x07,
  DateTime = 0x08,
  Binary = 0x09,
  Text = 0x0A,
  Ole = 0x0B,
  Memo = 0x0C,
  Guid = 0x0F,     // "repid"
  Numeric = 0x10,  // decimal, 17 bytes
  Complex = 0x12,  // ACE attachment/multi-value: a 4-byte id
};

// The name used in dumps: boolean, byte, integer, long, currency, float,
// double, datetime, binary, text, ole, memo, repid, numeric, complex;
// "unknown" for any other code.
std::string_view DataTypeName(std::uint8_t code);
// Size in the fixed area of a fixed-size type; 0 for variable or unknown.
std::uint32_t FixedSizeOf(std::uint8_t code);

inline constexpr std::uint8_t kColumnFixed = 0x01;
inline constexpr std::uint8_t kColumnNullable = 0x02;
inline constexpr std::uint8_t kColumnAutoLong = 0x04;
inline constexpr std::uint8_t kColumnAutoGuid = 0x40;
inline constexpr std::uint8_t kColumnHyperlink = 0x80;
inline constexpr std::uint8_t kColumnExtCompressedUnicode = 0x01;

struct Column {
  std::string name;             // UTF-8
  std::uint8_t type = 0;        // DataType code (kept raw: unknown codes stay visible)
  std::uint16_t number = 0;     // null-mask bit; counts deleted columns
  std::uint16_t varSlot = 0;    // index into the row's var-offset table
  std::uint16_t rowNumber = 0;  // the "column number again" field
  std::uint16_t fixedOffset = 0;
  std::uint16_t length = 0;     // bytes (Jet 4 text: 2 × chars)
  std::uint8_t flags = 0;
  std::uint8_t extFlags = 0;    // Jet 4 only
  std::uint16_t sortOrder = 0;
  std::uint16_t codePage = 0;   // Jet 3 text columns
  std::uint8_t precision = 0, scale = 0;  // Numeric
  std::size_t descriptorOffset = 0;       // in the TDEF buffer

  DataType dataType() const { return DataType(type); }
  bool fixed() const { return flags & kColumnFixed; }
  bool isBoolean() const { return type == std::uint8_t(DataType::Boolean); }
  bool isLongValue() const { return type == std::uint8_t(DataType::Memo) || type == std::uint8_t(DataType::Ole); }
  bool isText() const { return type == std::uint8_t(DataType::Text) || type == std::uint8_t(DataType::Memo); }
  bool autoNumber() const { return type == std::uint8_t(DataType::Long) && (flags & kColumnAutoLong); }
  bool compressedUnicode() const { return extFlags & kColumnExtCompressedUnicode; }
};

}  // namespace jet
