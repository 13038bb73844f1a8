// The read side's rules: the password rule on an Access-written pair of
// files, damaged input (a table of hand-made corruptions of a dictionary made
// by our writer), and the text and value formats.
#include "ReadTestSupport.h"

#include "dictionary/Writer.h"
#include "jet/DataPage.h"
#include "jet/Database.h"
#include "jet/LongValue.h"
#include "jet/StructureCheck.h"
#include "jet/Text.h"
#include "jet/UsageMap.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <functional>

using namespace readtest;

namespace {

// ---------------------------------------------------------------- password

struct PasswordCase {
  const char* file;
  std::string given;
  bool opens;
};

TEST(Password, OpensOnlyWithTheExactPasswordOrAnyWhenTheFileHasNone) {
  if (!HaveCorpus()) GTEST_SKIP() << "no corpus at " << OSTRELDA_CORPUS_DIR;
  const PasswordCase cases[] = {
      {"password_V2000_with-password", "password", true},
      {"password_V2000_with-password", "Password", false},  // case-sensitive
      {"password_V2000_with-password", "PASSWORD", false},
      {"password_V2000_with-password", "", false},
      {"password_V2000_with-password", "passwor", false},
      {"password_V2000_with-password", "password ", false},
      {"password_V2000_with-password", "Q8mVt2LrNw6Xk4PsZd", false},
      {"password_V2000_no-password", "", true},
      {"password_V2000_no-password", "password", true},
      {"password_V2000_no-password", "Q8mVt2LrNw6Xk4PsZd", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.file) + " with \"" + c.given + "\"");
    EXPECT_EQ(jet::PageFile::Open(CorpusFile(c.file)).header().password,
              std::string(c.file).find("with-") != std::string::npos ? "password" : "");
    if (c.opens) {
      auto db = jet::Database::Open(CorpusFile(c.file), c.given);
      EXPECT_EQ(db->userTables().size(), 1u);
      EXPECT_NO_THROW(dictionary::OpenConnection(CorpusFile(c.file), c.given));
      continue;
    }
    try {
      jet::Database::Open(CorpusFile(c.file), c.given);
      ADD_FAILURE() << "opened with a wrong password";
    } catch (const jet::Error& e) {
      EXPECT_EQ(e.kind(), jet::ErrorKind::WrongPassword);
      EXPECT_STREQ(e.what(), "Not a valid password.");
    }
    try {
      dictionary::OpenConnection(CorpusFile(c.file), c.given);
      ADD_FAILURE() << "the dictionary layer opened it with a wrong password";
    } catch (const dictionary::Error& e) {
      EXPECT_STREQ(e.what(), "Not a valid password.");
    }
  }
}

TEST(Password, TheDictionaryPasswordOfAFileWeWroteReadsBack) {
  const auto dir = ScratchDir("password");
  const std::string path = (dir / "runes.dll").string();
  dictionary::CreateDictionary(path, {{"Fehu", "https://example.org/fehu", "astro"}});
  EXPECT_EQ(jet::PageFile::Open(path).header().password, "Q8mVt2LrNw6Xk4PsZd");
  EXPECT_NO_THROW(jet::Database::Open(path, "Q8mVt2LrNw6Xk4PsZd"));
  EXPECT_THROW(jet::Database::Open(path, "q8mVt2LrNw6Xk4PsZd"), jet::Error);
  std::filesystem::remove_all(dir);
}

TEST(LargeTable, ReadsEveryRowThroughAReferenceUsageMap) {
  // 30,000 entries need more data pages than an inline map's 512-page window.
  const auto dir = ScratchDir("large");
  const std::string path = (dir / "runes.dll").string();
  std::vector<dictionary::Entry> entries;
  for (int i = 0; i < 30000; ++i)
    entries.push_back({"Key " + std::to_string(i), "https://example.org/runes/" + std::to_string(i), "astro"});
  dictionary::CreateDictionary(path, entries);
  auto db = jet::Database::Open(path, dictionary::kDictionaryPassword);
  jet::Table runes = db->table("Runes");
  EXPECT_EQ(jet::UsageMap::Read(db->file(), runes.definition().ownedMap(), runes.definition().page()).type(),
            jet::kUsageMapReference);
  int i = 0;
  runes.forEachRow([&](const std::vector<jet::Value>& row) {
    if (row[0].data != "Key " + std::to_string(i) || row[1].data != "https://example.org/runes/" + std::to_string(i))
      ADD_FAILURE() << "row " << i << ": " << row[0].data;
    ++i;
  });
  EXPECT_EQ(i, 30000);
  EXPECT_TRUE(jet::CheckStructure(db->file()).empty());
  std::filesystem::remove_all(dir);
}

