// The Update command end to end: a scripted file choice, the real merge on
// files made in a temporary folder, the progress window on a short timer, and
// the dictionary read back afterwards by the engine and by mdb-export.
#include "Fixtures.h"

#include "dictionary/Writer.h"
#include "jet/DatabaseWriter.h"
#include "jet/FileLock.h"
#include "platform/testing/Doubles.h"
#include "update/UpdateCommand.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>

#include <sys/mount.h>

namespace {

using namespace update::testing;
using platform::MessageIcon;
using platform::testing::TestPlatform;
namespace fs = std::filesystem;

const std::string kFehu = "http://www.ostrelda.net/runes/fehu.html";
const std::string kUruz = "http://www.ostrelda.net/runes/uruz.html";
const std::string kAnsuz = "http://www.ostrelda.net/runes/ansuz.html";
const std::string kRaido = "http://www.ostrelda.net/runes/raido.html";

Rows standardDictionary() {
  return {row("Fehu", kFehu, std::string("lore")), row("Uruz", kUruz, std::string("lore"))};
}

// An update file laid out by hand at the engine's level: any table name and
// columns, text values in column order.
void makeTable(const std::string& path, const std::string& table,
               const std::vector<jet::ColumnSpec>& columns,
               const std::vector<std::vector<std::string>>& rows,
               std::string_view password = dictionary::kDictionaryPassword) {
  auto writer = jet::DatabaseWriter::Create(path, password);
  writer.createTable({table, columns, {}});
  auto appender = writer.appender(table);
  for (const auto& r : rows) {
    std::vector<jet::FieldValue> values;
    for (const auto& v : r) values.emplace_back(v);
    appender.Append(std::move(values));
  }
  appender.Finish();
  writer.Commit();
}

// A small file system of its own mounted over a folder, to make the
// dictionary's folder read-only or full. Needs the right to mount (root in
// the test environment); without it the test is skipped.
class ScratchMount {
 public:
  ScratchMount(const std::string& folder, std::size_t bytes) : folder_(folder) {
    const std::string options = "size=" + std::to_string(bytes);
    mounted_ = ::mount("tmpfs", folder.c_str(), "tmpfs", 0, options.c_str()) == 0;
    if (!mounted_) error_ = std::strerror(errno);
  }
  ~ScratchMount() {
    if (mounted_) ::umount2(folder_.c_str(), MNT_DETACH);
  }
  bool mounted() const { return mounted_; }
  const std::string& error() const { return error_; }
  bool makeReadOnly() {
    return ::mount(nullptr, folder_.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) == 0;
  }
  // Takes every free block with a filler file.
  void fill() {
    std::ofstream filler(folder_ + "/filler", std::ios::binary);
    const std::string block(4096, 'x');
    while (filler.write(block.data(), block.size())) filler.flush();
  }

