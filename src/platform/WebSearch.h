// The external web-search component: receives a term and the home address.
#pragma once

#include <QString>

#include <memory>

namespace platform {

class WebSearchComponent {
 public:
  virtual ~WebSearchComponent() = default;
  virtual void SearchWeb(const QString& keyword, const QString& address) = 0;
};

class WebSearchFactory {
 public:
  virtual ~WebSearchFactory() = default;
  // A new component, or null when none is installed.
  virtual std::unique_ptr<WebSearchComponent> create() = 0;
};

}  // namespace platform
