// Page 0, the database header. Bytes 0x18.. (126 bytes on Jet 3, 128 on
// Jet 4) are XORed with the RC4 stream of the fixed key C7 DA 39 6B; the
// fields below are read from the decoded bytes:
//   0x00 u32  00 01 00 00           0x04 16 bytes "Standard Jet DB\0"
//   0x14 u8   version (0 Jet 3, 1 Jet 4)
//   0x3A u16  sort order (Jet 3)    0x3C u16 code page   0x3E u32 encoding key
//   0x42      password: Jet 3 20 bytes in the code page; Jet 4 40 bytes UCS-2,
//             XORed with the 4 bytes of (int32) creation date, repeated
//   0x6E u16  sort order, 0x71 u8 sort version (Jet 4)
//   0x72 f64  creation date, days since 1899-12-30 (Jet 4)
#pragma once

#include "jet/Bytes.h"
#include "jet/Format.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace jet {

inline constexpr std::uint8_t kHeaderMaskKey[4] = {0xC7, 0xDA, 0x39, 0x6B};
inline constexpr std::size_t kHeaderMaskStart = 0x18;
inline constexpr std::size_t kHeaderPasswordOffset = 0x42;
inline constexpr std::size_t kHeaderCreationDateOffset = 0x72;

struct Header {
  const Format* format = nullptr;
  std::uint8_t versionByte = 0;
  std::uint16_t codePage = 0;
  std::uint16_t sortOrder = 0;
  std::uint8_t sortVersion = 0;
  std::uint32_t encodingKey = 0;
  double creationDate = 0;       // Jet 4 only; 0 on Jet 3
  std::string password;          // UTF-8; "" when the file has none
  std::vector<std::uint8_t> decoded;  // page 0 with the masked region decoded

  // Reads page 0 from the first bytes of a file. Throws NotAccessFile for a
  // missing signature and Unsupported for other versions.
  static Header Parse(Bytes fileStart);

  // True when the file has no password or `given` equals it exactly.
  bool Accepts(std::string_view given) const { return password.empty() || password == given; }

  // The Jet 4 password mask: the little-endian bytes of (int32) creation date.
  static std::array<std::uint8_t, 4> PasswordMask(double creationDate);
};

// XORs page 0's masked region in place (decoding and encoding are the same).
void ApplyHeaderMask(std::uint8_t* page0, const Format& format);

}  // namespace jet
