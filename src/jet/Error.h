// The error every read operation of the engine throws. Its message names the
// file's problem in words a user can act on; `kind` lets callers tell the
// cases apart without parsing the text, and `page` says where a damaged file
// went wrong (when known).
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>

namespace jet {

enum class ErrorKind {
  FileMissing,    // the path names no readable file
  NotAccessFile,  // empty, too short, or no Jet signature on page 0
  Unsupported,    // a real Access file of a version or feature we do not read
  Damaged,        // a structure inside the file is inconsistent
  WrongPassword,  // the database password does not match
  NotFound,       // a table or column asked for does not exist
  InUse,          // another writer holds the file's write lock
  Refused,        // a write that cannot be done exactly (a value, a key, the disk); nothing was written
};

class Error : public std::runtime_error {
 public:
  Error(ErrorKind kind, const std::string& message, std::optional<std::uint32_t> page = std::nullopt)
      : std::runtime_error(message), kind_(kind), page_(page) {}
  ErrorKind kind() const { return kind_; }
  std::optional<std::uint32_t> page() const { return page_; }

 private:
  ErrorKind kind_;
  std::optional<std::uint32_t> page_;
};

// The exact text a wrong database password is reported with.
inline constexpr const char* kWrongPasswordMessage = "Not a valid password.";

// "Damaged at page N: what" — the one way structural faults are reported.
[[noreturn]] void ThrowDamaged(std::uint32_t page, const std::string& what);

}  // namespace jet
