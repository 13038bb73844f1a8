// The program's life: start-up with its guard and reminder, every way of
// closing the main window leading to the farewell window, and EndProgram.
#include "dictionary/Writer.h"
#include "farewell/frmNagScreen2.h"
#include "platform/ProcessExit.h"
#include "platform/SettingsStore.h"
#include "platform/testing/Doubles.h"
#include "shell/EndProgram.h"
#include "shell/MDI.h"
#include "shell/Startup.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QCloseEvent>
#include <QPushButton>
#include <QTemporaryDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

namespace {

using platform::testing::TestPlatform;

bool isReminderQuestion(const platform::testing::RecordedMessage& m) {
  return m.text.startsWith("There maybe an update");
}

TEST(Startup, ASecondCopyIsRefusedAndEnded) {
  TestPlatform t;
  t.instanceGuard.answer = false;
  int syncsAtEnd = -1;
  t.processExit.onEnd = [&] { syncsAtEnd = t.settings.syncs; };
  shell::Startup startup(t.platform, t.state);

  EXPECT_FALSE(startup.run());

  ASSERT_EQ(t.dialogs.messages.size(), 1u);
  EXPECT_EQ(t.dialogs.messages[0].text, "Application is already running");
  EXPECT_EQ(t.dialogs.messages[0].icon, platform::MessageIcon::Information);
  EXPECT_EQ(t.dialogs.messages[0].buttons, platform::MessageButtons::Ok);
  EXPECT_EQ(t.processExit.calls, 1);
  EXPECT_EQ(syncsAtEnd, 1);
  // Nothing of the rest ran: no reminder, no main window, no farewell.
  EXPECT_TRUE(t.settings.values.isEmpty());
  EXPECT_EQ(startup.mainWindow(), nullptr);
  EXPECT_EQ(startup.farewellWindow(), nullptr);
}

TEST(Startup, RemindsBeforeTheMainWindowShows) {
  TestPlatform t;
  t.settings.values["Settings/Duration"] = "2025-01-01T10:00:00";
  t.dialogs.answers.push_back(platform::MessageAnswer::Yes);
  shell::Startup startup(t.platform, t.state);
  bool windowAtQuestion = true, windowAtOpen = true;
  t.dialogs.onMessage = [&](const platform::testing::RecordedMessage& m) {
    if (isReminderQuestion(m)) windowAtQuestion = startup.mainWindow() != nullptr;
  };
  t.shell.onOpen = [&](const QUrl&) { windowAtOpen = startup.mainWindow() != nullptr; };

  EXPECT_TRUE(startup.run());

  EXPECT_FALSE(windowAtQuestion);
  EXPECT_FALSE(windowAtOpen);
  ASSERT_NE(startup.mainWindow(), nullptr);
  EXPECT_TRUE(startup.mainWindow()->isVisible());
  EXPECT_EQ(startup.windows().loaded(), QList<QWidget*>{startup.mainWindow()});
  EXPECT_EQ(t.settings.values["Settings/Duration"], t.clock.current.toString(Qt::ISODate));
}

TEST(Startup, FirstStartStoresTheDateAndAsksNothing) {
  // With a dictionary beside the program, so that its load has nothing to report.
  QTemporaryDir folder;
  dictionary::CreateDictionary(dictionary::DictionaryPath(folder.path().toStdString()), {});
  TestPlatform t(folder.path());
  shell::Startup startup(t.platform, t.state);
  EXPECT_TRUE(startup.run());
  EXPECT_TRUE(std::none_of(t.dialogs.messages.begin(), t.dialogs.messages.end(), isReminderQuestion));
  EXPECT_EQ(t.settings.values["Settings/Duration"], "2026-01-15T12:00:00");
}

TEST(Shutdown, EveryWayOfClosingTheMainWindowShowsTheFarewellWindow) {
  const struct {
    const char* how;
    std::function<void(shell::MDI&)> close;
  } ways[] = {
      {"close box", [](shell::MDI& w) { w.close(); }},
      {"Exit menu entry", [](shell::MDI& w) { w.mnuExit->trigger(); }},
      {"Exit button", [](shell::MDI& w) { QTest::mouseClick(w.cmdExit, Qt::LeftButton); }},
      {"window system's close request",
       [](shell::MDI& w) {
         QCloseEvent event;
         QCoreApplication::sendEvent(&w, &event);
         if (event.isAccepted()) w.hide();
       }},
  };
  for (const auto& way : ways) {
    TestPlatform t;
    shell::Startup startup(t.platform, t.state);
    ASSERT_TRUE(startup.run());
    shell::MDI* mdi = startup.mainWindow();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(mdi));

    way.close(*mdi);

    EXPECT_FALSE(mdi->isVisible()) << way.how;
    ASSERT_NE(startup.farewellWindow(), nullptr) << way.how;
    EXPECT_TRUE(startup.farewellWindow()->isVisible()) << way.how;
    EXPECT_EQ(startup.farewellWindow()->parentWidget(), nullptr) << way.how;
    EXPECT_EQ(t.processExit.calls, 0) << way.how << ": the process lives on with the farewell window";
    EXPECT_EQ(startup.windows().loaded(),
              (QList<QWidget*>{mdi, startup.farewellWindow()})) << way.how;
  }
}

