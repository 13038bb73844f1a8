// RC4-encoded files: copies of Access-written files encoded by our own RC4
// writer read back identically to the originals, by our engine and by
// mdbtools' mdb-export.
#include "ReadTestSupport.h"

#include "jet/Database.h"

#include <gtest/gtest.h>

using namespace readtest;

namespace {

// Every user table's rows as text, in scan order.
std::string DumpAll(const std::string& path, const std::string& password) {
  auto db = jet::Database::Open(path, password);
  std::string out;
  for (const auto& t : db->userTables()) {
    out += "table " + t.name + "\n";
    db->table(t.name).forEachRow([&](const std::vector<jet::Value>& row) {
      for (const auto& v : row) out += (v.isNull() ? std::string("<null>") : jet::ValueToText(v)) + "\t";
      out += "\n";
    });
  }
  return out;
}

std::vector<std::string> TableNames(const std::string& path, const std::string& password) {
  std::vector<std::string> names;
  for (const auto& t : jet::Database::Open(path, password)->userTables()) names.push_back(t.name);
  return names;
}

struct EncodedCase {
  const char* file;
  const char* password;
  std::uint32_t key;
};

TEST(Rc4Encoded, OurEngineAndMdbtoolsReadEncodedCopiesLikeTheOriginals) {
  if (!HaveCorpus()) GTEST_SKIP() << "no corpus at " << OSTRELDA_CORPUS_DIR;
  std::string probe;
  const bool haveMdbExport = RunCommand("command -v mdb-export", probe) == 0;
  const EncodedCase cases[] = {
      {"testV1997", "", 0x12345678u},                       // Jet 3, every column type
      {"testV2003", "", 0xDEADBEEFu},                       // Jet 4, 772 pages
      {"test2V2000", "", 0x00000001u},                      // long values in LVAL pages
      {"overflowTestV2000", "", 0x80000000u},               // overflow rows
      {"password_V2000_with-password", "password", 0x0BADF00Du},
      {"testUnicodeCompV2003", "", 0x7F7F7F7Fu},
  };
  const auto dir = ScratchDir("rc4");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    const std::string original = CorpusFile(c.file);
    const std::string encoded = (dir / (std::string(c.file) + ".mdb")).string();
    const auto plain = ReadBytes(original);
    const auto coded = EncodePages(plain, c.key);
    ASSERT_NE(coded, plain);
    WriteBytes(encoded, coded);

    EXPECT_EQ(jet::PageFile::Open(encoded).header().encodingKey, c.key);
    EXPECT_EQ(DumpAll(encoded, c.password), DumpAll(original, c.password));

    if (!haveMdbExport) continue;
    for (const auto& table : TableNames(original, c.password)) {
      std::string want, got;
      ASSERT_EQ(RunCommand("mdb-export " + Quote(original) + " " + Quote(table), want), 0) << table;
      ASSERT_EQ(RunCommand("mdb-export " + Quote(encoded) + " " + Quote(table), got), 0) << table;
      EXPECT_EQ(got, want) << "mdb-export of table " << table;
    }
  }
  std::filesystem::remove_all(dir);
  if (!haveMdbExport) GTEST_SKIP() << "mdb-export not installed; only our engine was compared";
}

}  // namespace
