// What we write, read back by two independent readers (mdbtools' mdb-export
// and npm mdb-reader): files we create, and rows appended to copies of
// Access-written files (indexes with leaf splits, a password, long values,
// Jet 3).
#include "WriteTestSupport.h"

#include "dictionary/Writer.h"
#include "jet/DatabaseWriter.h"
#include "jet/WriteError.h"
#include "jet/WriteCatalog.h"
#include "jet/WriteDataPage.h"

#include <gtest/gtest.h>

using namespace jet;
using namespace writetest;
namespace fs = std::filesystem;

namespace {

struct AppendCase {
  const char* file;
  const char* table;
  std::string password;
  std::vector<std::string> columns;
  std::vector<std::vector<FieldValue>> rows;
};

std::string Repeat(const std::string& s, int n) {
  std::string out;
  for (int i = 0; i < n; ++i) out += s;
  return out;
}

std::vector<AppendCase> Cases() {
  std::vector<AppendCase> cases;
  {
    AppendCase c{"indexTestV2000", "Table1", "", {"id", "data"}, {}};
    for (int i = 0; i < 40; ++i) c.rows.push_back({std::int64_t(1000 + i), "new row " + std::to_string(i)});
    cases.push_back(c);
  }
  {
    // 600 more rows: the descending Long index splits its leaves again.
    AppendCase c{"compIndexTestV2000", "Table1", "", {"CD_AGENTE", "RS_AGENTE", "DC_AGENTE"}, {}};
    for (int i = 0; i < 600; ++i)
      c.rows.push_back({std::int64_t(5000 + i), "AGENTE " + std::to_string(i), std::string("DC ") + std::to_string(i % 17)});
    cases.push_back(c);
  }
  {
    AppendCase c{"password_V2000_with-password", "Table1", "password", {"ID", "Data"}, {}};
    for (int i = 0; i < 200; ++i) c.rows.push_back({std::int64_t(100 + i), "with password " + std::to_string(i)});
    cases.push_back(c);
  }
  {
    AppendCase c{"test2V2000", "MSP_PROJECTS", "", {"PROJ_ID", "PROJ_NAME", "PROJ_PROP_AUTHOR", "PROJ_PROP_TITLE"}, {}};
    c.rows.push_back({std::int64_t(2), std::string("Project two"), std::string("short author"), Repeat("Title ", 30)});
    c.rows.push_back({std::int64_t(3), std::string("Project three"), Repeat("Long author text. ", 1500),
                      Repeat("\xCE\xB1\xCE\xB2\xCE\xB3 ", 200)});
    cases.push_back(c);
  }
  {
    AppendCase c{"testV1997", "Table1", "", {"A", "B", "C", "D", "E"}, {}};
    for (int i = 0; i < 30; ++i)
      c.rows.push_back({"jet three " + std::to_string(i), std::string("B value"), std::int64_t(i), std::int64_t(-i),
                        std::int64_t(100000 + i)});
    cases.push_back(c);
  }
  {
    // Rows past 256 bytes need Jet 3's jump table.
    AppendCase c{"testV1997", "Table2", "", {}, {}};
    for (int col = 1; col <= 20; ++col) c.columns.push_back("column" + std::to_string(col));
    for (int i = 0; i < 5; ++i) {
      std::vector<FieldValue> row;
      for (int col = 1; col <= 20; ++col)
        row.push_back(col % 7 == i ? FieldValue(std::monostate{}) : FieldValue(std::string(10 + (col * i) % 40, char('a' + col))));
      c.rows.push_back(row);
    }
    cases.push_back(c);
  }
  return cases;
}

TEST(WriteOracle, AppendedCorpusFilesKeepOldRowsAndShowNewOnes) {
  const auto dir = ScratchDir("oracle-append");
  for (const auto& c : Cases()) {
    SCOPED_TRACE(c.file);
    const fs::path before = CorpusFile(c.file);
    const fs::path after = dir / (std::string(c.file) + ".mdb");
    CopyWritable(before, after);
    {
      auto w = DatabaseWriter::Open(after.string(), c.password);
      auto a = w.appender(c.table);
      for (const auto& row : c.rows) {
        std::vector<FieldValue> values(a.table().columns().size());
        for (std::size_t i = 0; i < c.columns.size(); ++i) values[a.columnIndex(c.columns[i])] = row[i];
        a.Append(values);
      }
      a.Finish();
      w.Commit();
    }
    const fs::path expected = dir / (std::string(c.file) + ".json");
    WriteExpected(expected, c.columns, c.rows);
    int status = 0;
    const std::string out = OracleCheck(before, after, c.table, expected, c.password, status);
    EXPECT_EQ(status, 0) << out;
    const std::string problems = StructureCheck(after, c.password, status);
    EXPECT_EQ(status, 0) << problems;
  }
}

std::vector<dictionary::Entry> SampleEntries(int n) {
  std::vector<dictionary::Entry> entries;
  for (int i = 0; i < n; ++i) {
    dictionary::Entry e;
    e.key = "Rune " + std::to_string(i);
    e.link = "https://runes.example/ostrelda/ssd.php?page=rune-" + std::to_string(i);
    e.names = std::string("astro");
    entries.push_back(e);
  }
  // Edge values: empty text, NULL, non-Latin text, a long memo, quotes.
  entries[1].key = std::string("");
  entries[2].link = std::nullopt;
  entries[3].key = std::string("\xE1\x9A\xA0\xE1\x9A\xA2\xE1\x9A\xA6 futhark");
  entries[4].link = Repeat("https://runes.example/very/long/path/", 300);
  entries[5].key = std::string("Tyr's \"rune\"");
  entries[6].names = std::nullopt;
  return entries;
}

TEST(WriteOracle, CreatedDictionariesReadTheSameInBothReaders) {
  const auto dir = ScratchDir("oracle-create");
  const fs::path empty = dir / "empty.dll";
  dictionary::CreateDictionary(empty.string(), {});
  // 30,000 rows need more than the 512 pages an inline usage map covers:
  // the table's maps become reference maps and the global map grows.
  const auto entries = SampleEntries(30000);
  const fs::path full = dir / "full.dll";
  dictionary::CreateDictionary(full.string(), entries);
  const fs::path appended = dir / "appended.dll";
  fs::copy_file(empty, appended);
  dictionary::AppendEntries(appended.string(), std::vector<dictionary::Entry>(entries.begin(), entries.begin() + 350));
  dictionary::AppendEntries(appended.string(), std::vector<dictionary::Entry>(entries.begin() + 350, entries.end()));
  jet::WriteImage image = jet::WriteImage::Load(full.string());
  jet::WriteTableDef runes(image, *jet::FindTablePage(image, "Runes"));
  EXPECT_EQ(jet::DataPageView(image, runes.ownedMap() >> 8).row(runes.ownedMap() & 0xFF)[0], 1)
      << "the owned map became a reference map";

  std::vector<std::vector<FieldValue>> rows;
  auto text = [](const std::optional<std::string>& v) -> FieldValue {
    if (!v) return std::monostate{};
    return *v;
  };
  for (const auto& e : entries) rows.push_back({text(e.key), text(e.link), text(e.names)});
  const fs::path expected = dir / "rows.json";
  WriteExpected(expected, {"Key", "Link", "Names"}, rows);
  for (const auto& file : {full, appended}) {
    int status = 0;
    const std::string out =
        OracleCheck(empty, file, "Runes", expected, std::string(dictionary::kDictionaryPassword), status);
    EXPECT_EQ(status, 0) << file << "\n" << out;
    const std::string problems = StructureCheck(file, std::string(dictionary::kDictionaryPassword), status);
    EXPECT_EQ(status, 0) << file << "\n" << problems;
  }
}

TEST(WriteOracle, EncodedFilesHaveEveryWrittenPageEncodedWithItsKey) {
  const auto dir = ScratchDir("oracle-encoded");
  using T = ColumnType;
  const TableSpec spec{"Items", {{"Id", T::Long, 0, true}, {"Name", T::Text, 100}, {"Note", T::Memo}},
                       {{"PrimaryKey", {{"Id", true}}, true, true}}};
  const fs::path plain = dir / "plain.mdb", encoded = dir / "encoded.mdb";
  for (const auto& [path, key] : {std::pair{plain, 0u}, std::pair{encoded, 0x5A17C0DEu}}) {
    auto w = DatabaseWriter::Create(path.string(), "secret");
    w.image().setEncodingKey(key);
    w.createTable(spec);
    w.Commit();
  }
  std::vector<std::vector<FieldValue>> rows;
  for (int part = 0; part < 2; ++part) {  // the second append decodes and re-encodes
    auto w = DatabaseWriter::Open(encoded.string(), "secret");
    auto a = w.appender("Items");
    for (int i = 0; i < 300; ++i) {
      std::vector<FieldValue> row{std::int64_t(part * 300 + i + 1), "encoded " + std::to_string(part * 300 + i),
                                  std::string(i % 50 == 0 ? 6000 : 30, 'm')};
      a.Append(row);
      rows.push_back(row);
    }
    a.Finish();
    w.Commit();
  }
  // The catalog page is not readable without its key.
  const auto raw = ReadAll(encoded);
  EXPECT_NE(static_cast<unsigned char>(raw[2 * 4096]), 0x02) << "page 2 is stored encoded";
  const fs::path expected = dir / "rows.json";
  WriteExpected(expected, {"Id", "Name", "Note"}, rows);
  int status = 0;
  const std::string out = OracleCheck(plain, encoded, "Items", expected, "secret", status);
  EXPECT_EQ(status, 0) << out;
  const std::string problems = StructureCheck(encoded, "secret", status);
  EXPECT_EQ(status, 0) << problems;
}

TEST(WriteOracle, TablesCreatedInAnAccessWrittenFileAreReadByBoth) {
  const auto dir = ScratchDir("oracle-new-table");
  const fs::path before = CorpusFile("password_V2000_with-password");
  const fs::path after = dir / "with-table.mdb";
  CopyWritable(before, after);
  std::vector<std::vector<FieldValue>> rows;
  {
    using T = ColumnType;
    auto w = DatabaseWriter::Open(after.string(), "password");
    w.createTable({"Added", {{"Id", T::Long, 0, true}, {"Word", T::Text, 40}, {"Seen", T::DateTime}},
                   {{"PrimaryKey", {{"Id", true}}, true, true}, {"ByWord", {{"Word", true}}}}});
    auto a = w.appender("Added");
    for (int i = 0; i < 50; ++i) {
      rows.push_back({std::int64_t(i + 1), "word " + std::to_string(i)});
      a.Append({std::monostate{}, "word " + std::to_string(i), 45000.0 + i});
    }
    a.Finish();
    w.Commit();
  }
  int status = 0;
  std::string out;
  ASSERT_EQ(writetest::Run("mdb-tables -1 " + Quote(after.string()), out), 0);
  EXPECT_NE(out.find("Added"), std::string::npos) << out;
  EXPECT_NE(out.find("Table1"), std::string::npos) << out;
  ASSERT_EQ(writetest::Run("mdb-export " + Quote(after.string()) + " Added | wc -l", out), 0);
  EXPECT_EQ(std::stoi(out), 51);
  ASSERT_EQ(writetest::Run("node " + Quote(std::string(OSTRELDA_SOURCE_DIR) + "/test-tools/dump-mdb.js") + " " +
                               Quote(after.string()) + " --table Added",
                           out),
            0)
      << out;
  EXPECT_NE(out.find("[50,\"word 49\",\"2023-05-03T00:00:00.000Z\"]"), std::string::npos) << out.substr(0, 400);
  const std::string problems = StructureCheck(after, "password", status);
  EXPECT_EQ(status, 0) << problems;
}

TEST(WriteOracle, EveryColumnTypeWeWriteReadsBackInBoth) {
  const auto dir = ScratchDir("oracle-types");
  using T = ColumnType;
  const TableSpec spec{"Kinds",
                       {{"Id", T::Long, 0, true}, {"Word", T::Text, 60}, {"Story", T::Memo}, {"Flag", T::Boolean},
                        {"Stamp", T::DateTime}, {"Small", T::Int}, {"Tiny", T::Byte}, {"Real", T::Double},
                        {"Cash", T::Money}, {"Raw", T::Binary, 16}, {"Blob", T::Ole}},
                       {{"PrimaryKey", {{"Id", true}}, true, true}, {"BySmall", {{"Small", false}}}}};
  const fs::path empty = dir / "empty.mdb", full = dir / "full.mdb";
  for (const auto& path : {empty, full}) {
    auto w = DatabaseWriter::Create(path.string(), "");
    w.createTable(spec);
    w.Commit();
  }
  std::vector<std::vector<FieldValue>> expected;
  {
    auto w = DatabaseWriter::Open(full.string(), "");
    auto a = w.appender("Kinds");
    a.Append({std::monostate{}, std::string("first"), std::string("a short story"), true, 27293.5, std::int64_t(-3),
              std::int64_t(255), 3.25, 12.5, std::vector<std::uint8_t>{0xde, 0xad, 0xbe, 0xef},
              std::vector<std::uint8_t>(5000, 0x42)});
    expected.push_back({std::int64_t(1), std::string("first"), std::string("a short story"), true,
                        std::string("1974-09-21T12:00:00.000Z"), std::int64_t(-3), std::int64_t(255), 3.25,
                        std::string("12.5000"), std::string("deadbeef"), std::string(10000, '0')});
    a.Append({std::monostate{}, std::monostate{}, std::monostate{}, false, std::monostate{}, std::monostate{},
              std::monostate{}, std::monostate{}, std::monostate{}, std::monostate{}, std::monostate{}});
    expected.push_back({std::int64_t(2), std::monostate{}, std::monostate{}, false, std::monostate{}, std::monostate{},
                        std::monostate{}, std::monostate{}, std::monostate{}, std::monostate{}, std::monostate{}});
    a.Finish();
    w.Commit();
  }
  // The OLE value is 5000 bytes of 0x42: hex "42" repeated.
  std::string blob;
  for (int i = 0; i < 5000; ++i) blob += "42";
  expected[0][10] = blob;
  const std::vector<std::string> columns = {"Id", "Word", "Story", "Flag", "Stamp", "Small", "Tiny",
                                            "Real", "Cash", "Raw", "Blob"};
  const std::vector<std::string> asText = {"Id", "Word", "Story", "Small", "Tiny"};
  const fs::path json = dir / "rows.json";
  WriteExpected(json, columns, expected, &asText);
  int status = 0;
  const std::string out = OracleCheck(empty, full, "Kinds", json, "", status);
  EXPECT_EQ(status, 0) << out;
  const std::string problems = StructureCheck(full, "", status);
  EXPECT_EQ(status, 0) << problems;
}

TEST(WriteOracle, RowsOfAForeignTableMustReferToExistingRows) {
  // indexTestV2000: Table1.otherfk1 refers to Table2.id and Table1.otherfk2
  // to Table3.id, both enforcing referential integrity.
  const auto dir = ScratchDir("oracle-foreign");
  const fs::path before = CorpusFile("indexTestV2000");
  const fs::path after = dir / "fk.mdb";
  CopyWritable(before, after);
  const std::vector<std::string> columns = {"id", "otherfk1", "otherfk2", "data"};
  auto append = [&](const std::vector<FieldValue>& row) {
    auto w = DatabaseWriter::Open(after.string(), "");
    auto a = w.appender("Table1");
    std::vector<FieldValue> values(a.table().columns().size());
    for (std::size_t i = 0; i < columns.size(); ++i) values[a.columnIndex(columns[i])] = row[i];
    a.Append(values);
    a.Finish();
    w.Commit();
  };
  const auto original = ReadAll(after);
  EXPECT_THROW(append({std::int64_t(50), std::int64_t(7), std::int64_t(10), std::string("no Table2 row 7")}), WriteError);
  EXPECT_THROW(append({std::int64_t(51), std::int64_t(1), std::int64_t(99), std::string("no Table3 row 99")}), WriteError);
  EXPECT_EQ(ReadAll(after), original);
  const std::vector<std::vector<FieldValue>> rows = {
      {std::int64_t(52), std::int64_t(2), std::int64_t(12), std::string("both exist")},
      {std::int64_t(53), std::monostate{}, std::int64_t(13), std::string("a NULL refers to nothing")}};
  for (const auto& row : rows) append(row);
  const fs::path expected = dir / "rows.json";
  WriteExpected(expected, columns, rows);
  int status = 0;
  const std::string out = OracleCheck(before, after, "Table1", expected, "", status);
  EXPECT_EQ(status, 0) << out;
}

}  // namespace
