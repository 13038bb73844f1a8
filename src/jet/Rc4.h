// RC4 (the standard key schedule and keystream), used twice by Jet: the fixed
// key C7 DA 39 6B masks page 0's header region, and a file with a non-zero
// encoding key has every other page encoded with a key derived from the page
// number. Encoding and decoding are the same operation.
#pragma once

#include <cstddef>
#include <cstdint>

namespace jet {

void Rc4Xor(const std::uint8_t* key, std::size_t keyLength, std::uint8_t* data, std::size_t length);

// Page n ≥ 1 of a file whose header holds `encodingKey` ≠ 0: RC4 over the whole
// page with the four little-endian bytes of (encodingKey XOR n) as key.
void Rc4CodePage(std::uint32_t encodingKey, std::uint32_t pageNumber, std::uint8_t* page, std::size_t pageSize);

}  // namespace jet
