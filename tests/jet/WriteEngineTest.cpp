// The write side on files it creates itself: index keys, round trips through
// its own reader, index trees with splits and new levels, and refusals that
// leave the file untouched.
#include "WriteTestSupport.h"

#include "jet/DatabaseWriter.h"
#include "jet/FileLock.h"
#include "jet/IndexKey.h"
#include "jet/IndexTree.h"
#include "jet/WriteCatalog.h"
#include "jet/WriteError.h"
#include "jet/WriteText.h"
#include "jet/Text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

using namespace jet;
using namespace writetest;

namespace {

std::vector<std::uint8_t> Bytes(std::initializer_list<int> v) {
  std::vector<std::uint8_t> out;
  for (int b : v) out.push_back(std::uint8_t(b));
  return out;
}

WriteColumn Column(ColumnType type) {
  WriteColumn c;
  c.name = "c";
  c.type = std::uint8_t(type);
  c.sortOrder = 0x0409;
  return c;
}

TEST(IndexKey, EncodesValuesAsAccessStoresThem) {
  struct Case {
    const char* what;
    bool jet4;
    ColumnType type;
    FieldValue value;
    bool ascending;
    std::vector<std::uint8_t> expected;
  };
  const std::vector<Case> cases = {
      {"long 1", true, ColumnType::Long, std::int64_t(1), true, Bytes({0x7F, 0x80, 0, 0, 1})},
      {"long 1 descending", true, ColumnType::Long, std::int64_t(1), false, Bytes({0x80, 0x7F, 0xFF, 0xFF, 0xFE})},
      {"long -1", true, ColumnType::Long, std::int64_t(-1), true, Bytes({0x7F, 0x7F, 0xFF, 0xFF, 0xFF})},
      {"root parent id", true, ColumnType::Long, std::int64_t(0x0F000000), true, Bytes({0x7F, 0x8F, 0, 0, 0})},
      {"int 2", true, ColumnType::Int, std::int64_t(2), true, Bytes({0x7F, 0x80, 0x02})},
      {"byte", true, ColumnType::Byte, std::int64_t(200), true, Bytes({0x7F, 200})},
      {"null ascending", true, ColumnType::Long, std::monostate{}, true, Bytes({0x00})},
      {"null descending", true, ColumnType::Long, std::monostate{}, false, Bytes({0xFF})},
      {"true", true, ColumnType::Boolean, true, true, Bytes({0x7F, 0x00})},
      {"false", true, ColumnType::Boolean, false, true, Bytes({0x7F, 0xFF})},
      // From MSysObjects' ParentIdName index of an Access-written file.
      {"catalog name", true, ColumnType::Text, std::string("DataAccessPages"), true,
       Bytes({0x7F, 0x4F, 0x4A, 0x6D, 0x4A, 0x4A, 0x4D, 0x4D, 0x51, 0x6B, 0x6B, 0x66, 0x4A, 0x55, 0x51, 0x6B, 0x01, 0x00})},
      {"case and trailing spaces ignored", true, ColumnType::Text, std::string("aB  "), true,
       Bytes({0x7F, 0x4A, 0x4C, 0x01, 0x00})},
      {"two-byte codes", true, ColumnType::Text, std::string("a_~"), true,
       Bytes({0x7F, 0x4A, 0x2B, 0x03, 0x2B, 0x0F, 0x01, 0x00})},
      {"hyphen after inline codes", true, ColumnType::Text, std::string("a-b"), true,
       Bytes({0x7F, 0x4A, 0x4C, 0x01, 0x01, 0x01, 0x01, 0x80, 0x0B, 0x06, 0x82, 0x00})},
      {"jet 3 general 97", false, ColumnType::Text, std::string("Az0 -"), true,
       Bytes({0x7F, 0x60, 0x7E, 0x56, 0x11, 0x1E, 0x00})},
  };
  for (const auto& c : cases) {
    std::vector<std::uint8_t> key;
    AppendIndexKey(key, c.jet4, Column(c.type), c.value, c.ascending);
    EXPECT_EQ(key, c.expected) << c.what;
  }
}

TEST(IndexKey, RefusesWhatItCannotEncodeExactly) {
  const std::vector<std::pair<const char*, std::string>> texts = {
      {"accented letter", "caf\xC3\xA9"}, {"Greek", "\xCE\xB1"}, {"control character", std::string("a\x01")}};
  for (const auto& [what, text] : texts) {
    std::vector<std::uint8_t> key;
    EXPECT_THROW(AppendIndexKey(key, true, Column(ColumnType::Text), text, true), UnsupportedKeyError) << what;
  }
  std::vector<std::uint8_t> key;
  EXPECT_THROW(AppendIndexKey(key, true, Column(ColumnType::Text), std::string("a"), false), UnsupportedKeyError)
      << "descending text";
  EXPECT_THROW(AppendIndexKey(key, true, Column(ColumnType::Double), 1.5, true), UnsupportedKeyError);
}

TableSpec ItemsTable() {
  using T = ColumnType;
  return {"Items",
          {{"Id", T::Long, 0, true}, {"Name", T::Text, 255}, {"Note", T::Memo}, {"Done", T::Boolean},
           {"When", T::DateTime}, {"Count", T::Int}},
          {{"PrimaryKey", {{"Id", true}}, true, true}, {"ByName", {{"Name", true}}}}};
}

std::string NameFor(int i) {
  // Long keys so that few entries fit a page: leaves split and nodes stack up.
  std::string s = "item " + std::to_string((i * 7919) % 100003);
  return s + std::string(180, 'a' + i % 26);
}

TEST(WriteEngine, ManyRowsKeepEveryIndexCompleteAndOrdered) {
  const auto dir = ScratchDir("levels");
  const std::string path = (dir / "items.mdb").string();
  {
    auto w = DatabaseWriter::Create(path, "pw");
    w.createTable(ItemsTable());
    w.Commit();
  }
  // Two separate operations: the second extends trees the first laid out.
  for (int part = 0; part < 2; ++part) {
    auto w = DatabaseWriter::Open(path, "pw");
    auto a = w.appender("Items");
    for (int i = part * 1500; i < (part + 1) * 1500; ++i)
      a.Append({std::monostate{}, NameFor(i), std::string(i % 3 ? 20 : 5000, 'n'), i % 2 == 0, 45000.5 + i,
                std::int64_t(i % 1000)});
    a.Finish();
    w.Commit();
  }
  WriteImage image = WriteImage::Load(path);
  const std::uint32_t page = *FindTablePage(image, "Items");
  WriteTableDef table(image, page);
  EXPECT_EQ(table.rowCount(), 3000u);
  EXPECT_EQ(table.lastAutoNumber(), 3000u);
  auto rows = ReadTextColumns(image, page, {"Name", "Note"});
  ASSERT_EQ(rows.rows.size(), 3000u);
  EXPECT_EQ(*rows.rows[2999][0], NameFor(2999));
  EXPECT_EQ(rows.rows[0][1]->size(), 5000u);

  for (std::size_t k = 0; k < table.realIndexes().size(); ++k) {
    auto tree = ReadIndexTree(image, table.realIndexes()[k].rootPage);
    ASSERT_EQ(tree.entries.size(), 3000u) << "index " << k;
    EXPECT_TRUE(std::is_sorted(tree.entries.begin(), tree.entries.end())) << "index " << k;
    if (k == 1) {
      EXPECT_GT(tree.pages.size(), 100u) << "long keys need many pages and levels";
    }
    // Every entry points at a live row of the table.
    for (const auto& e : tree.entries) {
      const std::uint32_t p = (e[e.size() - 4] << 16) | (e[e.size() - 3] << 8) | e[e.size() - 2];
      EXPECT_EQ(image.page(p)[0], 0x01);
    }
  }
  // The name index's root is a node page two levels above the leaves.
  const std::uint8_t* root = image.page(table.realIndexes()[1].rootPage);
  EXPECT_EQ(root[0], 0x03);
  int status = 0;
  const std::string problems = StructureCheck(path, "pw", status);
  EXPECT_EQ(status, 0) << problems;
}

TEST(WriteEngine, LeavesReachedOnlyThroughTheLeafListKeepTheirEntries) {
  // Access may hang leaves past the last one its node pages name; they are
  // found through the leaves' next pointers.
  WriteImage image = NewDatabaseImage("", 45000.0);
  using T = ColumnType;
  const std::uint32_t page = AddTable(image, {"T", {{"Name", T::Text, 255}}, {{"ByName", {{"Name", true}}}}}, 45000.0);
  {
    TableAppender a(image, page, "T");
    for (int i = 0; i < 100; ++i) a.Append({NameFor(i)});
    a.Finish();
  }
  const std::uint32_t root = WriteTableDef(image, page).realIndexes()[0].rootPage;
  ASSERT_EQ(image.page(root)[0], 0x03) << "a node page over several leaves";
  const WriteFormat& f = image.format();
  std::memset(image.page(root) + f.ixTail, 0, 4);  // the last leaf is now only in the list
  EXPECT_EQ(ReadIndexTree(image, root).entries.size(), 100u);
  TableAppender a(image, page, "T");
  a.Append({NameFor(100)});
  a.Finish();
  EXPECT_EQ(ReadIndexTree(image, WriteTableDef(image, page).realIndexes()[0].rootPage).entries.size(), 101u);
}

TEST(WriteEngine, RefusalsLeaveTheFileUntouched) {
  const auto dir = ScratchDir("refuse");
  const std::string path = (dir / "items.mdb").string();
  {
    auto w = DatabaseWriter::Create(path, "pw");
    w.createTable(ItemsTable());
    auto a = w.appender("Items");
    a.Append({std::int64_t(1), std::string("one")});
    a.Finish();
    w.Commit();
  }
  const auto before = ReadAll(path);
  struct Case {
    const char* what;
    std::vector<FieldValue> row;
  };
  const std::vector<Case> cases = {
      {"key the index cannot encode", {std::monostate{}, std::string("na\xC3\xAFve")}},
      {"duplicate primary key", {std::int64_t(1), std::string("again")}},
      {"text longer than the column", {std::monostate{}, std::string(256, 'x')}},
      {"not a number", {std::monostate{}, std::string("x"), std::monostate{}, std::monostate{}, std::string("soon")}},
  };
  for (const auto& c : cases) {
    EXPECT_THROW(
        {
          auto w = DatabaseWriter::Open(path, "pw");
          auto a = w.appender("Items");
          a.Append({std::monostate{}, std::string("fine")});
          a.Append(c.row);
          a.Finish();
          w.Commit();
        },
        WriteError)
        << c.what;
    EXPECT_EQ(ReadAll(path), before) << c.what;
  }
  EXPECT_THROW(DatabaseWriter::Open(path, "PW"), WriteError) << "wrong password";
  EXPECT_THROW(DatabaseWriter::Create(path, "pw"), WriteError) << "creating over an existing file";
  EXPECT_EQ(ReadAll(path), before);
}

TEST(WriteEngine, UniqueIndexesAcceptRepeatedNullsAndRefuseRepeatedValues) {
  const auto dir = ScratchDir("unique");
  const std::string path = (dir / "u.mdb").string();
  using T = ColumnType;
  {
    auto w = DatabaseWriter::Create(path, "");
    w.createTable({"Codes", {{"Code", T::Text, 20}, {"N", T::Long}}, {{"ByCode", {{"Code", true}}, true}}});
    auto a = w.appender("Codes");
    a.Append({std::monostate{}, std::int64_t(1)});
    a.Append({std::monostate{}, std::int64_t(2)});
    a.Append({std::string("abc"), std::int64_t(3)});
    a.Finish();
    w.Commit();
  }
  auto w = DatabaseWriter::Open(path, "");
  auto a = w.appender("Codes");
  a.Append({std::string("ABC"), std::int64_t(4)});  // the General order ignores case
  EXPECT_THROW(a.Finish(), WriteError);
}

TEST(WriteEngine, TextIsTakenForDatesAndYesNoColumns) {
  WriteImage image = NewDatabaseImage("", 45000.0);
  using T = ColumnType;
  const std::uint32_t page = AddTable(image, {"T", {{"When", T::DateTime}, {"Done", T::Boolean}}, {}}, 45000.0);
  TableAppender a(image, page, "T");
  struct Case {
    std::string date, yes;
    double days;
    bool done;
  };
  const std::vector<Case> cases = {{"1974-09-21", "true", 27293.0, true},
                                   {"1899-12-30 12:00:00", "No", 0.5, false},
                                   {"2024-02-29T06:00", "-1", 45351.25, true}};
  for (const auto& c : cases) a.Append({c.date, c.yes});
  a.Finish();
  std::size_t i = 0;
  ScanTableRows(image, a.table(), [&](const std::vector<std::uint8_t>& row) {
    const auto cells = DecodeRow(image.format(), a.table(), row);
    double d;
    std::memcpy(&d, cells[0]->data(), 8);
    EXPECT_DOUBLE_EQ(d, cases[i].days) << cases[i].date;
    EXPECT_EQ(cells[1].has_value(), cases[i].done) << cases[i].yes;
    ++i;
  });
  EXPECT_EQ(i, cases.size());
  EXPECT_THROW(a.Append({std::string("21.09.1974")}), WriteError);
  EXPECT_THROW(a.Append({std::monostate{}, std::string("maybe")}), WriteError);
}

TEST(WriteEngine, SecondWriterIsToldTheFileIsInUse) {
  const auto dir = ScratchDir("lock");
  const std::string path = (dir / "d.mdb").string();
  DatabaseWriter::Create(path, "").Commit();
  {
    FileWriteLock held(path);
    try {
      DatabaseWriter::Open(path, "");
      FAIL() << "a second writer got in";
    } catch (const FileInUseError& e) {
      EXPECT_NE(std::string(e.what()).find("in use"), std::string::npos);
    }
  }
  EXPECT_NO_THROW(DatabaseWriter::Open(path, "")) << "the lock is released with its holder";
  EXPECT_FALSE(std::filesystem::exists(FileWriteLock::LockPathFor(path)));
}

TEST(WriteEngine, AFileReachedThroughALinkIsReplacedWhereItLives) {
  const auto dir = ScratchDir("symlink");
  const auto real = dir / "real.mdb", link = dir / "link.mdb";
  DatabaseWriter::Create(real.string(), "").Commit();
  std::filesystem::create_symlink(real, link);
  {
    auto w = DatabaseWriter::Open(link.string(), "");
    w.createTable({"T", {{"A", ColumnType::Long}}, {}});
    w.Commit();
  }
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  WriteImage image = WriteImage::Load(real.string());
  EXPECT_TRUE(FindTablePage(image, "T").has_value());
}

TEST(WriteEngine, CompressesTextOnlyWhereAccessWould) {
  struct Case {
    std::u16string text;
    bool compressible;
    std::size_t size;
  };
  const std::vector<Case> cases = {
      {u"abc", true, 5}, {u"ab", true, 4}, {u"abc", false, 6}, {u"\u03b1\u03b2\u03b3", true, 6},
      {std::u16string(1025, u'x'), true, 2050}, {u"caf\u00e9", true, 6}};
  for (const auto& c : cases) EXPECT_EQ(EncodeJet4Text(c.text, c.compressible).size(), c.size);
  std::string decoded;
  const std::vector<std::uint8_t> stored = EncodeJet4Text(u"caf\u00e9", true);
  AppendJet4Text(decoded, std::span<const std::uint8_t>(stored));
  EXPECT_EQ(decoded, "caf\xC3\xA9");
}

}  // namespace
