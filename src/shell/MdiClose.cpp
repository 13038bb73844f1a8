// Closing the main window, by any of its ways, shows the farewell window;
// the program ends only when that window is left.
#include "shell/MDI.h"

#include <QAction>
#include <QCloseEvent>
#include <QPushButton>

namespace shell {

void MDI::bindExit() {
  connect(mnuExit, &QAction::triggered, this, &MDI::mnuExitClicked);
  // The Exit button does exactly what the menu entry does.
  connect(cmdExit, &QPushButton::clicked, this, &MDI::mnuExitClicked);
}

void MDI::mnuExitClicked() { close(); }

void MDI::setFarewell(std::function<void()> showFarewell) { showFarewell_ = std::move(showFarewell); }

void MDI::closeEvent(QCloseEvent* event) {
  // The farewell window shows before this one is gone, so the program always
  // has a window; the close itself is never cancelled.
  if (showFarewell_) showFarewell_();
  event->accept();
}

}  // namespace shell
