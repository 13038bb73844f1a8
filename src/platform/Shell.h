// Hands an address to the user's default browser. Never a shell command line.
#pragma once

#include <QUrl>

namespace platform {

class Shell {
 public:
  virtual ~Shell() = default;
  // Opens the address in the user's browser and returns at once.
  virtual void open(const QUrl& url) = 0;
};

class DesktopShell final : public Shell {
 public:
  void open(const QUrl& url) override;
};

}  // namespace platform
