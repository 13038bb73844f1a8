#include "viewer/BrowserCommand.h"

namespace viewer {

QStringList ToolbarKeys() {
  return {QStringLiteral("Back"),    QStringLiteral("Forward"), QStringLiteral("Stop"),
          QStringLiteral("Refresh"), QStringLiteral("Home"),    QStringLiteral("Search")};
}

BrowserCommand CommandForKey(const QString& key) {
  if (key == QLatin1String("Back")) return BrowserCommand::Back;
  if (key == QLatin1String("Forward")) return BrowserCommand::Forward;
  if (key == QLatin1String("Refresh")) return BrowserCommand::Refresh;
  if (key == QLatin1String("Home")) return BrowserCommand::Home;
  if (key == QLatin1String("Search")) return BrowserCommand::Search;
  if (key == QLatin1String("Stop")) return BrowserCommand::Stop;
  return BrowserCommand::None;
}

}  // namespace viewer
