// libFuzzer target: open any bytes as a database, dump every user table the
// way `ostrelda-dict dump` does, and run the structure check. A jet::Error is
// the expected outcome for damaged input; anything else (another exception,
// a crash, a sanitizer report, a hang) is a finding.
#include "JsonWriter.h"

#include "jet/Database.h"
#include "jet/StructureCheck.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

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
    std::string json;
    for (const auto& entry : db->userTables()) {
      try {
        jet::Table table = db->table(entry.name);
        table.forEachRow([&](const std::vector<jet::Value>& row) {
          for (const auto& v : row) tool::AppendJsonValue(json, v);
          if (json.size() > (1u << 20)) json.clear();
        });
      } catch (const jet::Error&) {
      }
    }
    jet::CheckStructure(db->file());
  } catch (const jet::Error&) {
  }
  return 0;
}
