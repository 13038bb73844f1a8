#include "jet/PageFile.h"

#include "jet/Rc4.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace jet {

void ThrowDamaged(std::uint32_t page, const std::string& what) {
  throw Error(ErrorKind::Damaged, "The database is damaged at page " + std::to_string(page) + ": " + what + ".", page);
}

PageFile PageFile::Open(const std::string& path) {
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0)
    throw Error(ErrorKind::FileMissing, "The file " + path + " cannot be " +
                                            (errno == ENOENT ? "found" : "opened") + " (" + std::strerror(errno) + ").");
  struct stat st {};
  if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
    ::close(fd);
    throw Error(ErrorKind::FileMissing, path + " is a folder or unreadable, not a database file.");
  }
  PageFile pf;
  pf.path_ = path;
  const std::size_t size = std::size_t(st.st_size);
  void* map = size > 0 && S_ISREG(st.st_mode) ? ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0) : MAP_FAILED;
  if (map != MAP_FAILED) {
    pf.storage_ = std::shared_ptr<void>(map, [size](void* p) { ::munmap(p, size); });
    pf.data_ = static_cast<const std::uint8_t*>(map);
    pf.size_ = size;
  } else {
    // Not mappable (empty, a pipe): read it.
    std::vector<std::uint8_t> bytes;
    std::uint8_t buffer[1 << 16];
    ssize_t n;
    while ((n = ::read(fd, buffer, sizeof buffer)) > 0) bytes.insert(bytes.end(), buffer, buffer + n);
    if (n < 0) {
      ::close(fd);
      throw Error(ErrorKind::FileMissing, "The file " + path + " cannot be read (" + std::strerror(errno) + ").");
    }
    pf.adopt(std::move(bytes));
  }
  ::close(fd);
  pf.init();
  return pf;
}

PageFile PageFile::FromBytes(std::vector<std::uint8_t> bytes, std::string name) {
  PageFile pf;
  pf.path_ = std::move(name);
  pf.adopt(std::move(bytes));
  pf.init();
  return pf;
}

void PageFile::adopt(std::vector<std::uint8_t> bytes) {
  auto owned = std::make_shared<std::vector<std::uint8_t>>(std::move(bytes));
  data_ = owned->data();
  size_ = owned->size();
  storage_ = owned;
}

void PageFile::init() {
  header_ = Header::Parse(Bytes(data_, size_));
  const std::uint32_t size = header_.format->pageSize;
  if (size_ % size != 0)
    ThrowDamaged(std::uint32_t(size_ / size), "the file is truncated (" + std::to_string(size_) +
                                                  " bytes is not a whole number of " + std::to_string(size) +
                                                  "-byte pages)");
  if (size_ / size > 0xFFFFFF) throw Error(ErrorKind::Unsupported, "The file has more pages than a Jet database can address.");
  pageCount_ = std::uint32_t(size_ / size);
  if (pageCount_ < 3) ThrowDamaged(pageCount_, "the file ends before the system catalog (page 2)");
  if (header_.encodingKey != 0) {
    // Encoded pages are decoded once into a private copy.
    std::vector<std::uint8_t> copy(data_, data_ + size_);
    for (std::uint32_t n = 1; n < pageCount_; ++n)
      Rc4CodePage(header_.encodingKey, n, copy.data() + std::size_t(n) * size, size);
    adopt(std::move(copy));
  }
}

Bytes PageFile::page(std::uint32_t n) const {
  if (n >= pageCount_)
    ThrowDamaged(n, "the page lies past the end of the file (" + std::to_string(pageCount_) + " pages)");
  if (n == 0) return Bytes(header_.decoded.data(), pageSize());
  return Bytes(data_ + std::size_t(n) * pageSize(), pageSize());
}

Bytes PageFile::page(std::uint32_t n, std::uint32_t referrer, const char* what) const {
  if (n >= pageCount_)
    ThrowDamaged(referrer, std::string(what) + " points to page " + std::to_string(n) + ", past the end of the file (" +
                               std::to_string(pageCount_) + " pages)");
  return page(n);
}

}  // namespace jet
