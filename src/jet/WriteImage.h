// The whole database file held in memory, pages decoded, for one write
// operation. Changes are made to this image only; Save() re-encodes the pages
// of an encoded file and hands the bytes to the atomic file layer, so the file
// on disk is either the old one or the new one.
#pragma once

#include "jet/WriteBytes.h"
#include "jet/WriteFormat.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace jet {

class WriteImage {
 public:
  // Reads and decodes the file; checks the header and the version (Jet 3 or
  // Jet 4 only). The password is checked separately (checkPassword).
  static WriteImage Load(const std::string& path);
  // A fresh image (used when creating a database); page 0 is written by the caller.
  static WriteImage Fresh(const WriteFormat& format, std::uint32_t pages);

  const WriteFormat& format() const { return *format_; }
  std::uint32_t pageSize() const { return format_->pageSize; }
  std::uint32_t pageCount() const { return std::uint32_t(bytes_.size() / format_->pageSize); }
  std::uint8_t* page(std::uint32_t n);
  const std::uint8_t* page(std::uint32_t n) const;

  // A new zero-filled page at the end of the file; marks it used in the
  // global usage map (page 1, row 0).
  std::uint32_t allocatePage();
  // Marks a page unused again (global map bit set, page zeroed).
  void freePage(std::uint32_t n);

  // The database password stored in the header ("" when none).
  std::string storedPassword() const;
  // Throws WriteError (kind WrongPassword) unless `password` matches; a file
  // without a password accepts any.
  void checkPassword(std::string_view password, const std::string& path) const;

  std::uint32_t encodingKey() const { return wbytes::get32(page0Plain_.data() + 0x3E); }
  std::uint16_t codePage() const { return wbytes::get16(page0Plain_.data() + 0x3C); }

  // The file's bytes with page 0's header region masked and, for an encoded
  // file, every other page RC4-encoded with its own key.
  std::vector<std::uint8_t> encode() const;

  // For a fresh image: sets the plain header (page 0 before masking).
  void setPlainHeader(const std::vector<std::uint8_t>& header);
  // Sets the page encoding key (0 = pages not encoded); Save encodes with it.
  void setEncodingKey(std::uint32_t key) { wbytes::put32(page0Plain_.data() + 0x3E, key); }

 private:
  const WriteFormat* format_ = nullptr;
  std::vector<std::uint8_t> bytes_;       // decoded pages; page 0 holds the plain header
  std::vector<std::uint8_t> page0Plain_;  // page 0 with the masked region unmasked
};


}  // namespace jet
