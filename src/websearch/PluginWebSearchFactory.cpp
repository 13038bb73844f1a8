#include "websearch/PluginWebSearchFactory.h"

#include <QDir>
#include <QJsonObject>
#include <QPluginLoader>

namespace websearch {

PluginWebSearchFactory::PluginWebSearchFactory(QString pluginFolder, platform::Shell& shell)
    : pluginFolder_(std::move(pluginFolder)), shell_(shell) {}

std::unique_ptr<platform::WebSearchComponent> PluginWebSearchFactory::create() {
  const QDir folder(pluginFolder_);
  const QStringList candidates = folder.entryList({QStringLiteral("*websearch*.so")}, QDir::Files);
  for (const QString& file : candidates) {
    QPluginLoader loader(folder.filePath(file));
    // The id is read from the library's metadata without loading its code.
    if (loader.metaData().value(QStringLiteral("IID")).toString() !=
        QLatin1String(kWebSearchInterfaceId))
      continue;
    if (auto* plugin = qobject_cast<WebSearchPlugin*>(loader.instance()))
      return plugin->createComponent(shell_);
  }
  return nullptr;
}

}  // namespace websearch
