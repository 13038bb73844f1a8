#include "platform/testing/Doubles.h"

#include <QWidget>

#include <stdexcept>

namespace platform::testing {

RecordingBrowser::RecordingBrowser(QStringList& log, QWidget* parent)
    : log_(log), widget_(new QWidget(parent)) {
  widget_->setObjectName(QStringLiteral("WB"));
}

RecordingBrowser::~RecordingBrowser() = default;  // the widget belongs to its parent

namespace {

class RecordingComponent final : public WebSearchComponent {
 public:
  explicit RecordingComponent(CountingWebSearch& owner) : owner_(owner) {}
  void SearchWeb(const QString& keyword, const QString& address) override {
    if (owner_.failing) throw std::runtime_error("web search failed");
    owner_.calls.push_back({keyword, address});
  }

 private:
  CountingWebSearch& owner_;
};

}  // namespace

std::unique_ptr<WebSearchComponent> CountingWebSearch::create() {
  ++creates;
  if (!installed) return nullptr;
  return std::make_unique<RecordingComponent>(*this);
}

TestPlatform::TestPlatform(QString programFolder)
    : platform{shell,       settings, instanceGuard, connection, dialogs,
               clock,       processExit, browsers,   webSearch,  std::move(programFolder)} {}

}  // namespace platform::testing