// ---------------------------------------------------------------- damaged files

// Reads everything a dump reads.
void ReadAll(const std::vector<std::uint8_t>& bytes) {
  auto db = jet::Database::FromBytes(bytes, dictionary::kDictionaryPassword);
  for (const auto& t : db->userTables()) db->table(t.name).forEachRow([](const std::vector<jet::Value>&) {});
}

// Where things are in the fixture dictionary, found with the engine itself.
struct Layout {
  std::uint32_t pageSize = 0;
  std::uint32_t runesTdef = 0;
  std::uint32_t dataPage = 0;         // first data page of Runes
  std::size_t chainRowOffset = 0;     // file offset of a long-value chain's first LVAL row
  std::uint32_t chainRowPointer = 0;  // its own row pointer word
  std::size_t singleFieldOffset = 0;  // file offset of a memo field stored in one LVAL row
  std::size_t catalogIdOffset = 0;    // file offset of Runes' Id in its MSysObjects row
};

class Damaged : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = new std::filesystem::path(ScratchDir("damaged"));
    const std::string path = (*dir_ / "runes.dll").string();
    dictionary::CreateDictionary(path, {{"Fehu", "https://example.org/fehu", "astro"},
                                        {"Uruz", std::string(9000, 'u'), "astro"},  // a chain of LVAL rows
                                        {"Thurisaz", std::string(1000, 't'), "astro"},  // one LVAL row
                                        {"Ansuz", std::nullopt, std::nullopt}});
    base_ = new std::vector<std::uint8_t>(ReadBytes(path));
    layout_ = new Layout(Locate(*base_));
  }
  static void TearDownTestSuite() {
    std::filesystem::remove_all(*dir_);
    delete dir_;
    delete base_;
    delete layout_;
  }

  static Layout Locate(const std::vector<std::uint8_t>& bytes) {
    auto db = jet::Database::FromBytes(bytes, dictionary::kDictionaryPassword);
    const jet::PageFile& file = db->file();
    Layout l;
    l.pageSize = file.pageSize();
    jet::Table runes = db->table("Runes");
    l.runesTdef = runes.definition().page();
    l.dataPage = jet::TableDataPages(file, runes.definition()).at(0);
    jet::TableScan scan(file, runes.definition());
    jet::RowCodec codec(file, runes.definition());
    std::vector<jet::FieldSlice> slices;
    const std::size_t link = std::size_t(runes.definition().column("Link") - runes.columns().data());
    while (scan.next()) {
      codec.split(scan.row(), scan.location().page, slices);
      if (!slices[link].present) continue;
      jet::Bytes field = slices[link].bytes;
      const std::uint32_t word = jet::Le32(field.data());
      const jet::RowPointer first = jet::RowPointer::FromWord(jet::Le32(field.data() + 4));
      if ((word & 0xC0000000u) == 0) {
        jet::DataPage lval(file, first.page);
        l.chainRowOffset = std::size_t(first.page) * l.pageSize +
                           std::size_t(lval.row(first.row).bytes.data() - file.page(first.page).data());
        l.chainRowPointer = jet::Le32(field.data() + 4);
      } else if (word & jet::kLongValueSingle) {
        const std::uint32_t page = scan.location().page;
        l.singleFieldOffset = std::size_t(page) * l.pageSize + std::size_t(field.data() - file.page(page).data());
      }
    }
    // Runes' row in the catalog.
    jet::TableDefinition catalog(file, jet::kCatalogPage);
    jet::TableScan catalogScan(file, catalog);
    jet::RowCodec catalogCodec(file, catalog);
    const std::size_t id = std::size_t(catalog.column("Id") - catalog.columns().data());
    const std::size_t name = std::size_t(catalog.column("Name") - catalog.columns().data());
    jet::Value v;
    while (catalogScan.next()) {
      catalogCodec.split(catalogScan.row(), catalogScan.location().page, slices);
      catalogCodec.decodeField(catalog.columns()[name], slices[name], catalogScan.location().page, v);
      if (v.data != "Runes") continue;
      const std::uint32_t page = catalogScan.location().page;
      l.catalogIdOffset =
          std::size_t(page) * l.pageSize + std::size_t(slices[id].bytes.data() - file.page(page).data());
    }
    return l;
  }

  static std::filesystem::path* dir_;
  static std::vector<std::uint8_t>* base_;
  static Layout* layout_;
};
std::filesystem::path* Damaged::dir_ = nullptr;
std::vector<std::uint8_t>* Damaged::base_ = nullptr;
Layout* Damaged::layout_ = nullptr;

