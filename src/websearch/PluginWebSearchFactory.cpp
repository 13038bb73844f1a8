#include "websearch/PluginWebSearchFactory.h"

#include <QDir>
#include <QPluginLoader>

namespace websearch {

PluginWebSearchFactory::PluginWebSearchFactory(QString pluginFolder)
    : pluginFolder_(std::move(pluginFolder)) {}

std::unique_ptr<platform::WebSearchComponent> PluginWebSearchFactory::create() {
  const QDir folder(pluginFolder_);
  const QStringList candidates = folder.entryList({QStringLiteral("*websearch*.so")}, QDir::Files);
  for (const QString& file : candidates) {
    QPluginLoader loader(folder.filePath(file));
    if (loader.metaData().value(QStringLiteral("IID")).toString() !=
        QLatin1String(kWebSearchInterfaceId))
      continue;
    if (auto* plugin = qobject_cast<WebSearchPlugin*>(loader.instance()))
      return plugin->createComponent();
  }
  return nullptr;
}

}  // namespace websearch
