// The end of the program: every loaded window closes, in load order, with its
// own close handling, and then the process ends at once.
#pragma once

#include "platform/ProcessExit.h"
#include "platform/SettingsStore.h"
#include "shell/WindowRegistry.h"

namespace shell {

class Shutdown {
 public:
  Shutdown(WindowRegistry& windows, platform::SettingsStore& settings, platform::ProcessExit& exit);

  // Closes every loaded window in load order, flushes the settings store and
  // ends the process; never returns in production. A window's close handling
  // may call it again (the farewell window's does): that nested call ends
  // the process right there, and the outer call does not go on.
  void EndProgram();

  bool ended() const { return ended_; }

 private:
  void endNow();

  WindowRegistry& windows_;
  platform::SettingsStore& settings_;
  platform::ProcessExit& exit_;
  bool closing_ = false;
  bool ended_ = false;
};

}  // namespace shell
