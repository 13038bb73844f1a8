// A merge killed at a random moment (SIGKILL, no chance to clean up) leaves
// the dictionary either as it was before or as it is after a whole merge, and
// the next merge still runs to the end.
#include "Fixtures.h"

#include "dictionary/Writer.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <chrono>
#include <filesystem>
#include <random>
#include <thread>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using namespace update::testing;
namespace fs = std::filesystem;

constexpr int kTrials = 40;
constexpr int kDictionaryRows = 3000;
constexpr int kUpdateRows = 3000;

std::string link(int i) { return "http://www.ostrelda.net/lore/" + std::to_string(i) + ".html"; }

pid_t startHelper(const std::string& dictionary, const std::string& updateFile) {
  const pid_t pid = fork();
  if (pid == 0) {
    // Quiet: the test reads the file, not the output.
    freopen("/dev/null", "w", stdout);
    execl(UPDATE_MERGE_HELPER, UPDATE_MERGE_HELPER, dictionary.c_str(), updateFile.c_str(),
          static_cast<char*>(nullptr));
    _exit(127);
  }
  return pid;
}

int waitFor(pid_t pid) {
  int status = 0;
  waitpid(pid, &status, 0);
  return status;
}

TEST(KilledMerge, LeavesTheDictionaryBeforeOrAfter) {
  QTemporaryDir temp;
  ASSERT_TRUE(temp.isValid());
  const fs::path root = temp.path().toStdString();

  // Half of the update's links are in the dictionary already.
  Rows dictionaryRows, updateRows;
  for (int i = 0; i < kDictionaryRows; ++i)
    dictionaryRows.push_back(row("old " + std::to_string(i), link(i), std::string("lore")));
  for (int i = 0; i < kUpdateRows; ++i)
    updateRows.push_back(row("new " + std::to_string(i), link(kDictionaryRows / 2 + i)));
  const fs::path original = root / "original.dll";
  const fs::path updateFile = root / "update.mdb";
  dictionary::CreateDictionary(original.string(), dictionaryRows);
  dictionary::CreateDictionary(updateFile.string(), updateRows);

  // The whole merge once, to know the "after" state and how long a run takes.
  const fs::path whole = root / "whole" / "runes.dll";
  fs::create_directories(whole.parent_path());
  fs::copy_file(original, whole);
  const auto started = std::chrono::steady_clock::now();
  ASSERT_EQ(waitFor(startHelper(whole.string(), updateFile.string())), 0);
  const auto runTime = std::chrono::steady_clock::now() - started;
  const std::string before = describe(readWithEngine(original.string()));
  const std::string after = describe(readWithEngine(whole.string()));
  ASSERT_NE(before, after);
  const std::string afterByMdbExport = describe(readWithMdbExport(whole.string()));

  std::mt19937 random(20261211);
  std::uniform_int_distribution<long long> moment(
      0, std::chrono::duration_cast<std::chrono::microseconds>(runTime).count() * 12 / 10);
  int leftBefore = 0, leftAfter = 0;
  for (int trial = 0; trial < kTrials; ++trial) {
    SCOPED_TRACE("trial " + std::to_string(trial));
    const fs::path folder = root / ("trial" + std::to_string(trial));
    const fs::path dictionary = folder / "runes.dll";
    fs::create_directories(folder);
    fs::copy_file(original, dictionary);

    const pid_t pid = startHelper(dictionary.string(), updateFile.string());
    std::this_thread::sleep_for(std::chrono::microseconds(moment(random)));
    kill(pid, SIGKILL);
    waitFor(pid);

    const std::string found = describe(readWithEngine(dictionary.string()));
    ASSERT_TRUE(found == before || found == after) << "a damaged or half-merged dictionary";
    (found == before ? leftBefore : leftAfter)++;
    const std::string foundByMdbExport = describe(readWithMdbExport(dictionary.string()));
    EXPECT_TRUE(foundByMdbExport == describe(readWithMdbExport(original.string())) ||
                foundByMdbExport == afterByMdbExport);

    // Whatever the killed run left behind (a copy, a lock) does not stop the
    // next merge, which ends in the "after" state.
    ASSERT_EQ(waitFor(startHelper(dictionary.string(), updateFile.string())), 0);
    EXPECT_EQ(describe(readWithEngine(dictionary.string())), after);
    // Nor does a killed run leave copies behind once the next one has run.
    std::vector<std::string> left;
    for (const auto& entry : fs::directory_iterator(folder)) left.push_back(entry.path().filename());
    EXPECT_EQ(left, std::vector<std::string>{"runes.dll"});
  }
  RecordProperty("left_before", leftBefore);
  RecordProperty("left_after", leftAfter);
  std::printf("killed runs: %d left the dictionary as before, %d as after (a run takes %lld ms)\n",
              leftBefore, leftAfter,
              static_cast<long long>(
                  std::chrono::duration_cast<std::chrono::milliseconds>(runTime).count()));
}

}  // namespace
