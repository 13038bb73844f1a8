#include "jet/FileLock.h"

#include "jet/WriteError.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace jet {

FileWriteLock::FileWriteLock(const std::string& databasePath) : lockPath_(LockPathFor(databasePath)) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    const int fd = ::open(lockPath_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0)
      throw WriteError("Cannot create the lock file \"" + lockPath_ + "\": " + std::strerror(errno) + ".");
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
      const int err = errno;
      ::close(fd);
      if (err == EWOULDBLOCK)
        throw FileInUseError("\"" + databasePath + "\" is in use: another program is writing to it. Try again when it has finished.");
      throw WriteError("Cannot lock \"" + lockPath_ + "\": " + std::strerror(err) + ".");
    }
    // The file we locked must still be the one under the name.
    struct stat held {}, named {};
    if (::fstat(fd, &held) == 0 && ::stat(lockPath_.c_str(), &named) == 0 && held.st_ino == named.st_ino &&
        held.st_dev == named.st_dev) {
      fd_ = fd;
      return;
    }
    ::close(fd);
  }
  throw WriteError("Cannot lock \"" + databasePath + "\": its lock file keeps changing.");
}

FileWriteLock::FileWriteLock(FileWriteLock&& other) noexcept : lockPath_(std::move(other.lockPath_)), fd_(other.fd_) {
  other.fd_ = -1;
}

FileWriteLock::~FileWriteLock() {
  if (fd_ < 0) return;
  ::unlink(lockPath_.c_str());
  ::close(fd_);
}

}  // namespace jet