 private:
  std::string folder_;
  bool mounted_ = false;
  std::string error_;
};

class UpdateCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(temp.isValid());
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(otherBox);
    layout->addWidget(txtKey);
    layout->addWidget(lstKeys);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    otherBox->setFocus();
    ASSERT_TRUE(otherBox->hasFocus());
    QObject::connect(&command.progressWindow(), &QDialog::finished,
                     [this] { ++progressShowings; });
    doubles.dialogs.onMessage = [this](const platform::testing::RecordedMessage&) {
      progressShowingsAtMessage.push_back(progressShowings);
    };
  }

  static QString makeProgramFolder(const QTemporaryDir& dir) {
    QDir(dir.path()).mkpath(QStringLiteral("program"));
    return dir.path() + QStringLiteral("/program");
  }
  std::string programFolder() const { return doubles.platform.programFolder.toStdString(); }
  std::string dictionaryPath() const { return programFolder() + "/runes.dll"; }
  std::string file(const std::string& name) const { return temp.path().toStdString() + "/" + name; }

  // The dictionary, and the keyword list filled from it as at start-up.
  void makeDictionary(const Rows& rows) {
    dictionary::CreateDictionary(dictionaryPath(), rows);
    for (const auto& r : rows)
      lstKeys->addTopLevelItem(new QTreeWidgetItem({QString::fromStdString(r.key.value_or(""))}));
    listedBefore = lstKeys->topLevelItemCount();
    dictionaryBefore = rows;
    bytesBefore = fileBytes(dictionaryPath());
  }
  std::string makeUpdate(const std::string& name, const Rows& rows,
                         std::string_view password = dictionary::kDictionaryPassword) {
    const std::string path = file(name);
    dictionary::CreateDictionary(path, rows, password);
    return path;
  }

  void choose(const std::string& path) {
    doubles.dialogs.paths.push_back(QString::fromStdString(path));
    command.mnuUpdateClick();
  }

  // One message with the information icon and OK, then the focus in the
  // keyword box; no progress window.
  void expectRefusal(const QString& text) {
    ASSERT_EQ(doubles.dialogs.messages.size(), 1u);
    EXPECT_EQ(doubles.dialogs.messages[0].text, text);
    EXPECT_EQ(doubles.dialogs.messages[0].icon, MessageIcon::Information);
    EXPECT_EQ(doubles.dialogs.messages[0].buttons, platform::MessageButtons::Ok);
    EXPECT_EQ(progressShowings, 0);
    EXPECT_TRUE(txtKey->hasFocus());
  }

  // An error that names the dictionary file and the reason; no progress
  // window, no success message.
  void expectDictionaryError(const std::string& reasonPart) {
    ASSERT_EQ(doubles.dialogs.messages.size(), 1u);
    const QString text = doubles.dialogs.messages[0].text;
    EXPECT_TRUE(text.startsWith("The dictionary could not be updated:")) << text.toStdString();
    EXPECT_TRUE(text.contains(QString::fromStdString(dictionaryPath()))) << text.toStdString();
    EXPECT_TRUE(text.contains(QString::fromStdString(reasonPart), Qt::CaseInsensitive))
        << text.toStdString();
    EXPECT_EQ(doubles.dialogs.messages[0].icon, MessageIcon::Critical);
    EXPECT_EQ(progressShowings, 0);
    EXPECT_TRUE(txtKey->hasFocus());
  }

  // The progress window ran once and had closed before the success message;
  // the list kept its items (repainted, not reloaded); the keyword box has
  // the focus.
  void expectSuccess() {
    ASSERT_EQ(doubles.dialogs.messages.size(), 1u);
    EXPECT_EQ(doubles.dialogs.messages[0].text,
              "Ostrelda Successfully Updated\rPlease restart dictionary ");
    EXPECT_EQ(doubles.dialogs.messages[0].icon, MessageIcon::Information);
    EXPECT_EQ(doubles.dialogs.messages[0].buttons, platform::MessageButtons::Ok);
    EXPECT_EQ(progressShowingsAtMessage, std::vector<int>{1});
    EXPECT_FALSE(command.progressWindow().isVisible());
    EXPECT_EQ(lstKeys->topLevelItemCount(), listedBefore);
    // The main window becomes active again once the modal window has gone.
    EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    EXPECT_TRUE(txtKey->hasFocus());
  }

  // The dictionary as both readers see it.
  void expectDictionary(const Rows& expected) {
    EXPECT_EQ(describe(readWithEngine(dictionaryPath())), describe(expected));
    EXPECT_EQ(describe(readWithMdbExport(dictionaryPath())), describe(asMdbExportSees(expected)));
  }
  void expectDictionaryUnchanged() {
    EXPECT_EQ(fileBytes(dictionaryPath()), bytesBefore) << "the dictionary file changed";
    expectDictionary(dictionaryBefore);
  }
  Rows dictionaryWith(const Rows& addedRows) const {
    Rows rows = dictionaryBefore;
    rows.insert(rows.end(), addedRows.begin(), addedRows.end());
    return rows;
  }

  QTemporaryDir temp;
  TestPlatform doubles{makeProgramFolder(temp)};
  QWidget window;
  QLineEdit* otherBox = new QLineEdit(&window);
  QLineEdit* txtKey = new QLineEdit(&window);
  QTreeWidget* lstKeys = new QTreeWidget(&window);
  update::UpdateCommand command{doubles.platform, &window, lstKeys, txtKey,
                                std::chrono::milliseconds(1)};
  int progressShowings = 0;
  std::vector<int> progressShowingsAtMessage;
  int listedBefore = 0;
  Rows dictionaryBefore;
  std::string bytesBefore;
};

