// The program on the desktop: `cmake --install` into a temporary prefix
// gives a launcher on the PATH, the program in its own folder with its
// dictionary, a desktop entry and the icon; the installed program starts
// under Xvfb and opens its dictionary; and the Debian package builds.
#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <poll.h>
#include <signal.h>
#include <sys/inotify.h>
#include <unistd.h>

namespace {

const QString kBuild = QStringLiteral(OSTRELDA_BINARY_DIR);
const QString kCmake = QStringLiteral(OSTRELDA_CMAKE_COMMAND);
const QString kCpack = QStringLiteral(OSTRELDA_CPACK_COMMAND);

bool dictionaryBuilt() { return QFile::exists(kBuild + "/runes.dll"); }

// Runs a command to its end; returns its exit code, with its output in `out`.
int run(const QString& program, const QStringList& args, QString* out = nullptr, int ms = 300000) {
  QProcess p;
  p.setProcessChannelMode(QProcess::MergedChannels);
  p.setWorkingDirectory(kBuild);
  p.start(program, args);
  if (!p.waitForFinished(ms)) {
    p.kill();
    p.waitForFinished();
    return -1;
  }
  if (out) *out = QString::fromLocal8Bit(p.readAll());
  return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}

// Reports when a file in a folder is opened.
class OpenWatch {
 public:
  explicit OpenWatch(const QString& folder) : fd_(inotify_init1(IN_NONBLOCK)) {
    if (fd_ >= 0) inotify_add_watch(fd_, QFile::encodeName(folder).constData(), IN_OPEN);
  }
  ~OpenWatch() {
    if (fd_ >= 0) close(fd_);
  }
  bool waitForOpen(const QString& name, int ms) {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < ms) {
      pollfd p{fd_, POLLIN, 0};
      if (poll(&p, 1, 200) <= 0) continue;
      alignas(inotify_event) char buffer[4096];
      const ssize_t n = read(fd_, buffer, sizeof buffer);
      for (ssize_t at = 0; at < n;) {
        const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
        if (event->len > 0 && name == QString::fromLocal8Bit(event->name)) return true;
        at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
      }
    }
    return false;
  }

 private:
  int fd_;
};

TEST(Install, IntoATemporaryPrefixGivesAProgramThatStartsAndFindsItsDictionary) {
  QTemporaryDir prefix;
  ASSERT_TRUE(prefix.isValid());
  QString output;
  ASSERT_EQ(run(kCmake, {"--install", kBuild, "--prefix", prefix.path()}, &output), 0) << output.toStdString();

  const QDir root(prefix.path());
  const QString launcher = root.filePath("bin/ostrelda");
  const QString program = root.filePath("lib/ostrelda/ostrelda");
  EXPECT_TRUE(QFileInfo(launcher).isExecutable());
  EXPECT_TRUE(QFileInfo(program).isExecutable());
  EXPECT_TRUE(QFile::exists(root.filePath("share/icons/hicolor/scalable/apps/ostrelda.svg")));
  QFile desktop(root.filePath("share/applications/ostrelda.desktop"));
  ASSERT_TRUE(desktop.open(QIODevice::ReadOnly));
  const QStringList entry = QString::fromUtf8(desktop.readAll()).split('\n');
  EXPECT_EQ(entry.value(0), "[Desktop Entry]");
  for (const char* line : {"Type=Application", "Name=Ostrelda", "Exec=ostrelda", "Icon=ostrelda", "Terminal=false"})
    EXPECT_TRUE(entry.contains(line)) << line;

  // The web-search plugins are looked for in the program's folder.
  for (const QString& plugin : QDir(kBuild).entryList({"*.so"}, QDir::Files))
    EXPECT_TRUE(QFile::exists(root.filePath("lib/ostrelda/" + plugin))) << plugin.toStdString();

  if (!dictionaryBuilt()) GTEST_SKIP() << "the shipped dictionary is not built in " << kBuild.toStdString();
  ASSERT_TRUE(QFile::exists(root.filePath("lib/ostrelda/runes.dll")));

  // The installed launcher, started from elsewhere under a fresh X server,
  // with its own runtime and settings folders.
  QTemporaryDir runtime, home;
  OpenWatch watch(root.filePath("lib/ostrelda"));
  QProcess started;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.remove("QT_QPA_PLATFORM");
  env.insert("XDG_RUNTIME_DIR", runtime.path());
  env.insert("HOME", home.path());
  env.insert("XDG_CONFIG_HOME", home.filePath("config"));
  started.setProcessEnvironment(env);
  started.setWorkingDirectory(QDir::rootPath());
  started.setProcessChannelMode(QProcess::MergedChannels);
  // Its own process group, so that the X server and the program end together.
  started.setChildProcessModifier([] { setsid(); });
  started.start("xvfb-run", {"-a", launcher});
  ASSERT_TRUE(started.waitForStarted());

  const bool opened = watch.waitForOpen("runes.dll", 60000);
  QThread::msleep(1000);
  const bool running = started.state() == QProcess::Running;
  if (started.state() == QProcess::Running) {
    ::kill(-static_cast<pid_t>(started.processId()), SIGTERM);
    if (!started.waitForFinished(10000)) ::kill(-static_cast<pid_t>(started.processId()), SIGKILL);
    started.waitForFinished(5000);
  }
  const std::string said = started.readAll().toStdString();
  EXPECT_TRUE(opened) << "the program never opened its dictionary; it said: " << said;
  EXPECT_TRUE(running) << "the program did not keep running; it said: " << said;
}

TEST(Install, TheDebianPackageBuilds) {
  QTemporaryDir out;
  ASSERT_TRUE(out.isValid());
  QString output;
  ASSERT_EQ(run(kCpack, {"-G", "DEB", "-B", out.path(), "--config", kBuild + "/CPackConfig.cmake"}, &output), 0)
      << output.toStdString();
  const QStringList debs = QDir(out.path()).entryList({"*.deb"}, QDir::Files);
  ASSERT_EQ(debs.size(), 1) << output.toStdString();
  const QString deb = QDir(out.path()).filePath(debs.front());

  QString fields;
  ASSERT_EQ(run("dpkg-deb", {"-f", deb, "Package", "Version", "Depends"}, &fields), 0);
  EXPECT_TRUE(fields.contains("Package: ostrelda")) << fields.toStdString();
  EXPECT_TRUE(fields.contains("libqt6widgets6")) << fields.toStdString();
  EXPECT_TRUE(fields.contains("qt6-qpa-plugins")) << fields.toStdString();

  QString contents;
  ASSERT_EQ(run("dpkg-deb", {"-c", deb}, &contents), 0);
  QStringList expected{"./usr/bin/ostrelda", "./usr/lib/ostrelda/ostrelda", "./usr/share/applications/ostrelda.desktop",
                       "./usr/share/icons/hicolor/scalable/apps/ostrelda.svg"};
  if (dictionaryBuilt()) expected << "./usr/lib/ostrelda/runes.dll";
  for (const QString& path : expected) EXPECT_TRUE(contents.contains(" " + path + "\n")) << path.toStdString();
}

}  // namespace
