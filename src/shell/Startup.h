// What runs when the program starts, before any window shows: the guard
// against a second copy, the update reminder, then the main window. Start-up
// also keeps the loaded windows and the end of the program.
#pragma once

#include "platform/AppState.h"
#include "platform/Platform.h"
#include "shell/EndProgram.h"
#include "shell/WindowRegistry.h"

#include <memory>

namespace farewell { class frmNagScreen2; }

namespace shell {

class MDI;

inline const QString kAlreadyRunning = QStringLiteral("Application is already running");

class Startup {
 public:
  Startup(platform::Platform& platform, platform::AppState& state);
  ~Startup();
  // Runs the start-up sequence and shows the main window. Returns false when
  // another copy is running: this one has then been ended (in production
  // the call does not return at all).
  bool run();

  MDI* mainWindow() const { return mdi_.get(); }
  farewell::frmNagScreen2* farewellWindow() const { return farewell_.get(); }
  WindowRegistry& windows() { return windows_; }
  Shutdown& shutdown() { return shutdown_; }

 private:
  // The main window's close leads here: the farewell window, created once,
  // modeless with no owner, above every other window.
  void showFarewell();

  platform::Platform& platform_;
  platform::AppState& state_;
  WindowRegistry windows_;
  Shutdown shutdown_;
  std::unique_ptr<MDI> mdi_;
  std::unique_ptr<farewell::frmNagScreen2> farewell_;
};

}  // namespace shell
