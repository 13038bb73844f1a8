#include "jet/PageFile.h"

#include "jet/Rc4.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <new>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace jet {

void ThrowDamaged(std::uint32_t page, const std::string& what) {
  throw Error(ErrorKind::Damaged, "The database is damaged at page " + std::to_string(page) + ": " + what + ".", page);
}

namespace {
// Anonymous memory for the file's bytes. Large buffers ask for transparent
// huge pages (a few faults instead of one per 4 KiB page); small ones are
// populated at once.
struct Unmap {
  void* base;
  std::size_t size;
  void operator()(std::uint8_t*) const { ::munmap(base, size); }
};
std::unique_ptr<std::uint8_t, Unmap> AllocateBuffer(std::size_t size) {
  constexpr std::size_t kHuge = std::size_t(2) << 20;
  if (size < kHuge) {
    void* p = ::mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_POPULATE, -1, 0);
    if (p == MAP_FAILED) throw std::bad_alloc();
    return std::unique_ptr<std::uint8_t, Unmap>(static_cast<std::uint8_t*>(p), Unmap{p, size});
  }
  const std::size_t mapped = (size + kHuge - 1) / kHuge * kHuge + kHuge;
  void* p = ::mmap(nullptr, mapped, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (p == MAP_FAILED) throw std::bad_alloc();
  auto* aligned = reinterpret_cast<std::uint8_t*>((reinterpret_cast<std::uintptr_t>(p) + kHuge - 1) & ~(kHuge - 1));
  ::madvise(aligned, mapped - std::size_t(aligned - static_cast<std::uint8_t*>(p)), MADV_HUGEPAGE);
  return std::unique_ptr<std::uint8_t, Unmap>(aligned, Unmap{p, mapped});
}
}  // namespace

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
  // Read, not mapped: a mapping would turn a file shortened by someone else
  // while we read it into a crash (SIGBUS); a copy cannot change under us.
  // One buffer of the file's size (plus one byte to see the end), its
  // pages faulted in by one call; grown only if the file grows meanwhile.
  std::size_t capacity = (S_ISREG(st.st_mode) && st.st_size > 0 ? std::size_t(st.st_size) : 0) + 1;
  auto buffer = AllocateBuffer(capacity);
  std::size_t have = 0;
  while (true) {
    if (have == capacity) {
      auto bigger = AllocateBuffer(capacity * 2);
      std::memcpy(bigger.get(), buffer.get(), have);
      buffer = std::move(bigger);
      capacity *= 2;
    }
    ssize_t n = ::read(fd, buffer.get() + have, capacity - have);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      const int error = errno;
      ::close(fd);
      throw Error(ErrorKind::FileMissing, "The file " + path + " cannot be read (" + std::strerror(error) + ").");
    }
    if (n == 0) break;
    have += std::size_t(n);
  }
  pf.data_ = buffer.get();
  pf.size_ = have;
  pf.storage_ = std::shared_ptr<std::uint8_t>(std::move(buffer));
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
