#include "platform/ConnectionProbe.h"

#include <QNetworkInformation>
#include <QNetworkInterface>

namespace platform {

namespace {

bool anyInterfaceUp() {
  const auto interfaces = QNetworkInterface::allInterfaces();
  for (const QNetworkInterface& nic : interfaces) {
    const auto flags = nic.flags();
    if (!flags.testFlag(QNetworkInterface::IsUp) || !flags.testFlag(QNetworkInterface::IsRunning) ||
        flags.testFlag(QNetworkInterface::IsLoopBack))
      continue;
    if (!nic.addressEntries().isEmpty()) return true;
  }
  return false;
}

}  // namespace

qint32 NetworkConnectionProbe::connectedState() {
  if (QNetworkInformation::loadBackendByFeatures(QNetworkInformation::Feature::Reachability)) {
    if (auto* info = QNetworkInformation::instance()) {
      const auto reach = info->reachability();
      if (reach != QNetworkInformation::Reachability::Unknown)
        return reach == QNetworkInformation::Reachability::Online ? 1 : 0;
    }
  }
  return anyInterfaceUp() ? 1 : 0;
}

}  // namespace platform