TEST_F(UpdateCommandTest, CancellingTheDialogEndsSilently) {
  makeDictionary(standardDictionary());
  command.mnuUpdateClick();  // no scripted path: the user cancels
  EXPECT_EQ(doubles.dialogs.openFileCalls, 1);
  EXPECT_TRUE(doubles.dialogs.messages.empty());
  EXPECT_EQ(progressShowings, 0);
  EXPECT_TRUE(otherBox->hasFocus()) << "the focus stays where it was";
  expectDictionaryUnchanged();
}

// Files that are refused before anything is written: one message, the
// dictionary exactly as before.
TEST_F(UpdateCommandTest, RefusedFilesChangeNothing) {
  const std::string corpusFile = std::string(OSTRELDA_CORPUS_DIR) + "/files/testV2003.mdb";
  const std::vector<std::string> keyLinkNames = {"Key", "Link", "Names"};
  const struct {
    const char* name;
    std::function<std::string()> make;
    QString message;
  } cases[] = {
      {"a file that is not a database",
       [&] {
         std::ofstream(file("notes.txt")) << "Fehu\thttp://www.ostrelda.net/runes/fehu.html\n";
         return file("notes.txt");
       },
       update::kNothingToUpdate},
      {"a file that is no longer there", [&] { return file("gone.mdb"); }, update::kNothingToUpdate},
      {"a database without the table Runes",
       [&] {
         makeTable(file("other-table.mdb"), "Lore",
                   {{"Key", jet::ColumnType::Text, 255}, {"Link", jet::ColumnType::Memo},
                    {"Names", jet::ColumnType::Text, 50}},
                   {{"Ansuz", kAnsuz, "astro"}});
         return file("other-table.mdb");
       },
       update::kNothingToUpdate},
      {"an Access file of other tables (no password)",
       [&] {
         fs::copy_file(corpusFile, file("testV2003.mdb"));
         return file("testV2003.mdb");
       },
       update::kNothingToUpdate},
      {"an empty table Runes", [&] { return makeUpdate("empty.mdb", {}); },
       update::kNothingToUpdate},
      {"an update file with another password",
       [&] { return makeUpdate("other-password.mdb", {row("Ansuz", kAnsuz)}, "not our password"); },
       update::kNothingToUpdate},
      {"\"Astro\" in the third row",
       [&] {
         return makeUpdate("astro-third.mdb",
                           {row("Ansuz", kAnsuz), row("Raido", kRaido),
                            row("Kenaz", "http://k", std::string("Astro")),
                            row("Gebo", "http://g")});
       },
       update::kWrongFile},
      {"an empty Names in the first row",
       [&] {
         return makeUpdate("empty-names.mdb",
                           {row("Ansuz", kAnsuz, std::string("")), row("Raido", kRaido)});
       },
       update::kWrongFile},
      {"a NULL Names in the last row",
       [&] {
         return makeUpdate("null-names.mdb",
                           {row("Ansuz", kAnsuz), row("Raido", kRaido, std::nullopt)});
       },
       update::kWrongFile},
      {"Names with a trailing blank",
       [&] { return makeUpdate("blank.mdb", {row("Ansuz", kAnsuz, std::string("astro "))}); },
       update::kWrongFile},
      {"a table Runes without a Names column",
       [&] {
         makeTable(file("no-names.mdb"), "Runes",
                   {{"Key", jet::ColumnType::Text, 255}, {"Link", jet::ColumnType::Memo}},
                   {{"Ansuz", kAnsuz}, {"Raido", kRaido}});
         return file("no-names.mdb");
       },
       update::kWrongFile},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    if (std::string(c.name).find("Access file") != std::string::npos &&
        !fs::exists(corpusFile))
      continue;
    doubles.dialogs.messages.clear();
    progressShowings = 0;
    progressShowingsAtMessage.clear();
    fs::remove(dictionaryPath());
    lstKeys->clear();
    makeDictionary(standardDictionary());
    otherBox->setFocus();

    choose(c.make());
    expectRefusal(c.message);
    expectDictionaryUnchanged();
  }
}

