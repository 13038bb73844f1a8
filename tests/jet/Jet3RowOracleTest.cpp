// Jet 3 rows longer than 256 bytes carry a jump table for their one-byte
// variable offsets. No Access-written sample has such rows, so long rows are
// appended to a copy of a Jet 3 file (89 text columns) by our writer and our
// reader is compared with mdbtools' mdb-export on them.
#include "ReadTestSupport.h"

#include "jet/Database.h"
#include "jet/DatabaseWriter.h"

#include <gtest/gtest.h>

#include <optional>

using namespace readtest;

namespace {

// A row of mdb-export's CSV for an all-text table: "v" per value, empty for NULL.
std::string CsvLine(const std::vector<std::optional<std::string>>& row) {
  std::string line;
  for (std::size_t i = 0; i < row.size(); ++i) {
    if (i) line += ',';
    if (row[i]) line += '"' + *row[i] + '"';
  }
  return line;
}

TEST(Jet3Rows, LongRowsWithJumpTablesReadAsMdbtoolsReadsThem) {
  if (!HaveCorpus()) GTEST_SKIP() << "no corpus at " << OSTRELDA_CORPUS_DIR;
  std::string probe;
  if (RunCommand("command -v mdb-export", probe) != 0) GTEST_SKIP() << "mdb-export not installed";
  const auto dir = ScratchDir("jet3rows");
  const std::string path = (dir / "testV1997.mdb").string();
  std::filesystem::copy_file(CorpusFile("testV1997"), path);
  // The corpus is read-only, and the writer leaves read-only files alone.
  std::filesystem::permissions(path, std::filesystem::perms::owner_write, std::filesystem::perm_options::add);

  // Value lengths chosen so that rows end below, across and well past the
  // 256- and 512-byte marks (and so that EOD and the trailer straddle one).
  const std::size_t lengths[] = {1, 2, 3, 4, 5, 6, 7, 10, 15, 20};
  {
    auto w = jet::DatabaseWriter::Open(path, "");
    auto a = w.appender("Table2");
    const std::size_t columns = a.table().columns().size();
    ASSERT_EQ(columns, 89u);
    for (std::size_t length : lengths) {
      std::vector<jet::FieldValue> row(columns);
      for (std::size_t c = 0; c < columns; ++c) {
        if ((c + length) % 7 == 0) continue;  // some NULLs between the values
        row[c] = std::string(length, char('a' + (c % 26))) + std::to_string(c % 10);
        std::get<std::string>(row[c]).resize(std::min<std::size_t>(length, 50));
      }
      a.Append(row);
    }
    a.Finish();
    w.Commit();
  }

  auto db = jet::Database::Open(path, "");
  std::string ours;
  std::size_t rows = 0;
  db->table("Table2").forEachRow([&](const std::vector<jet::Value>& values) {
    std::vector<std::optional<std::string>> row;
    for (const auto& v : values) row.push_back(v.isNull() ? std::nullopt : std::optional(v.data));
    ours += CsvLine(row) + "\n";
    ++rows;
  });
  EXPECT_EQ(rows, std::size(lengths));
  std::string theirs;
  ASSERT_EQ(RunCommand("mdb-export -H " + Quote(path) + " Table2", theirs), 0);
  EXPECT_EQ(ours, theirs);
  std::filesystem::remove_all(dir);
}

}  // namespace
