// The dictionary access layer: where the file is, opening it, the one query
// form, and walking the record set by count.
#include "dictionary/Dictionary.h"
#include "dictionary/Writer.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <fstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

fs::path Scratch(const std::string& name) {
  auto dir = fs::temp_directory_path() / ("ostrelda-dictionary-" + name + "-" + std::to_string(::getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir);
  return dir;
}

std::string ErrorOf(const std::function<void()>& f) {
  try {
    f();
  } catch (const dictionary::Error& e) {
    return e.what();
  }
  return "(no error)";
}

TEST(DictionaryPath, IsTheProgramFolderThenRunesDll) {
  EXPECT_EQ(dictionary::DictionaryPath("/opt/ostrelda"), "/opt/ostrelda/runes.dll");
  EXPECT_EQ(dictionary::DictionaryPath("/home/a b"), "/home/a b/runes.dll");
}

class Opened : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = Scratch("opened");
    path_ = (dir_ / "runes.dll").string();
    dictionary::CreateDictionary(path_, {{"Fehu", "https://example.org/fehu", "astro"},
                                         {"fehu", "https://example.org/fehu-lower", std::nullopt},
                                         {"\xE1\x9A\xA2 Uruz", std::string(5000, 'u'), "astro"}});
  }
  void TearDown() override { fs::remove_all(dir_); }
  fs::path dir_;
  std::string path_;
};

TEST_F(Opened, AcceptsOnlySelectStarFromATableInAnyLetterCase) {
  auto connection = dictionary::OpenConnection(path_);
  for (const char* sql : {"Select * from Runes", "SELECT * FROM RUNES", "select  *   from  runes", "Select * from [Runes]"})
    EXPECT_EQ(dictionary::OpenRecordset(connection, sql).RecordCount(), 3) << sql;
  for (const char* sql : {"Select Key from Runes", "Select * from Runes where Key='Fehu'", "Delete from Runes", "",
                          "Select * Runes", "Select*from Runes"})
    EXPECT_THROW(dictionary::OpenRecordset(connection, sql), dictionary::Error) << sql;
  EXPECT_NE(ErrorOf([&] { dictionary::OpenRecordset(connection, "Select * from Words"); }).find("no table Words"),
            std::string::npos);
}

TEST_F(Opened, WalksRowsInTableOrderReadingFieldsByName) {
  auto connection = dictionary::OpenConnection(path_);
  EXPECT_EQ(connection.path(), path_);
  auto rs = dictionary::OpenRecordset(connection, "Select * from Runes");
  ASSERT_EQ(rs.RecordCount(), 3);
  rs.MoveFirst();
  EXPECT_EQ(rs.Text("Key"), "Fehu");
  EXPECT_EQ(rs.Field("link"), "https://example.org/fehu");  // field names ignore case
  rs.MoveNext();
  EXPECT_EQ(rs.Text("Key"), "fehu");  // differs only in case: a row of its own
  EXPECT_EQ(rs.Field("Names"), std::nullopt);
  EXPECT_EQ(rs.Text("Names"), "");
  rs.MoveNext();
  EXPECT_EQ(rs.Text("Key"), "\xE1\x9A\xA2 Uruz");
  EXPECT_EQ(rs.Text("Link"), std::string(5000, 'u'));
  EXPECT_TRUE(rs.HasField("NAMES"));
  EXPECT_FALSE(rs.HasField("Meaning"));
  EXPECT_THROW(rs.Field("Meaning"), dictionary::Error);
  rs.MoveNext();
  EXPECT_TRUE(rs.AtEnd());
  EXPECT_THROW(rs.Field("Key"), dictionary::Error);
}

TEST_F(Opened, AnEmptyTableHasNoRecords) {
  const std::string empty = (dir_ / "empty.dll").string();
  dictionary::CreateDictionary(empty, {});
  auto connection = dictionary::OpenConnection(empty);
  EXPECT_EQ(dictionary::OpenRecordset(connection, "Select * from Runes").RecordCount(), 0);
}

TEST_F(Opened, FailuresSayWhatIsWrong) {
  const std::string text = (dir_ / "notes.dll").string();
  std::ofstream(text) << "not a database, just some words of text that go on for a while........................"
                         "..........................................................................................";
  const std::string empty = (dir_ / "zero.dll").string();
  std::ofstream{empty};
  struct Case {
    std::string path;
    std::string password;
    std::string says;
  } cases[] = {
      {(dir_ / "missing.dll").string(), std::string(dictionary::kDictionaryPassword), "cannot be found"},
      {text, std::string(dictionary::kDictionaryPassword), "not an Access database"},
      {empty, std::string(dictionary::kDictionaryPassword), "empty"},
      {path_, "wrong", "Not a valid password."},
  };
  for (const auto& c : cases) {
    const std::string message = ErrorOf([&] { dictionary::OpenConnection(c.path, c.password); });
    EXPECT_NE(message.find(c.says), std::string::npos) << c.path << ": " << message;
  }
  EXPECT_EQ(ErrorOf([&] { dictionary::OpenConnection(path_, "wrong"); }), "Not a valid password.");
}

}  // namespace