TEST_F(UpdateCommandTest, AddsNewLinksOnceAndKeepsExistingRows) {
  makeDictionary(standardDictionary());
  choose(makeUpdate("update.mdb", {
                                      row("Fehu again", kFehu),  // in the dictionary: skipped
                                      row("Ansuz", kAnsuz),
                                      row("Ansuz twice", kAnsuz),  // earlier in this file
                                      row("ANSUZ", "HTTP://WWW.OSTRELDA.NET/RUNES/ANSUZ.HTML"),
                                      row("Raido", kRaido),
                                  }));
  expectSuccess();
  expectDictionary(dictionaryWith({added("Ansuz", kAnsuz),
                                   added("ANSUZ", "HTTP://WWW.OSTRELDA.NET/RUNES/ANSUZ.HTML"),
                                   added("Raido", kRaido)}));
}

TEST_F(UpdateCommandTest, AnUpdateOfKnownLinksStillRunsTheProgressAndReportsSuccess) {
  makeDictionary(standardDictionary());
  choose(makeUpdate("known.mdb", {row("Uruz (new key)", kUruz), row("Fehu", kFehu)}));
  expectSuccess();
  expectDictionaryUnchanged();
}

TEST_F(UpdateCommandTest, AnEmptyDictionaryReceivesEveryRow) {
  makeDictionary({});
  choose(makeUpdate("update.mdb",
                    {row("Ansuz", kAnsuz), row("Raido", kRaido), row("Raido again", kRaido)}));
  expectSuccess();
  expectDictionary({added("Ansuz", kAnsuz), added("Raido", kRaido)});
}

// Rows without a Key or a Link are copied as they stand (NULL stays NULL,
// empty stays empty). For the duplicate test a missing Link counts as empty
// text, so at most one row without a Link ever enters the dictionary.
TEST_F(UpdateCommandTest, RowsWithoutKeyOrLinkAreCopiedAsTheyStand) {
  makeDictionary(standardDictionary());
  choose(makeUpdate("gaps.mdb", {
                                    row(std::nullopt, kAnsuz),
                                    row(std::string(""), kRaido),
                                    row("No link", std::nullopt),
                                    row("Empty link", std::string("")),
                                }));
  expectSuccess();
  expectDictionary(dictionaryWith({row(std::nullopt, kAnsuz, std::string("astro")),
                                   row(std::string(""), kRaido, std::string("astro")),
                                   row("No link", std::nullopt, std::string("astro"))}));
}

// Neither file is limited to 32,768 rows.
TEST_F(UpdateCommandTest, UpdatesBeyondSixteenBitRowCounts) {
  Rows existing, incoming, expectedRows;
  for (int i = 0; i < 33000; ++i)
    existing.push_back(row("k" + std::to_string(i), "http://x/" + std::to_string(i),
                           std::string("lore")));
  for (int i = 32000; i < 66000; ++i)
    incoming.push_back(row("u" + std::to_string(i), "http://x/" + std::to_string(i)));
  makeDictionary(existing);
  for (int i = 33000; i < 66000; ++i)
    expectedRows.push_back(added("u" + std::to_string(i), "http://x/" + std::to_string(i)));
  choose(makeUpdate("big.mdb", incoming));
  expectSuccess();
  expectDictionary(dictionaryWith(expectedRows));
}

