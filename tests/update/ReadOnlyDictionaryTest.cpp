// A dictionary file whose write permission has been taken away is refused
// with a reason and left as it was, although its folder may be written to.
// The merge runs in the helper as an ordinary user (root may write anything).
#include "Fixtures.h"

#include "dictionary/Writer.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <filesystem>
#include <string>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using namespace update::testing;
namespace fs = std::filesystem;

constexpr uid_t kNobody = 65534;

struct HelperRun {
  int exitCode = -1;
  std::string output;
};

// The helper, as the user `nobody` when the test runs as root.
HelperRun runHelperAsOrdinaryUser(const std::string& dictionary, const std::string& updateFile) {
  int pipeFds[2];
  if (pipe(pipeFds) != 0) return {};
  const pid_t pid = fork();
  if (pid == 0) {
    dup2(pipeFds[1], STDOUT_FILENO);
    close(pipeFds[0]);
    if (geteuid() == 0 && (setgid(kNobody) != 0 || setuid(kNobody) != 0)) _exit(126);
    execl(UPDATE_MERGE_HELPER, UPDATE_MERGE_HELPER, dictionary.c_str(), updateFile.c_str(),
          static_cast<char*>(nullptr));
    _exit(127);
  }
  close(pipeFds[1]);
  HelperRun run;
  char buffer[512];
  for (ssize_t n; (n = read(pipeFds[0], buffer, sizeof buffer)) > 0;) run.output.append(buffer, n);
  close(pipeFds[0]);
  int status = 0;
  waitpid(pid, &status, 0);
  run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

TEST(ReadOnlyDictionary, IsRefusedAndLeftAsItWas) {
  QTemporaryDir temp;
  ASSERT_TRUE(temp.isValid());
  const fs::path root = temp.path().toStdString();
  const fs::path folder = root / "program";
  const fs::path dictionary = folder / "runes.dll";
  const fs::path updateFile = root / "update.mdb";
  fs::create_directories(folder);
  dictionary::CreateDictionary(dictionary.string(),
                               {row("Fehu", "http://www.ostrelda.net/runes/fehu.html",
                                    std::string("lore"))});
  dictionary::CreateDictionary(updateFile.string(),
                               {row("Ansuz", "http://www.ostrelda.net/runes/ansuz.html")});
  // The folder may be written to by the user who runs the merge; the file not.
  fs::permissions(root, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                            fs::perms::others_read | fs::perms::others_exec);
  fs::permissions(updateFile, fs::perms::owner_read | fs::perms::owner_write |
                                  fs::perms::group_read | fs::perms::others_read);
  if (geteuid() == 0) {
    ASSERT_EQ(chown(folder.c_str(), kNobody, kNobody), 0);
    ASSERT_EQ(chown(dictionary.c_str(), kNobody, kNobody), 0);
  }
  fs::permissions(dictionary, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  const std::string before = fileBytes(dictionary.string());

  const HelperRun run = runHelperAsOrdinaryUser(dictionary.string(), updateFile.string());
  EXPECT_EQ(run.exitCode, 1) << run.output;
  EXPECT_EQ(run.output.rfind("failed ", 0), 0u) << run.output;
  EXPECT_NE(run.output.find("read-only"), std::string::npos) << run.output;
  EXPECT_EQ(fileBytes(dictionary.string()), before);
  EXPECT_EQ(describe(readWithEngine(dictionary.string())),
            describe({row("Fehu", "http://www.ostrelda.net/runes/fehu.html", std::string("lore"))}));
}

}  // namespace
