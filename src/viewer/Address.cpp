#include "viewer/Address.h"

#include "viewer/PageTemplate.h"

#include <QRegularExpression>
#include <QStringList>

namespace viewer {

namespace {

bool startsWithWebScheme(const QString& text) {
  return text.startsWith(QLatin1String("http://"), Qt::CaseInsensitive) ||
         text.startsWith(QLatin1String("https://"), Qt::CaseInsensitive);
}

// A host name with at least one dot, an optional port and an optional path,
// query or fragment: "www.example.com", "example.com:8080/page?x=1".
bool isBareHost(const QString& text) {
  static const QRegularExpression host(
      QStringLiteral(R"(^[^\s/:?#.]+(\.[^\s/:?#.]+)+(:\d{1,5})?([/?#]\S*)?$)"));
  return host.match(text).hasMatch();
}

// "name:" at the start, where name is a URL scheme (RFC 3986, section 3.1)
// that a browser acts on: one it knows, or any followed by "//". Other text
// with a colon ("rune:futhark") is a search term, as in an address bar.
bool hasScheme(const QString& text) {
  static const QRegularExpression scheme(QStringLiteral(R"(^([A-Za-z][A-Za-z0-9+.\-]*):(//)?)"));
  static const QStringList known = {
      "about",  "blob", "chrome", "chrome-extension", "data", "file", "filesystem", "ftp",
      "javascript", "jar", "mailto", "qrc", "tel", "vbscript", "view-source", "ws", "wss"};
  const QRegularExpressionMatch m = scheme.match(text);
  if (!m.hasMatch()) return false;
  return m.capturedLength(2) > 0 || known.contains(m.captured(1).toLower());
}

}  // namespace

NavigationTarget ResolveAddress(const QString& text, const QString& searchEngineBase) {
  const QString address = text.trimmed();
  if (address.isEmpty()) return {NavigationTarget::Kind::Nothing, QString()};
  if (startsWithWebScheme(address)) return {NavigationTarget::Kind::Load, address};
  if (isBareHost(address))
    return {NavigationTarget::Kind::Load, QStringLiteral("http://") + address};
  if (hasScheme(address)) return {NavigationTarget::Kind::Refused, address};
  return {NavigationTarget::Kind::Load, SearchResultsAddress(searchEngineBase, address)};
}

QString RefusedAddressPage(const QString& text) {
  return QStringLiteral(
             "<html><body style=\"font-family: Verdana, 'DejaVu Sans', sans-serif; font-size: "
             "8.25pt\"><p>This address cannot be opened in Ostrelda:</p><p><code>%1</code></p>"
             "<p>Only web addresses (http and https) are shown here.</p></body></html>")
      .arg(text.toHtmlEscaped());
}

}  // namespace viewer
