// What runs when the program starts, before any window shows.
#pragma once

#include "platform/AppState.h"
#include "platform/Platform.h"

#include <memory>

namespace shell {

class MDI;

class Startup {
 public:
  Startup(platform::Platform& platform, platform::AppState& state);
  ~Startup();
  // Runs the start-up sequence and shows the main window.
  void run();
  MDI* mainWindow() const { return mdi_.get(); }

 private:
  platform::Platform& platform_;
  platform::AppState& state_;
  std::unique_ptr<MDI> mdi_;
};

}  // namespace shell
