// Text conversions the write side needs: UTF-8 from and to UTF-16LE (Jet 4),
// code page 1252 (Jet 3), and Jet 4 "compressed unicode" (FF FE, then one byte
// per character while every character is in 0x01..0xFF).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace jet {

// UTF-8 to UTF-16 code units; throws WriteError on invalid UTF-8.
std::u16string Utf8ToUtf16(std::string_view utf8);
std::string Utf16ToUtf8(std::u16string_view utf16);
// Code page 1252 bytes; throws WriteError naming the character that has none.
std::vector<std::uint8_t> Utf16ToCp1252(std::u16string_view text);

// Jet 4 storage of a text value: compressed when `compressible` (the column's
// ext flag 0x01), the text has more than 2 and at most 1024 characters, and
// every character is in 0x01..0xFF; otherwise UTF-16LE.
std::vector<std::uint8_t> EncodeJet4Text(std::u16string_view text, bool compressible);

}  // namespace jet
