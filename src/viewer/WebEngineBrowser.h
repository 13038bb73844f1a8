// The viewer's browser on Qt WebEngine.
//
// The document steps (replace the body, set a value, click) need a loaded
// document; they wait for the current load to finish and then run in the
// order they were asked for. A navigation asked for after such steps waits
// for them, and, after a click that submits a form, for that submission's
// page, so that the submission is sent before the navigation replaces it.
// A navigation asked for while nothing waits starts at once, replacing any
// load in progress, as in a browser.
#pragma once

#include "platform/Browser.h"
#include "viewer/PageTemplate.h"

#include <QObject>
#include <QString>

#include <deque>
#include <functional>

class QTimer;
class QWebEngineView;

namespace viewer {

class WebEngineBrowser final : public QObject, public platform::Browser {
  Q_OBJECT
 public:
  // `searchEngineBase` gives the home and search pages of the Home and
  // Search buttons (the engine keeps no such settings of its own).
  explicit WebEngineBrowser(QWidget* parent, QString searchEngineBase = DefaultSearchEngineBase());
  ~WebEngineBrowser() override;
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
  void showHtml(const QString& html) override;

  bool isLoading() const { return loading_; }

 private:
  struct Step {
    enum class Kind { Script, Click, Navigate } kind;
    QString text;  // the script, or the address
  };
  void enqueue(Step step);
  void runSteps();
  void loadStarted();
  void loadFinished();
  void stopHolding();

  QWebEngineView* view_;
  QString searchEngineBase_;
  std::deque<Step> steps_;
  bool loading_ = false;
  // After a click: waiting to see whether it starts a load (a form sent),
  // and then for that load to end.
  bool holding_ = false;
  QTimer* holdTimer_;
};

class WebEngineBrowserFactory final : public platform::BrowserFactory {
 public:
  explicit WebEngineBrowserFactory(QString searchEngineBase = DefaultSearchEngineBase());
  std::unique_ptr<platform::Browser> create(QWidget* parent) override;

 private:
  QString searchEngineBase_;
};

}  // namespace viewer
