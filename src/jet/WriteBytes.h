// Little- and big-endian field access on page buffers, for the write side.
#pragma once

#include <cstdint>
#include <cstring>
#include <vector>

namespace jet::wbytes {

using Bytes = std::vector<std::uint8_t>;

inline std::uint16_t get16(const std::uint8_t* p) { return std::uint16_t(p[0] | (p[1] << 8)); }
inline std::uint32_t get32(const std::uint8_t* p) {
  return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) |
         (std::uint32_t(p[3]) << 24);
}
inline void put16(std::uint8_t* p, std::uint32_t v) {
  p[0] = std::uint8_t(v);
  p[1] = std::uint8_t(v >> 8);
}
inline void put32(std::uint8_t* p, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = std::uint8_t(v >> (8 * i));
}
inline void putBE32(std::uint8_t* p, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = std::uint8_t(v >> (24 - 8 * i));
}
inline std::uint32_t getBE32(const std::uint8_t* p) {
  return (std::uint32_t(p[0]) << 24) | (std::uint32_t(p[1]) << 16) | (std::uint32_t(p[2]) << 8) | p[3];
}
inline void append16(Bytes& b, std::uint32_t v) {
  b.push_back(std::uint8_t(v));
  b.push_back(std::uint8_t(v >> 8));
}
inline void append32(Bytes& b, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) b.push_back(std::uint8_t(v >> (8 * i)));
}
inline void appendDouble(Bytes& b, double d) {
  std::uint64_t u;
  std::memcpy(&u, &d, 8);
  for (int i = 0; i < 8; ++i) b.push_back(std::uint8_t(u >> (8 * i)));
}

// A row pointer as TDEFs, long values and usage maps store it: row in the
// low byte, page in the upper 24 bits.
inline std::uint32_t rowPointer(std::uint32_t page, std::uint32_t row) { return (page << 8) | (row & 0xFF); }

}  // namespace jet::wbytes
