// The program's entry: the production seams, then start-up.
#include "platform/AppState.h"
#include "platform/ConnectionProbe.h"
#include "platform/Dialogs.h"
#include "platform/InstanceGuard.h"
#include "platform/Look.h"
#include "platform/Platform.h"
#include "platform/ProcessExit.h"
#include "platform/SettingsStore.h"
#include "platform/Shell.h"
#include "shell/Startup.h"
#include "viewer/WebEngineBrowser.h"
#include "websearch/PluginWebSearchFactory.h"

#include <QApplication>
#include <QFileInfo>

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  const QString executableName = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
  QCoreApplication::setApplicationName(executableName);
  platform::installLook();

  platform::DesktopShell shell;
  platform::IniSettingsStore settings(executableName);
  platform::LockFileInstanceGuard instanceGuard(executableName);
  platform::NetworkConnectionProbe connection;
  platform::WidgetDialogs dialogs;
  platform::SystemClock clock;
  platform::ImmediateProcessExit processExit;
  viewer::WebEngineBrowserFactory browsers;
  websearch::PluginWebSearchFactory webSearch(QCoreApplication::applicationDirPath(), shell);
  platform::Platform platform{shell,       settings, instanceGuard, connection, dialogs,
                              clock,       processExit, browsers,   webSearch,
                              QCoreApplication::applicationDirPath()};
  platform::AppState state;

  shell::Startup startup(platform, state);
  if (!startup.run()) return 0;  // another copy runs; ended already in practice
  return app.exec();
}
