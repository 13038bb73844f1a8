// Text as Jet stores it, delivered as UTF-8:
// - Jet 3: bytes in the database's code page (page 0, 0x3C; 1252 built in,
//   others through iconv, falling back to 1252);
// - Jet 4: UCS-2 little-endian, or "compressed unicode" when the value starts
//   FF FE: one byte per char (high byte 0), a 0x00 byte toggling between that
//   and two-byte mode.
// Unpaired surrogates and odd trailing bytes become U+FFFD.
#pragma once

#include "jet/Bytes.h"
#include "jet/Format.h"

#include <cstdint>
#include <string>

namespace jet {

// Code page 1252's characters for the bytes 0x80..0x9F.
extern const char16_t kCp1252High[32];

void AppendUtf8(std::string& out, char32_t c);
void AppendCodePageText(std::string& out, Bytes bytes, std::uint16_t codePage);
void AppendUcs2Text(std::string& out, Bytes bytes);
// Jet 4 text value: compressed when it starts FF FE, else UCS-2.
void AppendJet4Text(std::string& out, Bytes bytes);
// A text value of either version.
void AppendText(std::string& out, Bytes bytes, const Format& format, std::uint16_t codePage);

inline std::string DecodeText(Bytes bytes, const Format& format, std::uint16_t codePage) {
  std::string s;
  AppendText(s, bytes, format, codePage);
  return s;
}

}  // namespace jet
