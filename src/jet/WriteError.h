// The error every write operation throws: a message a user can act on
// (which file, which table or page, what was wrong). Nothing is written to
// the original file when it is thrown.
#pragma once

#include <stdexcept>
#include <string>

namespace jet {

class WriteError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Another writer holds the file's lock.
class FileInUseError : public WriteError {
 public:
  using WriteError::WriteError;
};

}  // namespace jet
