// Replacing a file atomically: the new bytes go to a temporary file in the
// same folder, which is flushed (fsync), renamed over the original, and the
// folder is flushed so the rename itself is durable. A crash at any moment
// leaves either the old file or the new one; an error removes the temporary
// file and leaves the original untouched.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace jet {

// `mustNotExist`: fail instead of replacing an existing file (creating).
void WriteFileAtomically(const std::string& path, const std::vector<std::uint8_t>& bytes, bool mustNotExist = false);

// Removes temporary copies of `path` left by a writer that was killed. Call
// only while holding the file's write lock (no other writer is making one).
void RemoveStaleCopies(const std::string& path);

}  // namespace jet
