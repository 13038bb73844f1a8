#include "jet/PageFile.h"

#include "jet/Rc4.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>

namespace jet {

void ThrowDamaged(std::uint32_t page, const std::string& what) {
  throw Error(ErrorKind::Damaged, "The database is damaged at page " + std::to_string(page) + ": " + what + ".", page);
}

PageFile PageFile::Open(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0)
    throw Error(ErrorKind::FileMissing, "The file " + path + " cannot be found (" + std::strerror(errno) + ").");
  if (S_ISDIR(st.st_mode)) throw Error(ErrorKind::FileMissing, path + " is a folder, not a database file.");
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) throw Error(ErrorKind::FileMissing, "The file " + path + " cannot be opened (" + std::strerror(errno) + ").");
  std::vector<std::uint8_t> bytes;
  if (st.st_size > 0) bytes.reserve(std::size_t(st.st_size));
  std::uint8_t buffer[1 << 16];
  std::size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) bytes.insert(bytes.end(), buffer, buffer + n);
  bool failed = std::ferror(file);
  std::fclose(file);
  if (failed) throw Error(ErrorKind::FileMissing, "The file " + path + " cannot be read.");
  PageFile pf;
  pf.path_ = path;
  pf.bytes_ = std::move(bytes);
  pf.init();
  return pf;
}

PageFile PageFile::FromBytes(std::vector<std::uint8_t> bytes, std::string name) {
  PageFile pf;
  pf.path_ = std::move(name);
  pf.bytes_ = std::move(bytes);
  pf.init();
  return pf;
}

void PageFile::init() {
  header_ = Header::Parse(bytes_);
  const std::uint32_t size = header_.format->pageSize;
  if (bytes_.size() % size != 0)
    ThrowDamaged(std::uint32_t(bytes_.size() / size),
                 "the file is truncated (" + std::to_string(bytes_.size()) + " bytes is not a whole number of " +
                     std::to_string(size) + "-byte pages)");
  if (bytes_.size() / size > 0xFFFFFF)
    throw Error(ErrorKind::Unsupported, "The file has more pages than a Jet database can address.");
  pageCount_ = std::uint32_t(bytes_.size() / size);
  if (pageCount_ < 3) ThrowDamaged(pageCount_, "the file ends before the system catalog (page 2)");
  // Page 0 is kept decoded so that page(0) shows the header fields.
  std::memcpy(bytes_.data(), header_.decoded.data(), size);
  if (header_.encodingKey != 0)
    for (std::uint32_t n = 1; n < pageCount_; ++n)
      Rc4CodePage(header_.encodingKey, n, bytes_.data() + std::size_t(n) * size, size);
}

Bytes PageFile::page(std::uint32_t n) const {
  if (n >= pageCount_)
    ThrowDamaged(n, "the page lies past the end of the file (" + std::to_string(pageCount_) + " pages)");
  return Bytes(bytes_.data() + std::size_t(n) * pageSize(), pageSize());
}

Bytes PageFile::page(std::uint32_t n, std::uint32_t referrer, const char* what) const {
  if (n >= pageCount_)
    ThrowDamaged(referrer, std::string(what) + " points to page " + std::to_string(n) + ", past the end of the file (" +
                               std::to_string(pageCount_) + " pages)");
  return Bytes(bytes_.data() + std::size_t(n) * pageSize(), pageSize());
}

}  // namespace jet
