// A writer killed with SIGKILL at random moments leaves the dictionary
// either as it was or with the whole operation applied, readable by the
// engine and by mdbtools, and the next writer is not locked out.
#include "WriteTestSupport.h"

#include "dictionary/Writer.h"
#include "jet/WriteCatalog.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <random>
#include <sys/wait.h>
#include <thread>

using namespace writetest;
namespace fs = std::filesystem;

namespace {

constexpr int kTrials = 60;
constexpr int kRowsPerWrite = 2000;

std::size_t RowCount(const fs::path& path) {
  jet::WriteImage image = jet::WriteImage::Load(path.string());
  const auto page = jet::FindTablePage(image, "Runes");
  return jet::ReadTextColumns(image, *page, {"Link"}).rows.size();
}

pid_t Spawn(const fs::path& dict, int trial) {
  const pid_t pid = ::fork();
  if (pid == 0) {
    const std::string n = std::to_string(kRowsPerWrite), tag = "t" + std::to_string(trial);
    ::execl(KILL_HELPER, KILL_HELPER, dict.c_str(), n.c_str(), tag.c_str(), static_cast<char*>(nullptr));
    ::_exit(127);
  }
  return pid;
}

TEST(KilledWriter, LeavesTheFileAsBeforeOrAsAfter) {
  const auto dir = ScratchDir("kill");
  const fs::path dict = dir / "runes.dll";
  std::vector<dictionary::Entry> base;
  for (int i = 0; i < 30000; ++i)
    base.push_back({"Rune " + std::to_string(i), "https://runes.example/ostrelda/ssd.php?page=r" + std::to_string(i),
                    std::string("astro")});
  dictionary::CreateDictionary(dict.string(), base);

  // How long one whole write takes, to spread the kills over it.
  auto start = std::chrono::steady_clock::now();
  int status = 0;
  ::waitpid(Spawn(dict, -1), &status, 0);
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  const auto span = std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start);

  std::mt19937 random(12345);
  std::uniform_int_distribution<long> delay(0, span.count() * 15 / 10);
  int before = 0, after = 0;
  for (int trial = 0; trial < kTrials; ++trial) {
    SCOPED_TRACE("trial " + std::to_string(trial));
    const auto bytesBefore = ReadAll(dict);
    const std::size_t rowsBefore = RowCount(dict);
    const pid_t pid = Spawn(dict, trial);
    std::this_thread::sleep_for(std::chrono::microseconds(delay(random)));
    ::kill(pid, SIGKILL);
    ::waitpid(pid, &status, 0);
    const auto bytesNow = ReadAll(dict);
    if (bytesNow == bytesBefore) {
      ++before;
    } else {
      ASSERT_EQ(RowCount(dict), rowsBefore + kRowsPerWrite) << "a partial write survived";
      ++after;
    }
    if (trial % 10 == 0) {
      std::string out;
      const std::string problems = StructureCheck(dict, "Q8mVt2LrNw6Xk4PsZd", status);
      EXPECT_EQ(status, 0) << problems;
      ASSERT_EQ(writetest::Run("mdb-export " + Quote(dict.string()) + " Runes | wc -l", out), 0);
      EXPECT_EQ(std::stoul(out), RowCount(dict) + 1) << "mdbtools reads every row";
    }
  }
  std::size_t leftovers = 0;
  for (const auto& e : fs::directory_iterator(dir)) leftovers += e.path().filename().string().find(".writing-") != std::string::npos;
  EXPECT_LE(leftovers, 1u) << "stale copies are cleared by the next writer";
  std::cout << "killed before the rename: " << before << ", after: " << after << "\n";
  // The lock of a killed writer does not outlive it.
  EXPECT_NO_THROW(dictionary::AppendEntries(dict.string(), {{std::string("k"), std::string("l"), std::string("astro")}}));
}

}  // namespace
