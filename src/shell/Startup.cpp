#include "shell/Startup.h"

#include "farewell/frmNagScreen2.h"
#include "shell/MDI.h"
#include "shell/UpdateReminder.h"

#include <cstdio>

namespace shell {

Startup::Startup(platform::Platform& platform, platform::AppState& state)
    : platform_(platform), state_(state), shutdown_(windows_, platform.settings, platform.processExit) {}

Startup::~Startup() = default;

bool Startup::run() {
  if (!platform_.instanceGuard.acquire()) {
    // Also said on the standard error stream, for a start from a terminal or
    // a desktop launcher whose output goes to the journal.
    std::fprintf(stderr, "ostrelda: %s\n", qPrintable(kAlreadyRunning));
    std::fflush(stderr);
    platform_.dialogs.message(nullptr, kAlreadyRunning, platform::MessageIcon::Information);
    shutdown_.EndProgram();
    return false;
  }

  CheckUpdateReminder(platform_);

  mdi_ = std::make_unique<MDI>(platform_, state_);
  windows_.add(mdi_.get());
  mdi_->setFarewell([this] { showFarewell(); });
  mdi_->show();
  return true;
}

void Startup::showFarewell() {
  if (farewell_) return;
  farewell_ = std::make_unique<farewell::frmNagScreen2>(platform_, [this] { shutdown_.EndProgram(); });
  windows_.add(farewell_.get());
  farewell_->show();
}

}  // namespace shell
