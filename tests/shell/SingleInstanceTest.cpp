// The real program, started twice: the second copy is refused while the
// first holds its lock, and a lock left by a killed copy does not block.
// Each copy runs offscreen with its own runtime, configuration and home
// folders, so the test touches nothing of the user's.
#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLockFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>

#include <functional>
#include <memory>

namespace {

const QString kProgram = QStringLiteral(OSTRELDA_BINARY_DIR "/ostrelda");
constexpr int kPatienceMs = 30000;

bool waitFor(const std::function<bool()>& condition, int ms = kPatienceMs) {
  QElapsedTimer timer;
  timer.start();
  while (!condition()) {
    if (timer.elapsed() > ms) return false;
    QThread::msleep(50);
  }
  return true;
}

class SingleInstance : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(QFile::exists(kProgram)) << kProgram.toStdString();
    ASSERT_TRUE(runtime.isValid() && home.isValid());
    QDir(home.path()).mkpath("config");
  }
  void TearDown() override {
    for (auto& p : processes) {
      if (p->state() != QProcess::NotRunning) {
        p->kill();
        p->waitForFinished(5000);
      }
    }
  }

  QProcess* start() {
    auto p = std::make_unique<QProcess>();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("XDG_RUNTIME_DIR", runtime.path());
    env.insert("HOME", home.path());
    env.insert("XDG_CONFIG_HOME", home.filePath("config"));
    env.insert("QTWEBENGINE_CHROMIUM_FLAGS", "--no-sandbox");
    p->setProcessEnvironment(env);
    p->setProcessChannelMode(QProcess::SeparateChannels);
    p->start(kProgram, {});
    EXPECT_TRUE(p->waitForStarted(kPatienceMs));
    processes.push_back(std::move(p));
    return processes.back().get();
  }

  QString lockPath() const { return QDir(runtime.path()).filePath("ostrelda.lock"); }

  // The process id recorded in the lock file, or 0 when there is none.
  qint64 lockHolder() const {
    QLockFile lock(lockPath());
    qint64 pid = 0;
    QString host, app;
    return lock.getLockInfo(&pid, &host, &app) ? pid : 0;
  }

  static bool saysAlreadyRunning(QProcess* p, QByteArray& seen) {
    p->waitForReadyRead(50);
    seen += p->readAllStandardError();
    return seen.contains("Application is already running");
  }

  QTemporaryDir runtime;  // mode 0700, as a runtime folder must be
  QTemporaryDir home;
  std::vector<std::unique_ptr<QProcess>> processes;
};

TEST_F(SingleInstance, SecondCopyIsRefusedAndAStaleLockDoesNotBlock) {
  QProcess* first = start();
  ASSERT_TRUE(waitFor([&] { return lockHolder() == first->processId(); }))
      << "the first copy never took its lock; stderr: " << first->readAllStandardError().toStdString();
  // The first start also stored the reminder's date, in ISO form.
  const QString settingsFile = home.filePath("config/ostrelda.ini");
  ASSERT_TRUE(waitFor([&] { return QFile::exists(settingsFile); }));
  QFile settings(settingsFile);
  ASSERT_TRUE(settings.open(QIODevice::ReadOnly));
  const QString stored = QString::fromUtf8(settings.readAll());
  EXPECT_TRUE(stored.contains(QRegularExpression(
      R"(\[Settings\]\s*Duration=\d{4}-\d{2}-\d{2}T\d{2}:\d{2}:\d{2})")))
      << stored.toStdString();

  QProcess* second = start();
  QByteArray secondSays;
  EXPECT_TRUE(waitFor([&] { return saysAlreadyRunning(second, secondSays); }))
      << "stderr of the second copy: " << secondSays.toStdString();
  // Its message box waits for OK; the first copy keeps its lock meanwhile.
  EXPECT_EQ(second->state(), QProcess::Running);
  EXPECT_EQ(lockHolder(), first->processId());
  second->kill();
  second->waitForFinished(5000);
  EXPECT_EQ(first->state(), QProcess::Running) << "the running copy is left untouched";

  // A copy killed outright leaves its lock file behind...
  const qint64 killed = first->processId();
  first->kill();
  ASSERT_TRUE(first->waitForFinished(5000));
  ASSERT_TRUE(QFile::exists(lockPath()));
  EXPECT_EQ(lockHolder(), killed);

  // ...which the next copy recognises as stale and takes over.
  QProcess* third = start();
  EXPECT_TRUE(waitFor([&] { return lockHolder() == third->processId(); }));
  QThread::msleep(500);
  QByteArray thirdSays;
  saysAlreadyRunning(third, thirdSays);
  EXPECT_FALSE(thirdSays.contains("Application is already running")) << thirdSays.toStdString();
  EXPECT_EQ(third->state(), QProcess::Running);
}

}  // namespace
