// libFuzzer target: open any bytes as a database, dump every user table the
// way `ostrelda-dict dump` does, and run the structure check. A jet::Error is
// the expected outcome for damaged input; anything else (another exception,
// a crash, a sanitizer report, a hang) is a finding.
#include "DumpJson.h"

#include "jet/Database.h"
#include "jet/StructureCheck.h"

#include <cstddef>
#include <cstdint>
#include <ostream>
#include <streambuf>
#include <string>
#include <vector>

namespace {
struct NullBuffer : std::streambuf {
  int overflow(int c) override { return c; }
  std::streamsize xsputn(const char*, std::streamsize n) override { return n; }
};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<std::uint8_t> bytes(data, data + size);
  try {
    // Open with the file's own password so that the fuzzer gets past the check.
    std::string password;
    try {
      password = jet::PageFile::FromBytes(bytes).header().password;
    } catch (const jet::Error&) {
    }
    auto db = jet::Database::FromBytes(bytes, password);
    // The dump itself, into a stream that keeps nothing.
    NullBuffer sink;
    std::ostream out(&sink);
    try {
      tool::WriteDumpJson(*db, out);
    } catch (const jet::Error&) {
    }
    jet::CheckStructure(db->file());
  } catch (const jet::Error&) {
  }
  return 0;
}
