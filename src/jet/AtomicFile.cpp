#include "jet/AtomicFile.h"

#include "jet/WriteError.h"

#include <cerrno>
#include <filesystem>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace jet {

namespace {

constexpr const char* kCopyTag = ".writing-";

std::string folderOf(const std::string& path) {
  const auto slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

std::string baseOf(const std::string& path) {
  const auto slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

[[noreturn]] void fail(const std::string& what, const std::string& path, int err) {
  throw WriteError(what + " \"" + path + "\": " + std::strerror(err) + ".");
}

}  // namespace

void WriteFileAtomically(const std::string& path, const std::vector<std::uint8_t>& bytes, bool mustNotExist) {
  struct stat original {};
  const bool exists = ::stat(path.c_str(), &original) == 0;
  if (exists && mustNotExist) throw WriteError("\"" + path + "\" exists already.");
  const std::string folder = folderOf(path);
  std::string tmp = folder + "/." + baseOf(path) + kCopyTag + "XXXXXX";
  const int fd = ::mkstemp(tmp.data());
  if (fd < 0) fail("Cannot create a temporary file beside", path, errno);
  auto cleanup = [&](const std::string& what, int err) {
    ::close(fd);
    ::unlink(tmp.c_str());
    fail(what, path, err);
  };
  // Keep the original's permissions; a new file gets the usual 0666 & ~umask.
  mode_t mode;
  if (exists) {
    mode = original.st_mode & 07777;
  } else {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    mode = 0666 & ~mask;
  }
  if (::fchmod(fd, mode) != 0) cleanup("Cannot set the permissions of the copy of", errno);
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      cleanup("Cannot write the copy of", errno);
    }
    done += std::size_t(n);
  }
  if (::fsync(fd) != 0) cleanup("Cannot flush the copy of", errno);
  if (::close(fd) != 0) {
    const int err = errno;
    ::unlink(tmp.c_str());
    fail("Cannot close the copy of", path, err);
  }
  if (mustNotExist) {
    // link() fails if the name was taken meanwhile; then the temporary goes.
    if (::link(tmp.c_str(), path.c_str()) != 0) {
      const int err = errno;
      ::unlink(tmp.c_str());
      if (err == EEXIST) throw WriteError("\"" + path + "\" exists already.");
      fail("Cannot create", path, err);
    }
    ::unlink(tmp.c_str());
  } else if (::rename(tmp.c_str(), path.c_str()) != 0) {
    const int err = errno;
    ::unlink(tmp.c_str());
    fail("Cannot replace", path, err);
  }
  const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
  if (dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
}

void RemoveStaleCopies(const std::string& path) {
  const std::string prefix = "." + baseOf(path) + kCopyTag;
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(folderOf(path), ec)) {
    const std::string name = entry.path().filename().string();
    if (name.size() == prefix.size() + 6 && name.rfind(prefix, 0) == 0) std::filesystem::remove(entry.path(), ec);
  }
}

}  // namespace jet