TEST_F(UpdateCommandTest, TwoUpdatesInARowEachRunTheProgressWindow) {
  makeDictionary(standardDictionary());
  choose(makeUpdate("first.mdb", {row("Ansuz", kAnsuz)}));
  choose(makeUpdate("second.mdb", {row("Raido", kRaido)}));
  EXPECT_EQ(progressShowingsAtMessage, (std::vector<int>{1, 2}));
  expectDictionary(dictionaryWith({added("Ansuz", kAnsuz), added("Raido", kRaido)}));
}

TEST_F(UpdateCommandTest, AMissingDictionaryIsReportedAndNotCreated) {
  const std::string updateFile = makeUpdate("update.mdb", {row("Ansuz", kAnsuz)});
  choose(updateFile);
  expectDictionaryError("");
  EXPECT_FALSE(fs::exists(dictionaryPath()));
}

TEST_F(UpdateCommandTest, ADamagedDictionaryIsReportedAndLeftAsItWas) {
  makeDictionary(standardDictionary());
  {
    // Cut the file in the middle of its second page.
    std::string damaged = bytesBefore.substr(0, 4096 + 1000);
    std::ofstream(dictionaryPath(), std::ios::binary | std::ios::trunc) << damaged;
    bytesBefore = damaged;
  }
  choose(makeUpdate("update.mdb", {row("Ansuz", kAnsuz)}));
  expectDictionaryError("");
  EXPECT_EQ(fileBytes(dictionaryPath()), bytesBefore);
}

TEST_F(UpdateCommandTest, ADictionaryInUseIsReportedAndLeftAsItWas) {
  makeDictionary(standardDictionary());
  const std::string updateFile = makeUpdate("update.mdb", {row("Ansuz", kAnsuz)});
  {
    jet::FileWriteLock otherWriter(dictionaryPath());
    choose(updateFile);
  }
  expectDictionaryError("in use");
  expectDictionaryUnchanged();
}

TEST_F(UpdateCommandTest, ARowThatCannotBeStoredAbortsTheWholeMerge) {
  makeDictionary(standardDictionary());
  // The update's Key is a memo; the dictionary's Key holds 255 characters.
  makeTable(file("long-key.mdb"), "Runes",
            {{"Key", jet::ColumnType::Memo}, {"Link", jet::ColumnType::Memo},
             {"Names", jet::ColumnType::Text, 50}},
            {{"Ansuz", kAnsuz, "astro"}, {std::string(300, 'k'), kRaido, "astro"}});
  choose(file("long-key.mdb"));
  expectDictionaryError("255");
  expectDictionaryUnchanged();
}

TEST_F(UpdateCommandTest, AReadOnlyDictionaryFolderIsReportedAndLeftAsItWas) {
  ScratchMount mount(programFolder(), 1 << 20);
  if (!mount.mounted()) GTEST_SKIP() << "cannot mount a scratch file system: " << mount.error();
  makeDictionary(standardDictionary());
  ASSERT_TRUE(mount.makeReadOnly());
  choose(makeUpdate("update.mdb", {row("Ansuz", kAnsuz)}));
  expectDictionaryError("read-only");
  expectDictionaryUnchanged();
}

TEST_F(UpdateCommandTest, AFullDiskIsReportedAndTheDictionaryLeftAsItWas) {
  ScratchMount mount(programFolder(), 1 << 20);
  if (!mount.mounted()) GTEST_SKIP() << "cannot mount a scratch file system: " << mount.error();
  makeDictionary(standardDictionary());
  mount.fill();
  choose(makeUpdate("update.mdb", {row("Ansuz", kAnsuz)}));
  expectDictionaryError("space");
  expectDictionaryUnchanged();
}

}  // namespace
