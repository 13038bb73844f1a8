// Creating dictionaries, appending entries and merging update files.
#include "dictionary/Writer.h"
#include "jet/DatabaseWriter.h"
#include "jet/FileLock.h"
#include "jet/WriteCatalog.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <unistd.h>

using dictionary::Entry;
using dictionary::MergeResult;
namespace fs = std::filesystem;

namespace {

using Text = std::optional<std::string>;

// A fresh folder, removed when the test program ends.
fs::path Scratch(const std::string& name) {
  static std::vector<fs::path> made;
  static const bool cleanup = [] {
    std::atexit([] {
      std::error_code ec;
      for (const auto& d : made) fs::remove_all(d, ec);
    });
    return true;
  }();
  (void)cleanup;
  auto dir = fs::temp_directory_path() / ("ostrelda-dictwriter-" + name + "-" + std::to_string(::getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir);
  made.push_back(dir);
  return dir;
}

Entry E(Text key, Text link, Text names = std::string("astro")) { return Entry{key, link, names}; }

// (Key, Link, Names) of every row, read back through the engine.
std::vector<std::vector<Text>> Rows(const fs::path& path) {
  jet::WriteImage image = jet::WriteImage::Load(path.string());
  const auto page = jet::FindTablePage(image, "Runes");
  return jet::ReadTextColumns(image, *page, {"Key", "Link", "Names"}).rows;
}

std::vector<char> Bytes(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::vector<char>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

TEST(DictionaryWriter, CreateAndAppendKeepEntriesInOrder) {
  const auto dir = Scratch("create");
  const auto path = dir / "runes.dll";
  dictionary::CreateDictionary(path.string(), {E("Fehu", "l1"), E(std::nullopt, "l2", std::nullopt)});
  dictionary::AppendEntries(path.string(), {E("", std::string(""))});
  const std::vector<std::vector<Text>> expected = {
      {"Fehu", "l1", "astro"}, {std::nullopt, "l2", std::nullopt}, {"", "", "astro"}};
  EXPECT_EQ(Rows(path), expected);
  EXPECT_THROW(dictionary::CreateDictionary(path.string(), {}), dictionary::Error) << "the file exists";
  EXPECT_THROW(dictionary::AppendEntries(path.string(), {}, "wrong"), dictionary::Error) << "wrong password";
  EXPECT_THROW(dictionary::AppendEntries((dir / "missing.dll").string(), {}), dictionary::Error);
  fs::permissions(path, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  const auto before = Bytes(path);
  EXPECT_THROW(dictionary::AppendEntries(path.string(), {E("K", "l")}), dictionary::Error) << "read-only file";
  EXPECT_EQ(Bytes(path), before);
}

struct MergeCase {
  const char* what;
  std::vector<Entry> dictionary;
  std::vector<Entry> update;
  MergeResult::Status status;
  std::int64_t added, skipped;
  std::vector<std::vector<Text>> rowsAfter;  // empty = the dictionary unchanged
};

std::vector<MergeCase> MergeCases() {
  using S = MergeResult::Status;
  return {
      {"new links are added with Names astro",
       {E("A", "a")},
       {E("B", "b"), E("C", "c")},
       S::Merged, 2, 0,
       {{"A", "a", "astro"}, {"B", "b", "astro"}, {"C", "c", "astro"}}},
      {"a link already present under another key is skipped",
       {E("A", "a")},
       {E("Other", "a")},
       S::Merged, 0, 1, {}},
      {"the same link twice in the update is added once",
       {},
       {E("B", "b"), E("B2", "b")},
       S::Merged, 1, 1,
       {{"B", "b", "astro"}}},
      {"links differing in letter case are different",
       {E("A", "http://x/a")},
       {E("A2", "http://x/A")},
       S::Merged, 1, 0,
       {{"A", "http://x/a", "astro"}, {"A2", "http://x/A", "astro"}}},
      {"a Names differing only in case is the wrong file, checked before any write",
       {E("A", "a")},
       {E("B", "b"), E("C", "c"), E("D", "d", "Astro")},
       S::WrongFile, 0, 0, {}},
      {"a NULL Names is the wrong file",
       {},
       {E("B", "b", std::nullopt)},
       S::WrongFile, 0, 0, {}},
      {"an empty update has nothing to update",
       {E("A", "a")},
       {},
       S::NothingToUpdate, 0, 0, {}},
      {"a NULL link counts as empty text and is added once, as NULL",
       {},
       {E("N1", std::nullopt), E("N2", std::string("")), E("N3", std::nullopt)},
       S::Merged, 1, 2,
       {{"N1", std::nullopt, "astro"}}},
      {"a NULL link is a duplicate of an empty dictionary link",
       {E("A", std::string(""))},
       {E("N", std::nullopt)},
       S::Merged, 0, 1, {}},
      {"a NULL key is copied as NULL",
       {},
       {E(std::nullopt, "k")},
       S::Merged, 1, 0,
       {{std::nullopt, "k", "astro"}}},
  };
}

TEST(DictionaryWriter, MergeFollowsTheDuplicateRule) {
  const auto dir = Scratch("merge");
  int n = 0;
  for (const auto& c : MergeCases()) {
    SCOPED_TRACE(c.what);
    const auto dict = dir / ("dict" + std::to_string(n) + ".dll");
    const auto update = dir / ("update" + std::to_string(n++) + ".dll");
    dictionary::CreateDictionary(dict.string(), c.dictionary);
    dictionary::CreateDictionary(update.string(), c.update);
    const auto before = Bytes(dict);
    const MergeResult r = dictionary::MergeUpdate(dict.string(), update.string());
    EXPECT_EQ(r.status, c.status);
    EXPECT_EQ(r.added, c.added);
    EXPECT_EQ(r.skipped, c.skipped);
    if (c.rowsAfter.empty())
      EXPECT_EQ(Bytes(dict), before) << "the dictionary must stay as it was";
    else
      EXPECT_EQ(Rows(dict), c.rowsAfter);
  }
}

TEST(DictionaryWriter, UpdateWithoutNamesColumnIsTheWrongFile) {
  const auto dir = Scratch("nonames");
  const auto dict = dir / "dict.dll", update = dir / "update.dll";
  dictionary::CreateDictionary(dict.string(), {E("A", "a")});
  {
    auto w = jet::DatabaseWriter::Create(update.string(), dictionary::kDictionaryPassword);
    w.createTable({"Runes", {{"Key", jet::ColumnType::Text, 255}, {"Link", jet::ColumnType::Memo}}, {}});
    auto a = w.appender("Runes");
    a.Append({std::string("B"), std::string("b")});
    a.Finish();
    w.Commit();
  }
  const auto before = Bytes(dict);
  EXPECT_EQ(dictionary::MergeUpdate(dict.string(), update.string()).status, MergeResult::Status::WrongFile);
  EXPECT_EQ(Bytes(dict), before);
}

TEST(DictionaryWriter, MergeFailuresChangeNothing) {
  const auto dir = Scratch("mergefail");
  const auto dict = dir / "dict.dll", update = dir / "update.dll", other = dir / "other.dll";
  dictionary::CreateDictionary(dict.string(), {E("A", "a")});
  dictionary::CreateDictionary(update.string(), {E("B", "b")});
  dictionary::CreateDictionary(other.string(), {E("B", "b")}, "another password");
  const auto before = Bytes(dict);
  {
    jet::FileWriteLock held(dict.string());
    try {
      dictionary::MergeUpdate(dict.string(), update.string());
      ADD_FAILURE() << "merged into a locked dictionary";
    } catch (const dictionary::Error& e) {
      EXPECT_NE(std::string(e.what()).find("in use"), std::string::npos) << e.what();
    }
  }
  EXPECT_THROW(dictionary::MergeUpdate(dict.string(), other.string()), dictionary::Error) << "wrong password";
  EXPECT_THROW(dictionary::MergeUpdate(dict.string(), (dir / "none.dll").string()), dictionary::Error);
  std::ofstream(dir / "junk.dll") << "not a database";
  EXPECT_THROW(dictionary::MergeUpdate(dict.string(), (dir / "junk.dll").string()), dictionary::Error);
  EXPECT_EQ(Bytes(dict), before);
}

TEST(DictionaryWriter, MergeHasNoSixteenBitRowLimit) {
  const auto dir = Scratch("big");
  const auto dict = dir / "dict.dll", update = dir / "update.dll";
  std::vector<Entry> existing, incoming;
  for (int i = 0; i < 33000; ++i) existing.push_back(E("k" + std::to_string(i), "https://x/" + std::to_string(i)));
  for (int i = 32000; i < 70000; ++i) incoming.push_back(E("k" + std::to_string(i), "https://x/" + std::to_string(i)));
  dictionary::CreateDictionary(dict.string(), existing);
  dictionary::CreateDictionary(update.string(), incoming);
  const MergeResult r = dictionary::MergeUpdate(dict.string(), update.string());
  EXPECT_EQ(r.status, MergeResult::Status::Merged);
  EXPECT_EQ(r.added, 37000);
  EXPECT_EQ(r.skipped, 1000);
  const auto rows = Rows(dict);
  ASSERT_EQ(rows.size(), 70000u);
  EXPECT_EQ(rows.back()[1], Text("https://x/69999"));
}

TEST(DictionaryWriter, DamagedDictionariesAreRefusedNotCrashedOn) {
  // Random bytes changed past the header: every write either succeeds or
  // fails with dictionary::Error.
  const auto dir = Scratch("damaged");
  const auto seed = dir / "seed.dll";
  std::vector<Entry> entries;
  for (int i = 0; i < 150; ++i) entries.push_back(E("Rune " + std::to_string(i), "https://x/" + std::to_string(i)));
  dictionary::CreateDictionary(seed.string(), entries);
  const auto bytes = Bytes(seed);
  std::mt19937 random(2026);
  const auto target = dir / "damaged.dll", update = dir / "update.dll";
  int refused = 0;
  for (int trial = 0; trial < 150; ++trial) {
    auto damaged = bytes;
    const int changes = 1 + int(random() % 16);
    for (int i = 0; i < changes; ++i) damaged[4096 + random() % (damaged.size() - 4096)] = char(random());
    std::ofstream(target, std::ios::binary | std::ios::trunc).write(damaged.data(), std::streamsize(damaged.size()));
    fs::copy_file(target, update, fs::copy_options::overwrite_existing);
    try {
      dictionary::AppendEntries(target.string(), {E("K", std::string(300, 'l'))});
      dictionary::MergeUpdate(target.string(), update.string());
    } catch (const dictionary::Error&) {
      ++refused;
    }
  }
  EXPECT_GT(refused, 0) << "some damage must be noticed";
}

}  // namespace
