// The viewer's browser on Qt WebEngine.
#pragma once

#include "platform/Browser.h"

class QWebEngineView;

namespace viewer {

class WebEngineBrowser final : public platform::Browser {
 public:
  explicit WebEngineBrowser(QWidget* parent);
  QWidget* widget() override;
  QWebEngineView* view() const { return view_; }

  void navigate(const QString& address) override;
  void goBack() override;
  void goForward() override;
  void stop() override;
  void refresh() override;
  void goHome() override;
  void goSearch() override;
  void setBodyHtml(const QString& html) override;
  void setElementValue(const QString& name, const QString& value) override;
  void clickElement(const QString& name) override;

 private:
  void runScript(const QString& script);
  QWebEngineView* view_;
};

class WebEngineBrowserFactory final : public platform::BrowserFactory {
 public:
  std::unique_ptr<platform::Browser> create(QWidget* parent) override;
};

}  // namespace viewer
