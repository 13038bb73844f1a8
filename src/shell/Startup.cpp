#include "shell/Startup.h"

#include "shell/MDI.h"

namespace shell {

Startup::Startup(platform::Platform& platform, platform::AppState& state)
    : platform_(platform), state_(state) {}

Startup::~Startup() = default;

void Startup::run() {
  mdi_ = std::make_unique<MDI>(platform_, state_);
  mdi_->show();
}

}  // namespace shell
