// The default web-search component: opens the search engine's results page
// for the term in the user's browser.
#pragma once

#include "websearch/PluginWebSearchFactory.h"

#include <QObject>
#include <QUrl>

namespace websearch {

// The results page of the search engine for `keyword`.
QUrl SearchEngineResultsUrl(const QString& keyword);

class SearchEnginePlugin final : public QObject, public WebSearchPlugin {
  Q_OBJECT
  Q_PLUGIN_METADATA(IID "net.ostrelda.WebSearchComponent/1.0")
  Q_INTERFACES(websearch::WebSearchPlugin)
 public:
  std::unique_ptr<platform::WebSearchComponent> createComponent(platform::Shell& shell) override;
};

}  // namespace websearch
