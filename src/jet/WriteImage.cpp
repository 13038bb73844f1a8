#include "jet/WriteImage.h"

#include "jet/Rc4.h"
#include "jet/WriteDataPage.h"
#include "jet/WriteError.h"
#include "jet/WriteUsageMap.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <fstream>
#include <iterator>

namespace jet {

using namespace wbytes;

namespace {

// Page 0 from 0x18 is masked with the RC4 keystream of this fixed key.
constexpr std::uint8_t kHeaderKey[4] = {0xC7, 0xDA, 0x39, 0x6B};
constexpr std::uint32_t kHeaderMaskStart = 0x18;

void applyHeaderMask(std::uint8_t* page0, std::uint32_t length) {
  Rc4Xor(kHeaderKey, 4, page0 + kHeaderMaskStart, length);
}

void applyPageKey(std::uint32_t dbKey, std::uint32_t pageNumber, std::uint8_t* page, std::uint32_t size) {
  Rc4CodePage(dbKey, pageNumber, page, size);
}

// The J4 password field is further masked with the creation date's integer
// part, repeated (4 bytes).
std::array<std::uint8_t, 4> passwordMask(const std::uint8_t* header) {
  double date;
  std::memcpy(&date, header + 0x72, 8);
  std::int32_t whole = static_cast<std::int32_t>(date);
  std::array<std::uint8_t, 4> mask{};
  put32(mask.data(), static_cast<std::uint32_t>(whole));
  return mask;
}

}  // namespace

WriteImage WriteImage::Load(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw WriteError("Cannot open \"" + path + "\" for reading.", ErrorKind::FileMissing);
  std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (bytes.size() < 2048 || bytes[0] != 0x00 || std::memcmp(bytes.data() + 4, "Standard Jet DB", 15) != 0)
    throw WriteError("\"" + path + "\" is not an Access database.", ErrorKind::NotAccessFile);
  const std::uint8_t version = bytes[0x14];
  if (version > 1)
    throw WriteError("\"" + path + "\" is an Access 2007 or later file; only Jet 3 and Jet 4 files can be written.");
  WriteImage image;
  image.format_ = version == 0 ? &WriteFormat::jet3() : &WriteFormat::jet4Format();
  const std::uint32_t ps = image.format_->pageSize;
  if (bytes.size() % ps != 0)
    throw WriteError("\"" + path + "\" is damaged: its size is not a whole number of pages.");
  image.bytes_ = std::move(bytes);
  image.page0Plain_.assign(image.bytes_.begin(), image.bytes_.begin() + ps);
  applyHeaderMask(image.page0Plain_.data(), image.format_->headerRc4Length);
  const std::uint32_t key = image.encodingKey();
  if (key != 0) {
    for (std::uint32_t n = 1; n < image.pageCount(); ++n) applyPageKey(key, n, image.page(n), ps);
  }
  return image;
}

WriteImage WriteImage::Fresh(const WriteFormat& format, std::uint32_t pages) {
  WriteImage image;
  image.format_ = &format;
  image.bytes_.assign(std::size_t(pages) * format.pageSize, 0);
  image.page0Plain_.assign(format.pageSize, 0);
  return image;
}

void WriteImage::setPlainHeader(const std::vector<std::uint8_t>& header) {
  page0Plain_ = header;
  page0Plain_.resize(format_->pageSize, 0);
}

std::uint8_t* WriteImage::page(std::uint32_t n) {
  if (n >= pageCount()) throw WriteError("Page " + std::to_string(n) + " lies past the end of the file.");
  return bytes_.data() + std::size_t(n) * format_->pageSize;
}

const std::uint8_t* WriteImage::page(std::uint32_t n) const {
  if (n >= pageCount()) throw WriteError("Page " + std::to_string(n) + " lies past the end of the file.");
  return bytes_.data() + std::size_t(n) * format_->pageSize;
}

namespace {

// The global usage map: page 1, row 0, an inline map in which a set bit marks
// a free page. Grows the row when `pageNumber` lies past its window, marking
// the new pages past the end of the file free as Access does.
void setGlobalBit(WriteImage& image, std::uint32_t pageNumber, bool free) {
  if (image.pageCount() < 2) return;
  DataPageView page1(image, 1);
  if (page1.rowCount() == 0) return;
  std::vector<std::uint8_t> row = page1.row(0);
  if (row.size() < 5) return;
  if (row[0] == 0x01) {
    // A reference map: its bitmap pages hold the bits (a missing one = all in use).
    UsageMapEdit global(image, rowPointer(1, 0));
    if (free)
      global.add(pageNumber);
    else
      global.remove(pageNumber);
    return;
  }
  if (row[0] != 0x00) return;
  const std::uint32_t start = get32(row.data() + 1);
  if (pageNumber < start) return;
  const std::uint32_t bit = pageNumber - start;
  if (bit >= (row.size() - 5) * 8) {
    if (free) return;
    // Grow the row to cover this page and 64 more; the new pages past the
    // end of the file are free, as Access keeps them.
    row.resize(5 + (bit + 64) / 8 + 1, 0xFF);
  }
  if (free)
    row[5 + bit / 8] |= std::uint8_t(1u << (bit % 8));
  else
    row[5 + bit / 8] &= std::uint8_t(~(1u << (bit % 8)));
  page1.replaceRow(0, row);
}

}  // namespace

std::uint32_t WriteImage::allocatePage() {
  const std::uint32_t n = pageCount();
  bytes_.resize(bytes_.size() + format_->pageSize, 0);
  setGlobalBit(*this, n, false);
  return n;
}

void WriteImage::freePage(std::uint32_t n) {
  std::memset(page(n), 0, format_->pageSize);
  setGlobalBit(*this, n, true);
}

std::string WriteImage::storedPassword() const {
  const std::uint8_t* h = page0Plain_.data();
  std::string out;
  if (!format_->jet4) {
    for (int i = 0; i < 20 && h[0x42 + i]; ++i) out.push_back(char(h[0x42 + i]));
    return out;
  }
  auto mask = passwordMask(h);
  std::uint8_t field[40];
  for (int i = 0; i < 40; ++i) field[i] = h[0x42 + i] ^ mask[i % 4];
  for (int i = 0; i < 40; i += 2) {
    std::uint32_t c = field[i] | (field[i + 1] << 8);
    if (c == 0) break;
    // UTF-8 of one UCS-2 unit
    if (c < 0x80) {
      out.push_back(char(c));
    } else if (c < 0x800) {
      out.push_back(char(0xC0 | (c >> 6)));
      out.push_back(char(0x80 | (c & 0x3F)));
    } else {
      out.push_back(char(0xE0 | (c >> 12)));
      out.push_back(char(0x80 | ((c >> 6) & 0x3F)));
      out.push_back(char(0x80 | (c & 0x3F)));
    }
  }
  return out;
}

void WriteImage::checkPassword(std::string_view password, const std::string& /*path*/) const {
  const std::string stored = storedPassword();
  if (!stored.empty() && stored != password)
    throw WriteError(kWrongPasswordMessage, ErrorKind::WrongPassword);
}

std::vector<std::uint8_t> WriteImage::encode() const {
  std::vector<std::uint8_t> out = bytes_;
  const std::uint32_t ps = format_->pageSize;
  std::memcpy(out.data(), page0Plain_.data(), ps);
  applyHeaderMask(out.data(), format_->headerRc4Length);
  const std::uint32_t key = encodingKey();
  if (key != 0) {
    for (std::uint32_t n = 1; n < pageCount(); ++n) applyPageKey(key, n, out.data() + std::size_t(n) * ps, ps);
  }
  return out;
}

}  // namespace jet