void Put16(std::vector<std::uint8_t>& b, std::size_t at, std::uint16_t v) {
  b.at(at) = std::uint8_t(v);
  b.at(at + 1) = std::uint8_t(v >> 8);
}
void Put32(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v) {
  Put16(b, at, std::uint16_t(v));
  Put16(b, at + 2, std::uint16_t(v >> 16));
}

struct Corruption {
  const char* name;
  std::function<void(std::vector<std::uint8_t>&, const Layout&)> apply;
  jet::ErrorKind kind;
  const char* messagePart;
};

TEST_F(Damaged, EveryCorruptionGivesAnErrorNamingTheProblem) {
  ASSERT_NE(layout_->chainRowOffset, 0u) << "the fixture needs a long value stored as a chain";
  ASSERT_NE(layout_->singleFieldOffset, 0u) << "the fixture needs a long value stored in one row";
  ASSERT_NE(layout_->catalogIdOffset, 0u);
  using K = jet::ErrorKind;
  const std::size_t rowTable = 14, rowCount = 12;  // Jet 4 data page
  const Corruption cases[] = {
      {"empty file", [](auto& b, auto&) { b.clear(); }, K::NotAccessFile, "empty"},
      {"truncated inside a page", [](auto& b, auto&) { b.resize(b.size() - 100); }, K::Damaged, "truncated"},
      {"truncated to the header page", [](auto& b, auto& l) { b.resize(l.pageSize); }, K::Damaged, "ends before"},
      {"shorter than a header", [](auto& b, auto&) { b.resize(100); }, K::NotAccessFile, "not an Access database"},
      {"wrong magic", [](auto& b, auto&) { b[4] = 'X'; }, K::NotAccessFile, "not an Access database"},
      {"unknown version", [](auto& b, auto&) { b[0x14] = 9; }, K::Unsupported, "version"},
      {"catalog definition chain loops", [](auto& b, auto& l) { Put32(b, 2 * l.pageSize + 4, 2); }, K::Damaged,
       "loops"},
      {"table definition chain points past the end",
       [](auto& b, auto& l) { Put32(b, std::size_t(l.runesTdef) * l.pageSize + 4, 0x00FFFFFF); }, K::Damaged,
       "past the end"},
      {"owned-pages map pointer past the end",
       [](auto& b, auto& l) { Put32(b, std::size_t(l.runesTdef) * l.pageSize + 55, 0xFFFFFF00u); }, K::Damaged,
       "past the end"},
      {"long-value chain loops",
       [](auto& b, auto& l) { Put32(b, l.chainRowOffset, l.chainRowPointer); }, K::Damaged, "loops"},
      {"long value longer than the file",
       [](auto& b, auto& l) { Put32(b, l.singleFieldOffset, jet::kLongValueSingle | 0x3FFFFFFFu); }, K::Damaged,
       "more than the whole file"},
      {"long value longer than its row",
       [](auto& b, auto& l) { Put32(b, l.singleFieldOffset, jet::kLongValueSingle | 5000u); }, K::Damaged,
       "its row holds"},
      {"row offset outside the page",
       [&](auto& b, auto& l) { Put16(b, std::size_t(l.dataPage) * l.pageSize + rowTable, 0x1FFF); }, K::Damaged,
       "outside the row area"},
      {"row offset inside the row table",
       [&](auto& b, auto& l) { Put16(b, std::size_t(l.dataPage) * l.pageSize + rowTable, 2); }, K::Damaged,
       "outside the row area"},
      {"absurd row count",
       [&](auto& b, auto& l) { Put16(b, std::size_t(l.dataPage) * l.pageSize + rowCount, 0xFFFF); }, K::Damaged,
       "does not fit"},
      {"absurd column count",
       [](auto& b, auto& l) {
         Put16(b, std::size_t(l.runesTdef) * l.pageSize + 41, 0xFFFF);
         Put16(b, std::size_t(l.runesTdef) * l.pageSize + 45, 0xFFFF);
       },
       K::Damaged, "column descriptors"},
      {"absurd index count",
       [](auto& b, auto& l) { Put32(b, std::size_t(l.runesTdef) * l.pageSize + 51, 0x7FFFFFFF); }, K::Damaged,
       "index count"},
      {"two tables on one definition page", [](auto& b, auto& l) { Put32(b, l.catalogIdOffset, jet::kCatalogPage); },
       K::Damaged, "lists both"},
      {"overflow pointer to itself",
       [&](auto& b, auto& l) {
         const std::size_t page = std::size_t(l.dataPage) * l.pageSize;
         const std::uint16_t start = jet::Le16(&b[page + rowTable]) & 0x1FFF;
         Put16(b, page + rowTable, std::uint16_t(start | jet::kRowOverflow));
         Put32(b, page + start, (l.dataPage << 8) | 0);
       },
       K::Damaged, "a loop"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<std::uint8_t> bytes = *base_;
    c.apply(bytes, *layout_);
    try {
      ReadAll(bytes);
      ADD_FAILURE() << "read without an error";
    } catch (const jet::Error& e) {
      EXPECT_EQ(e.kind(), c.kind) << e.what();
      EXPECT_NE(std::string(e.what()).find(c.messagePart), std::string::npos) << e.what();
      if (c.kind == K::Damaged) {
        EXPECT_NE(std::string(e.what()).find("damaged at page"), std::string::npos) << e.what();
      }
    }
    // The structure check reports instead of throwing, for any file that opens.
    try {
      auto file = jet::PageFile::FromBytes(bytes);
      EXPECT_FALSE(jet::CheckStructure(file).empty());
    } catch (const jet::Error&) {
    }
  }
}

TEST_F(Damaged, TheUndamagedFixtureReadsAndChecksClean) {
  EXPECT_NO_THROW(ReadAll(*base_));
  EXPECT_TRUE(jet::CheckStructure(jet::PageFile::FromBytes(*base_)).empty());
}

TEST_F(Damaged, CheckListsBrokenIndexLeaves) {
  // On the first index leaf with two entries or more, change one byte of
  // the first entry: its row byte, or its first key byte.
  struct Case {
    const char* name;
    bool rowByte;
    const char* says;
  } cases[] = {{"entry naming no row", true, "point to no live row"},
               {"entries out of order", false, "out of order"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<std::uint8_t> bytes = *base_;
    const std::uint32_t size = layout_->pageSize;
    const jet::Format& f = jet::Format::Jet4();
    bool changed = false;
    for (std::size_t p = 3; p < bytes.size() / size && !changed; ++p) {
      std::uint8_t* page = bytes.data() + p * size;
      if (page[0] != std::uint8_t(jet::PageType::IndexLeaf)) continue;
      std::vector<std::uint32_t> ends;
      for (std::uint32_t b = 0; b < (f.ixFirstEntry - f.ixBitmap) * 8; ++b)
        if (page[f.ixBitmap + b / 8] & (1u << (b % 8))) ends.push_back(f.ixFirstEntry + b);
      if (ends.size() < 2) continue;
      if (c.rowByte) page[ends[0] - 1] = 0xEE;
      else {
        // The first byte after the shared prefix (and after the 7F flag byte).
        const std::uint32_t prefix = page[f.ixPrefixLength] | (page[f.ixPrefixLength + 1] << 8);
        page[f.ixFirstEntry + std::max(1u, prefix)] = 0xFF;
      }
      changed = true;
    }
    ASSERT_TRUE(changed) << "the fixture has no index leaf with two entries";
    EXPECT_NO_THROW(ReadAll(bytes));  // rows are read without indexes
    std::string all;
    for (const auto& p : jet::CheckStructure(jet::PageFile::FromBytes(bytes))) all += p.message + "\n";
    EXPECT_NE(all.find(c.says), std::string::npos) << all;
  }
}

TEST(MissingFile, IsReportedAsMissingWithItsPath) {
  try {
    jet::Database::Open("/nonexistent/folder/runes.dll", "");
    ADD_FAILURE();
  } catch (const jet::Error& e) {
    EXPECT_EQ(e.kind(), jet::ErrorKind::FileMissing);
    EXPECT_NE(std::string(e.what()).find("/nonexistent/folder/runes.dll"), std::string::npos);
  }
}

// ---------------------------------------------------------------- text and values

std::vector<std::uint8_t> B(std::initializer_list<int> v) { return std::vector<std::uint8_t>(v.begin(), v.end()); }

TEST(Text, Jet4TextDecodesPlainAndCompressedUnicode) {
  struct Case {
    const char* name;
    std::vector<std::uint8_t> bytes;
    std::string utf8;
  } cases[] = {
      {"UCS-2", B({'a', 0, 0xE9, 0, 0xB1, 0x03}), "a\xC3\xA9\xCE\xB1"},
      {"compressed", B({0xFF, 0xFE, 'a', 'b', 0xE9}), "ab\xC3\xA9"},
      {"compressed, switching to UCS-2 and back", B({0xFF, 0xFE, 'a', 0, 0xB1, 0x03, 0, 'z'}), "a\xCE\xB1z"},
      {"surrogate pair", B({0x3D, 0xD8, 0x00, 0xDE}), "\xF0\x9F\x98\x80"},
      {"lone surrogate", B({0x3D, 0xD8, 'a', 0}), "\xEF\xBF\xBD" "a"},
      {"odd byte count", B({'a', 0, 'b'}), "a\xEF\xBF\xBD"},
      {"empty", B({}), ""},
  };
  for (const auto& c : cases) {
    std::string out;
    jet::AppendJet4Text(out, c.bytes);
    EXPECT_EQ(out, c.utf8) << c.name;
  }
  std::string cp;
  jet::AppendCodePageText(cp, B({'A', 0x80, 0xE9, 0x81}), 1252);
  EXPECT_EQ(cp, "A\xE2\x82\xAC\xC3\xA9\xC2\x81");
}

TEST(Values, FormatsAsTheDumpShowsThem) {
  EXPECT_EQ(jet::FormatCurrency(35000), "3.5000");
  EXPECT_EQ(jet::FormatCurrency(-1), "-0.0001");
  EXPECT_EQ(jet::FormatCurrency(LLONG_MIN), "-922337203685477.5808");
  EXPECT_EQ(jet::FormatDateTime(0), "1899-12-30T00:00:00.000Z");
  EXPECT_EQ(jet::FormatDateTime(36526.75), "2000-01-01T18:00:00.000Z");
  EXPECT_EQ(jet::FormatDateTime(-1.25), "1899-12-29T06:00:00.000Z");  // day back, time forward
  EXPECT_EQ(jet::FormatDateTime(-0.5), "1899-12-30T12:00:00.000Z");
  EXPECT_EQ(jet::FormatDateTime(1.0 / 0.0), "");
  EXPECT_EQ(jet::FormatGuid(std::string("\x01\x02\x03\x04\x05\x06\x07\x08\x09\x0a\x0b\x0c\x0d\x0e\x0f\x10", 16)),
            "04030201-0605-0807-090a-0b0c0d0e0f10");
  auto numeric = B({0x80, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x39, 0x30, 0, 0});  // −12345
  EXPECT_EQ(jet::FormatNumeric(numeric, 2), "-123.45");
  EXPECT_EQ(jet::FormatNumeric(numeric, 7), "-0.0012345");
}

}  // namespace
