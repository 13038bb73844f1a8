// The advisory write lock of a database file: an exclusive flock() on the
// file "<database>.lock" beside it, held for one write operation. A second
// writer — another program or the command-line tool — gets FileInUseError at
// once instead of waiting. The lock file is removed on release; a writer
// that locked a lock file which was removed meanwhile tries again.
#pragma once

#include <string>

namespace jet {

class FileWriteLock {
 public:
  explicit FileWriteLock(const std::string& databasePath);
  ~FileWriteLock();
  FileWriteLock(const FileWriteLock&) = delete;
  FileWriteLock& operator=(const FileWriteLock&) = delete;
  FileWriteLock(FileWriteLock&& other) noexcept;
  FileWriteLock& operator=(FileWriteLock&&) = delete;

  static std::string LockPathFor(const std::string& databasePath) { return databasePath + ".lock"; }

 private:
  std::string lockPath_;
  int fd_ = -1;
};

}  // namespace jet
