#include "viewer/WebEngineBrowser.h"

#include "platform/Brand.h"

#include <QJsonDocument>
#include <QJsonValue>
#include <QWebEngineHistory>
#include <QWebEnginePage>
#include <QWebEngineView>

namespace viewer {

namespace {

// A text as a JavaScript string literal, quotes and line ends escaped.
QString jsString(const QString& text) {
  const QByteArray json = QJsonDocument::fromVariant(QVariantList{text}).toJson(QJsonDocument::Compact);
  // "[...]" around the single element
  return QString::fromUtf8(json.mid(1, json.size() - 2));
}

}  // namespace

WebEngineBrowser::WebEngineBrowser(QWidget* parent) : view_(new QWebEngineView(parent)) {
  view_->setObjectName(QStringLiteral("WB"));
}

QWidget* WebEngineBrowser::widget() { return view_; }

void WebEngineBrowser::navigate(const QString& address) { view_->load(QUrl(address)); }
void WebEngineBrowser::goBack() { view_->back(); }
void WebEngineBrowser::goForward() { view_->forward(); }
void WebEngineBrowser::stop() { view_->stop(); }
void WebEngineBrowser::refresh() { view_->reload(); }

// The embedded engine keeps no home or search page of its own; the search
// engine's front page serves as both.
void WebEngineBrowser::goHome() {
  view_->load(QUrl(QStringLiteral("http://") + brand::kSearchEngineHost + '/'));
}
void WebEngineBrowser::goSearch() {
  view_->load(QUrl(QStringLiteral("http://") + brand::kSearchEngineHost + '/'));
}

void WebEngineBrowser::runScript(const QString& script) { view_->page()->runJavaScript(script); }

void WebEngineBrowser::setBodyHtml(const QString& html) {
  runScript(QStringLiteral("if (document.body) document.body.innerHTML = %1;").arg(jsString(html)));
}

void WebEngineBrowser::setElementValue(const QString& name, const QString& value) {
  runScript(QStringLiteral("(function(){var e=document.getElementsByName(%1)[0]; if(e) e.value=%2;})();")
                .arg(jsString(name), jsString(value)));
}

void WebEngineBrowser::clickElement(const QString& name) {
  runScript(QStringLiteral("(function(){var e=document.getElementsByName(%1)[0]; if(e) e.click();})();")
                .arg(jsString(name)));
}

std::unique_ptr<platform::Browser> WebEngineBrowserFactory::create(QWidget* parent) {
  return std::make_unique<WebEngineBrowser>(parent);
}

}  // namespace viewer
