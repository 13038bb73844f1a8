// Creates the web-search component from a plugin found by its fixed
// interface id. No plugin (or one that does not load) means no component.
#pragma once

#include "platform/WebSearch.h"

#include <QString>
#include <QtPlugin>

namespace websearch {

// Plugins implement this interface and declare it with Q_PLUGIN_METADATA.
class WebSearchPlugin {
 public:
  virtual ~WebSearchPlugin() = default;
  virtual std::unique_ptr<platform::WebSearchComponent> createComponent() = 0;
};

inline constexpr const char* kWebSearchInterfaceId = "net.ostrelda.WebSearchComponent/1.0";

class PluginWebSearchFactory final : public platform::WebSearchFactory {
 public:
  // Looks for the plugin in `pluginFolder` (the program's folder in production).
  explicit PluginWebSearchFactory(QString pluginFolder);
  std::unique_ptr<platform::WebSearchComponent> create() override;

 private:
  QString pluginFolder_;
};

}  // namespace websearch

Q_DECLARE_INTERFACE(websearch::WebSearchPlugin, "net.ostrelda.WebSearchComponent/1.0")
