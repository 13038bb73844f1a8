// The program's start, as far as its main window: the production seams, the
// main window created and shown on the dictionary in the folder given as the
// argument. Prints the number of keywords listed and the resident memory in
// kB once the window is shown, then ends. Used by LookupBench.
#include "lookup/SearchPanel.h"
#include "platform/ConnectionProbe.h"
#include "platform/Dialogs.h"
#include "platform/Look.h"
#include "platform/Platform.h"
#include "platform/ProcessExit.h"
#include "platform/SettingsStore.h"
#include "platform/Shell.h"
#include "platform/testing/Doubles.h"
#include "shell/MDI.h"
#include "viewer/WebEngineBrowser.h"
#include "websearch/PluginWebSearchFactory.h"

#include <QApplication>
#include <QFile>
#include <QTest>

#include <cstdio>

namespace {

long residentKb() {
  QFile status("/proc/self/status");
  if (!status.open(QIODevice::ReadOnly)) return -1;
  for (const QByteArray& line : status.readAll().split('\n'))
    if (line.startsWith("VmRSS:")) return line.mid(6).trimmed().split(' ').first().toLong();
  return -1;
}

}  // namespace

int main(int argc, char* argv[]) {
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
  QApplication app(argc, argv);
  platform::installLook();
  const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();

  platform::DesktopShell shell;
  platform::testing::MemorySettings settings;  // the user's settings stay untouched
  platform::testing::ScriptedInstanceGuard instanceGuard;
  platform::NetworkConnectionProbe connection;
  platform::WidgetDialogs dialogs;
  platform::SystemClock clock;
  platform::ImmediateProcessExit processExit;
  viewer::WebEngineBrowserFactory browsers;
  websearch::PluginWebSearchFactory webSearch(QCoreApplication::applicationDirPath(), shell);
  platform::Platform platform{shell, settings, instanceGuard, connection, dialogs, clock,
                              processExit, browsers, webSearch, folder};
  platform::AppState state;

  shell::MDI window(platform, state);
  window.show();
  if (!QTest::qWaitForWindowExposed(&window)) return 1;
  std::printf("%d %ld\n", window.picLeft->lstKeys->count(), residentKb());
  std::fflush(stdout);
  return 0;
}
