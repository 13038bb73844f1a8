// Creates the web-search component from a plugin found by its fixed
// interface id. No plugin (or one that does not load) means no component.
#pragma once

#include "platform/Shell.h"
#include "platform/WebSearch.h"

#include <QString>
#include <QtPlugin>

#include <memory>

namespace websearch {

// Plugins implement this interface and declare it with Q_PLUGIN_METADATA.
// A component may hand addresses to the user's browser through `shell`.
class WebSearchPlugin {
 public:
  virtual ~WebSearchPlugin() = default;
  virtual std::unique_ptr<platform::WebSearchComponent> createComponent(platform::Shell& shell) = 0;
};

inline constexpr const char* kWebSearchInterfaceId = "net.ostrelda.WebSearchComponent/1.0";

class PluginWebSearchFactory final : public platform::WebSearchFactory {
 public:
  // Looks for the plugin in `pluginFolder` (the program's folder in
  // production): a library whose name contains "websearch".
  PluginWebSearchFactory(QString pluginFolder, platform::Shell& shell);
  std::unique_ptr<platform::WebSearchComponent> create() override;

 private:
  QString pluginFolder_;
  platform::Shell& shell_;
};

}  // namespace websearch

Q_DECLARE_INTERFACE(websearch::WebSearchPlugin, "net.ostrelda.WebSearchComponent/1.0")
