#include "viewer/PageTemplate.h"

#include "platform/Brand.h"

#include <QStringList>
#include <QUrl>

namespace viewer {

QString DefaultSearchEngineBase() { return QStringLiteral("http://") + brand::kSearchEngineHost; }

QString MakerHomeAddress() { return QStringLiteral("http://") + brand::kMakerHost; }

QString WebSearchMarker(const QString& searchEngineBase) { return searchEngineBase; }

QString SearchFormTemplate(const QString& base) {
  const auto quoted = [](const QString& text) { return '"' + text + '"'; };
  const QStringList lines = {
      QStringLiteral("<HTML><BODY>"),
      QStringLiteral("<!-- Search Google -->"),
      QStringLiteral("<center>"),
      QStringLiteral("<form method=\"get\" action=") + quoted(base + QStringLiteral("/custom")) +
          QStringLiteral(" target=\"_top\">"),
      QStringLiteral("<table bgcolor=\"#ffffff\">"),
      QStringLiteral("<tr><td nowrap=\"nowrap\" valign=\"top\" align=\"left\" height=\"32\">"),
      QStringLiteral("<a href=") + quoted(base + '/') + '>',
      QStringLiteral("<img src=") + quoted(base + QStringLiteral("/logos/Logo_25wht.gif")) +
          QStringLiteral(" border=\"0\" alt=\"Google\" align=\"middle\"></img></a>"),
      QStringLiteral("<input type=\"text\" name=\"q\" size=\"31\" maxlength=\"255\" value=\"\"></input>"),
      QStringLiteral("<input type=\"submit\" name=\"sa\" value=\"Search\"></input>"),
      QStringLiteral("<input type=\"hidden\" name=\"client\" value=") +
          quoted(brand::kSearchPublisherId) + QStringLiteral("></input>"),
      QStringLiteral("<input type=\"hidden\" name=\"forid\" value=\"1\"></input>"),
      QStringLiteral("<input type=\"hidden\" name=\"ie\" value=\"ISO-8859-1\"></input>"),
      QStringLiteral("<input type=\"hidden\" name=\"oe\" value=\"ISO-8859-1\"></input>"),
      QStringLiteral("<input type=\"hidden\" name=\"cof\" value=\"GALT:#008000;GL:1;DIV:#336699;"
                     "VLC:663399;AH:center;BGC:FFFFFF;LBGC:336699;ALC:0000FF;LC:0000FF;"
                     "T:000000;GFNT:0000FF;GIMP:0000FF;FORID:1;\"></input>"),
      QStringLiteral("<input type=\"hidden\" name=\"hl\" value=\"en\"></input>"),
      QStringLiteral("</td></tr></table>"),
      QStringLiteral("</form>"),
      QStringLiteral("</center>"),
      QStringLiteral("<!-- Search Google --></BODY>"),
      QStringLiteral("</HTML>"),
  };
  QString text;
  for (const QString& line : lines) text += line + QStringLiteral("\r\n");
  return text;
}

QString SearchResultsAddress(const QString& searchEngineBase, const QString& text) {
  return searchEngineBase + QStringLiteral("/search?q=") +
         QString::fromLatin1(QUrl::toPercentEncoding(text));
}

}  // namespace viewer
