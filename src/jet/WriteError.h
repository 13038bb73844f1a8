// The error every write operation throws: a message a user can act on
// (which file, which table or page, what was wrong). Nothing is written to
// the original file when it is thrown.
#pragma once

#include "jet/Error.h"

#include <string>

namespace jet {

class WriteError : public Error {
 public:
  explicit WriteError(const std::string& message, ErrorKind kind = ErrorKind::Refused) : Error(kind, message) {}
};

// Another writer holds the file's lock.
class FileInUseError : public WriteError {
 public:
  explicit FileInUseError(const std::string& message) : WriteError(message, ErrorKind::InUse) {}
};

}  // namespace jet
