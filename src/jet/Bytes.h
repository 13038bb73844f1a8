// Little-endian reads from a byte range, each checked against the range's
// end. Every number the engine takes from the file goes through these, so a
// short or lying structure becomes a jet::Error naming the page, never a
// read outside the buffer.
#pragma once

#include "jet/Error.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>

namespace jet {

using Bytes = std::span<const std::uint8_t>;

// Unchecked reads for places whose bounds were checked as a whole.
inline std::uint16_t Le16(const std::uint8_t* p) { return std::uint16_t(p[0] | (p[1] << 8)); }
inline std::uint32_t Le24(const std::uint8_t* p) { return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16); }
inline std::uint32_t Le32(const std::uint8_t* p) {
  return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) | (std::uint32_t(p[3]) << 24);
}
inline std::uint64_t Le64(const std::uint8_t* p) { return std::uint64_t(Le32(p)) | (std::uint64_t(Le32(p + 4)) << 32); }
inline double LeDouble(const std::uint8_t* p) {
  std::uint64_t bits = Le64(p);
  double d;
  std::memcpy(&d, &bits, sizeof d);
  return d;
}
inline float LeFloat(const std::uint8_t* p) {
  std::uint32_t bits = Le32(p);
  float f;
  std::memcpy(&f, &bits, sizeof f);
  return f;
}

// A byte range read on behalf of one page: reads past its end throw
// "damaged at page N: reading <what> ... goes past the end of its structure".
class Reader {
 public:
  Reader(Bytes bytes, std::uint32_t page) : bytes_(bytes), page_(page) {}
  std::size_t size() const { return bytes_.size(); }
  std::uint32_t page() const { return page_; }
  Bytes bytes() const { return bytes_; }

  void need(std::size_t offset, std::size_t length, const char* what) const {
    if (offset > bytes_.size() || length > bytes_.size() - offset)
      ThrowDamaged(page_, "reading " + std::string(what) + " at offset " + std::to_string(offset) + " (" +
                              std::to_string(length) + " bytes) goes past the end of its structure (" +
                              std::to_string(bytes_.size()) + " bytes)");
  }
  std::uint8_t u8(std::size_t offset, const char* what) const { need(offset, 1, what); return bytes_[offset]; }
  std::uint16_t u16(std::size_t offset, const char* what) const { need(offset, 2, what); return Le16(&bytes_[offset]); }
  std::uint32_t u32(std::size_t offset, const char* what) const { need(offset, 4, what); return Le32(&bytes_[offset]); }
  Bytes slice(std::size_t offset, std::size_t length, const char* what) const {
    need(offset, length, what);
    return bytes_.subspan(offset, length);
  }

 private:
  Bytes bytes_;
  std::uint32_t page_;
};

// A row pointer ("pg_row"): 4 bytes little-endian = (page << 8) | row.
struct RowPointer {
  std::uint32_t page = 0;
  std::uint8_t row = 0;
  static RowPointer FromWord(std::uint32_t word) { return {word >> 8, std::uint8_t(word & 0xFF)}; }
  bool null() const { return page == 0 && row == 0; }
};

}  // namespace jet
