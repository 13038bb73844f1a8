// The database file as an array of fixed-size pages (Jet 3: 2048 bytes,
// Jet 4: 4096). The file is read into memory once (memory is bounded by the
// file's size); when the header's encoding key is not zero every page n ≥ 1
// is RC4-decoded once, at open. page(n) checks n against the page count; page 0 is the header with
// its masked region decoded.
#pragma once

#include "jet/Bytes.h"
#include "jet/Format.h"
#include "jet/Header.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace jet {

// Page type bytes (byte 0 of every page).
enum class PageType : std::uint8_t {
  Header = 0x00,
  Data = 0x01,  // also LVAL pages and usage-map definition pages
  TableDefinition = 0x02,
  IndexNode = 0x03,
  IndexLeaf = 0x04,
  UsageMap = 0x05,
};

class PageFile {
 public:
  // Reads the file at `path`. Throws FileMissing, NotAccessFile, Unsupported
  // or Damaged (a size that is not a whole number of pages).
  static PageFile Open(const std::string& path);
  // The same from bytes already in memory (tests, the fuzzer).
  static PageFile FromBytes(std::vector<std::uint8_t> bytes, std::string name = "(memory)");

  const std::string& path() const { return path_; }
  const Header& header() const { return header_; }
  const Format& format() const { return *header_.format; }
  std::uint32_t pageSize() const { return header_.format->pageSize; }
  std::uint32_t pageCount() const { return pageCount_; }
  std::size_t fileSize() const { return size_; }

  // Page n, decoded. Page 0 is the header with its masked region decoded.
  // Throws Damaged (naming `referrer` when given) if n is past the end.
  Bytes page(std::uint32_t n) const;
  Bytes page(std::uint32_t n, std::uint32_t referrer, const char* what) const;
  PageType pageType(std::uint32_t n) const { return PageType(page(n)[0]); }
  bool valid(std::uint32_t n) const { return n < pageCount_; }

 private:
  PageFile() = default;
  void init();
  void adopt(std::vector<std::uint8_t> bytes);
  std::string path_;
  std::shared_ptr<const void> storage_;  // owns what data_ points to
  const std::uint8_t* data_ = nullptr;
  std::size_t size_ = 0;
  Header header_;
  std::uint32_t pageCount_ = 0;
};

}  // namespace jet
