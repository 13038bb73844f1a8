#include "websearch/plugin/SearchEnginePlugin.h"

#include "platform/Brand.h"


namespace websearch {

namespace {

class SearchEngineComponent final : public platform::WebSearchComponent {
 public:
  explicit SearchEngineComponent(platform::Shell& shell) : shell_(shell) {}

  // The home address is not needed to search; the user's browser opens the
  // results and the program goes on at once.
  void SearchWeb(const QString& keyword, const QString&) override {
    shell_.open(SearchEngineResultsUrl(keyword));
  }

 private:
  platform::Shell& shell_;
};

}  // namespace

QUrl SearchEngineResultsUrl(const QString& keyword) {
  return QUrl(QStringLiteral("http://") + brand::kSearchEngineHost + QStringLiteral("/search?q=") +
                  QString::fromLatin1(QUrl::toPercentEncoding(keyword)),
              QUrl::StrictMode);
}

std::unique_ptr<platform::WebSearchComponent> SearchEnginePlugin::createComponent(
    platform::Shell& shell) {
  return std::make_unique<SearchEngineComponent>(shell);
}

}  // namespace websearch
