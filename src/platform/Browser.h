// The viewer's embedded web browser, behind an interface so that windows can
// be tested without a real browser engine.
#pragma once

#include <QString>

#include <memory>

class QWidget;

namespace platform {

class Browser {
 public:
  virtual ~Browser() = default;
  virtual QWidget* widget() = 0;

  virtual void navigate(const QString& address) = 0;
  virtual void goBack() = 0;
  virtual void goForward() = 0;
  virtual void stop() = 0;
  virtual void refresh() = 0;
  virtual void goHome() = 0;
  virtual void goSearch() = 0;

  // Document access, in the order the page template needs it: replace the
  // body of the loaded document, set a named element's value, click it.
  virtual void setBodyHtml(const QString& html) = 0;
  virtual void setElementValue(const QString& name, const QString& value) = 0;
  virtual void clickElement(const QString& name) = 0;

  // Replaces the page with the given HTML text (a notice of the program's
  // own, not a document from the web).
  virtual void showHtml(const QString& html) = 0;
};

class BrowserFactory {
 public:
  virtual ~BrowserFactory() = default;
  virtual std::unique_ptr<Browser> create(QWidget* parent) = 0;
};

}  // namespace platform
