#include "shell/EndProgram.h"

#include <QWidget>

namespace shell {

Shutdown::Shutdown(WindowRegistry& windows, platform::SettingsStore& settings,
                   platform::ProcessExit& exit)
    : windows_(windows), settings_(settings), exit_(exit) {}

void Shutdown::EndProgram() {
  if (ended_) return;
  if (closing_) {
    // Called from a window's close handling while the windows are closing.
    endNow();
    return;
  }
  closing_ = true;
  // A copy: closing a window may delete it or load no other one, but the
  // order is the one at the moment the end began.
  const QList<QWidget*> windows = windows_.loaded();
  for (QWidget* window : windows) {
    if (ended_) return;
    // A window that refuses to close does not keep the process alive.
    window->close();
  }
  endNow();
}

void Shutdown::endNow() {
  if (ended_) return;
  ended_ = true;
  // The process ends without unwinding: whatever was written to the settings
  // store must be on disk first.
  settings_.sync();
  exit_.endProcess();
}

}  // namespace shell