TEST(Shutdown, LeavingTheFarewellWindowEndsTheProgramOnce) {
  for (const bool byExitButton : {true, false}) {
    TestPlatform t;
    int syncsAtEnd = -1;
    t.processExit.onEnd = [&] { syncsAtEnd = t.settings.syncs; };
    shell::Startup startup(t.platform, t.state);
    ASSERT_TRUE(startup.run());
    startup.mainWindow()->close();
    farewell::frmNagScreen2* nag = startup.farewellWindow();
    ASSERT_NE(nag, nullptr);

    if (byExitButton)
      QTest::mouseClick(nag->cmdClose, Qt::LeftButton);
    else
      nag->close();

    EXPECT_EQ(t.processExit.calls, 1) << byExitButton;
    EXPECT_EQ(syncsAtEnd, 1) << "settings are flushed before the process ends";
    EXPECT_FALSE(nag->isVisible());
  }
}

// A window that notes when it is closed, and may do more in its close.
class NotingWindow : public QWidget {
 public:
  NotingWindow(QString name, QStringList& log) : name_(std::move(name)), log_(log) {}
  std::function<void(QCloseEvent*)> onClose;

 protected:
  void closeEvent(QCloseEvent* event) override {
    log_ << name_;
    if (onClose) onClose(event);
  }

 private:
  QString name_;
  QStringList& log_;
};

TEST(EndProgram, ClosesLoadedWindowsInLoadOrderThenFlushesAndEnds) {
  TestPlatform t;
  QStringList log;
  t.processExit.onEnd = [&] { log << QStringLiteral("end after %1 sync").arg(t.settings.syncs); };
  shell::WindowRegistry windows;
  shell::Shutdown shutdown(windows, t.settings, t.processExit);

  NotingWindow first("first", log), second("second", log), third("third", log);
  auto* gone = new NotingWindow("gone", log);
  windows.add(&second);
  windows.add(gone);
  windows.add(&first);
  windows.add(&third);
  windows.add(&second);  // already loaded: keeps its first place
  delete gone;            // unloaded before the end: drops out
  first.show();
  // A window that refuses to close does not keep the process alive.
  first.onClose = [](QCloseEvent* e) { e->ignore(); };

  shutdown.EndProgram();

  EXPECT_EQ(log, QStringList({"second", "first", "third", "end after 1 sync"}));
  EXPECT_EQ(t.processExit.calls, 1);
  EXPECT_TRUE(shutdown.ended());
}

TEST(EndProgram, ANestedCallFromAClosingWindowEndsRightThere) {
  TestPlatform t;
  QStringList log;
  t.processExit.onEnd = [&] { log << "end"; };
  shell::WindowRegistry windows;
  shell::Shutdown shutdown(windows, t.settings, t.processExit);
  NotingWindow main("main", log), nag("nag", log), later("later", log);
  nag.onClose = [&](QCloseEvent*) { shutdown.EndProgram(); };
  windows.add(&main);
  windows.add(&nag);
  windows.add(&later);

  shutdown.EndProgram();

  EXPECT_EQ(log, QStringList({"main", "nag", "end"})) << "the outer call does not go on";
  EXPECT_EQ(t.processExit.calls, 1);
  EXPECT_EQ(t.settings.syncs, 1);
}

TEST(EndProgram, WithNoWindowLoadedStillEnds) {
  TestPlatform t;
  shell::WindowRegistry windows;
  shell::Shutdown shutdown(windows, t.settings, t.processExit);
  shutdown.EndProgram();
  EXPECT_EQ(t.processExit.calls, 1);
  EXPECT_EQ(t.settings.syncs, 1);
}

// The production ending, in a child process: leaving the farewell window
// ends the process at once with exit code 0, and what start-up wrote to the
// real settings store is on disk.
[[noreturn]] void runAndLeaveWithTheRealEnding() {
  TestPlatform t;
  platform::IniSettingsStore settings(QStringLiteral("ostrelda-ending-test"));
  platform::ImmediateProcessExit processExit;
  platform::Platform real{t.shell, settings,    t.instanceGuard, t.connection, t.dialogs,
                          t.clock, processExit, t.browsers,      t.webSearch,  QString()};
  shell::Startup startup(real, t.state);
  startup.run();
  startup.mainWindow()->close();
  QTest::mouseClick(startup.farewellWindow()->cmdClose, Qt::LeftButton);
  std::fputs("EndProgram returned", stderr);
  std::exit(3);
}

TEST(EndProgramDeathTest, TheRealEndingStopsTheProcessWithTheSettingsWritten) {
  // Forked at the statement, so that the child writes into this very folder.
  GTEST_FLAG_SET(death_test_style, "fast");
  QTemporaryDir config;
  ASSERT_TRUE(config.isValid());
  qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
  EXPECT_EXIT(runAndLeaveWithTheRealEnding(), ::testing::ExitedWithCode(0), "");
  QFile written(config.filePath("ostrelda-ending-test.ini"));
  ASSERT_TRUE(written.open(QIODevice::ReadOnly));
  EXPECT_TRUE(written.readAll().contains("Duration=2026-01-15T12:00:00"));
}

}  // namespace
