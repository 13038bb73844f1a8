// The program-wide state: the address the viewer is to show next, and the
// connection state found once while the main window loads.
#pragma once

#include <QString>
#include <QtGlobal>

namespace platform {

struct AppState {
  // Set by the lookup commands, shown and emptied by the viewer's load.
  QString strPendingAddress;
  // Exactly 1 means online.
  qint32 lngConnectionState = 0;
};

}  // namespace platform
