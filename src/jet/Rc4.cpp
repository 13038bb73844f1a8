#include "jet/Rc4.h"

#include <utility>

namespace jet {

void Rc4Xor(const std::uint8_t* key, std::size_t keyLength, std::uint8_t* data, std::size_t length) {
  std::uint8_t s[256];
  for (int i = 0; i < 256; ++i) s[i] = std::uint8_t(i);
  std::uint8_t j = 0;
  for (int i = 0; i < 256; ++i) {
    j = std::uint8_t(j + s[i] + key[i % keyLength]);
    std::swap(s[i], s[j]);
  }
  std::uint8_t a = 0, b = 0;
  for (std::size_t k = 0; k < length; ++k) {
    a = std::uint8_t(a + 1);
    b = std::uint8_t(b + s[a]);
    std::swap(s[a], s[b]);
    data[k] ^= s[std::uint8_t(s[a] + s[b])];
  }
}

void Rc4CodePage(std::uint32_t encodingKey, std::uint32_t pageNumber, std::uint8_t* page, std::size_t pageSize) {
  std::uint32_t k = encodingKey ^ pageNumber;
  const std::uint8_t key[4] = {std::uint8_t(k), std::uint8_t(k >> 8), std::uint8_t(k >> 16), std::uint8_t(k >> 24)};
  Rc4Xor(key, 4, page, pageSize);
}

}  // namespace jet
