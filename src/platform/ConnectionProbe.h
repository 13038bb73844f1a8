// The system's connected-state query: 1 means online, anything else offline.
#pragma once

#include <QtGlobal>

namespace platform {

class ConnectionProbe {
 public:
  virtual ~ConnectionProbe() = default;
  virtual qint32 connectedState() = 0;
};

// Online when Qt's network information backend reports the internet as
// reachable; without a backend, when any interface that is up, running and
// not a loopback has an address.
class NetworkConnectionProbe final : public ConnectionProbe {
 public:
  qint32 connectedState() override;
};

}  // namespace platform
