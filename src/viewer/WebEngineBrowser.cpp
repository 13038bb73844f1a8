#include "viewer/WebEngineBrowser.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QTimer>
#include <QUrl>
#include <QWebEngineHistory>
#include <QWebEnginePage>
#include <QWebEngineView>

namespace viewer {

namespace {

// How long a click may take to start the load of a form it sends, and how
// long that load may take before the next step goes ahead regardless.
constexpr int kClickStartMs = 1500;
constexpr int kClickLoadMs = 15000;

// A text as a JavaScript string literal, quotes and line ends escaped.
QString jsString(const QString& text) {
  const QByteArray json = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
  return QString::fromUtf8(json.mid(1, json.size() - 2));  // "[...]" around the element
}

QString elementScript(const QString& name, const QString& action) {
  return QStringLiteral("(function(){var e=document.getElementsByName(%1)[0]; if(e){%2}})();")
      .arg(jsString(name), action);
}

}  // namespace

WebEngineBrowser::WebEngineBrowser(QWidget* parent, QString searchEngineBase)
    : view_(new QWebEngineView(parent)),
      searchEngineBase_(std::move(searchEngineBase)),
      holdTimer_(new QTimer(this)) {
  view_->setObjectName(QStringLiteral("WB"));
  holdTimer_->setSingleShot(true);
  connect(holdTimer_, &QTimer::timeout, this, &WebEngineBrowser::stopHolding);
  connect(view_, &QWebEngineView::loadStarted, this, &WebEngineBrowser::loadStarted);
  connect(view_, &QWebEngineView::loadFinished, this, [this](bool) { loadFinished(); });
  // Like a new browser window, the view starts with an empty document, so
  // that the document steps have a body to work on.
  loading_ = true;
  view_->setHtml(QStringLiteral("<html><body></body></html>"), QUrl(QStringLiteral("about:blank")));
}

WebEngineBrowser::~WebEngineBrowser() = default;  // the view belongs to its parent

QWidget* WebEngineBrowser::widget() { return view_; }

void WebEngineBrowser::navigate(const QString& address) {
  enqueue({Step::Kind::Navigate, address});
}

void WebEngineBrowser::goBack() { view_->back(); }
void WebEngineBrowser::goForward() { view_->forward(); }
void WebEngineBrowser::stop() { view_->stop(); }
void WebEngineBrowser::refresh() { view_->reload(); }

// The embedded engine keeps no home or search page of its own; the search
// engine's front page serves as both.
void WebEngineBrowser::goHome() { view_->load(QUrl(searchEngineBase_ + '/')); }
void WebEngineBrowser::goSearch() { view_->load(QUrl(searchEngineBase_ + '/')); }

void WebEngineBrowser::setBodyHtml(const QString& html) {
  enqueue({Step::Kind::Script,
           QStringLiteral("if (document.body) document.body.innerHTML = %1;").arg(jsString(html))});
}

void WebEngineBrowser::setElementValue(const QString& name, const QString& value) {
  enqueue({Step::Kind::Script, elementScript(name, QStringLiteral("e.value=%1;").arg(jsString(value)))});
}

void WebEngineBrowser::clickElement(const QString& name) {
  enqueue({Step::Kind::Click, elementScript(name, QStringLiteral("e.click();"))});
}

void WebEngineBrowser::showHtml(const QString& html) {
  steps_.clear();
  holding_ = false;
  holdTimer_->stop();
  view_->setHtml(html, QUrl(QStringLiteral("about:blank")));
}

void WebEngineBrowser::enqueue(Step step) {
  steps_.push_back(std::move(step));
  runSteps();
}

void WebEngineBrowser::runSteps() {
  while (!steps_.empty() && !holding_) {
    Step& next = steps_.front();
    if (next.kind == Step::Kind::Navigate) {
      const QString address = next.text;
      steps_.pop_front();
      view_->load(QUrl(address, QUrl::TolerantMode));
      continue;
    }
    // A document step waits until the page in progress has loaded.
    if (loading_) return;
    const Step step = next;
    steps_.pop_front();
    view_->page()->runJavaScript(step.text);
    if (step.kind == Step::Kind::Click) {
      holding_ = true;
      holdTimer_->start(kClickStartMs);
    }
  }
}

void WebEngineBrowser::loadStarted() {
  loading_ = true;
  if (holding_) holdTimer_->start(kClickLoadMs);  // the click sent a form: wait for its page
}

void WebEngineBrowser::loadFinished() {
  loading_ = false;
  if (holding_) {
    holding_ = false;
    holdTimer_->stop();
  }
  runSteps();
}

void WebEngineBrowser::stopHolding() {
  holding_ = false;
  runSteps();
}

WebEngineBrowserFactory::WebEngineBrowserFactory(QString searchEngineBase)
    : searchEngineBase_(std::move(searchEngineBase)) {}

std::unique_ptr<platform::Browser> WebEngineBrowserFactory::create(QWidget* parent) {
  return std::make_unique<WebEngineBrowser>(parent, searchEngineBase_);
}

}  // namespace viewer
