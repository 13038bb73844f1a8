// The viewer's plain rules: the page template, the fixed addresses, what a
// navigation does with its text, the size rule and the toolbar's keys.
#include "platform/Brand.h"
#include "viewer/Address.h"
#include "viewer/BrowserCommand.h"
#include "viewer/PageTemplate.h"
#include "viewer/ViewerLayout.h"

#include <gtest/gtest.h>

#include <QRegularExpression>

namespace {

using viewer::NavigationTarget;

TEST(PageTemplate, TwentyOneExactLinesEachEndingInCrLf) {
  const QString base = "http://www.google.com";
  const QString text = viewer::SearchFormTemplate(base);
  ASSERT_TRUE(text.endsWith("\r\n"));
  const QStringList lines = text.chopped(2).split("\r\n");
  ASSERT_EQ(lines.size(), 21);
  const QString expected[21] = {
      R"(<HTML><BODY>)",
      R"(<!-- Search Google -->)",
      R"(<center>)",
      R"(<form method="get" action="http://www.google.com/custom" target="_top">)",
      R"(<table bgcolor="#ffffff">)",
      R"(<tr><td nowrap="nowrap" valign="top" align="left" height="32">)",
      R"(<a href="http://www.google.com/">)",
      R"(<img src="http://www.google.com/logos/Logo_25wht.gif" border="0" alt="Google" align="middle"></img></a>)",
      R"(<input type="text" name="q" size="31" maxlength="255" value=""></input>)",
      R"(<input type="submit" name="sa" value="Search"></input>)",
      QString(R"(<input type="hidden" name="client" value="%1"></input>)").arg(brand::kSearchPublisherId),
      R"(<input type="hidden" name="forid" value="1"></input>)",
      R"(<input type="hidden" name="ie" value="ISO-8859-1"></input>)",
      R"(<input type="hidden" name="oe" value="ISO-8859-1"></input>)",
      R"(<input type="hidden" name="cof" value="GALT:#008000;GL:1;DIV:#336699;VLC:663399;AH:center;BGC:FFFFFF;LBGC:336699;ALC:0000FF;LC:0000FF;T:000000;GFNT:0000FF;GIMP:0000FF;FORID:1;"></input>)",
      R"(<input type="hidden" name="hl" value="en"></input>)",
      R"(</td></tr></table>)",
      R"(</form>)",
      R"(</center>)",
      R"(<!-- Search Google --></BODY>)",
      R"(</HTML>)",
  };
  for (int i = 0; i < 21; ++i) EXPECT_EQ(lines[i], expected[i]) << "line " << i + 1;
  EXPECT_FALSE(text.contains(QRegularExpression("[^\r]\n"))) << "a line feed without CR";
}

TEST(PageTemplate, FixedAddresses) {
  EXPECT_EQ(viewer::DefaultSearchEngineBase(), "http://" + brand::kSearchEngineHost);
  EXPECT_EQ(viewer::MakerHomeAddress(), "http://" + brand::kMakerHost);
  EXPECT_EQ(viewer::WebSearchMarker("http://www.google.com"), "http://www.google.com");
  EXPECT_EQ(viewer::SearchResultsAddress("http://s", "fe rune&x"), "http://s/search?q=fe%20rune%26x");
}

TEST(ResolveAddress, AsAnAddressBarReadsIt) {
  using Kind = NavigationTarget::Kind;
  const QString s = "http://s";
  const struct {
    QString text;
    Kind kind;
    QString address;
  } cases[] = {
      {"", Kind::Nothing, ""},
      {"   ", Kind::Nothing, ""},
      {"http://en.example.org/wiki/Fehu", Kind::Load, "http://en.example.org/wiki/Fehu"},
      {"HTTPS://example.org/a?b=1", Kind::Load, "HTTPS://example.org/a?b=1"},
      {"  http://example.org  ", Kind::Load, "http://example.org"},
      {"www.example.org", Kind::Load, "http://www.example.org"},
      {"example.org:8080/page?x=1", Kind::Load, "http://example.org:8080/page?x=1"},
      {"127.0.0.1", Kind::Load, "http://127.0.0.1"},
      {"fe", Kind::Load, "http://s/search?q=fe"},
      {"Elder Futhark", Kind::Load, "http://s/search?q=Elder%20Futhark"},
      {"rune.stone carving", Kind::Load, "http://s/search?q=rune.stone%20carving"},  // spaces
      {"rune:futhark", Kind::Load, "http://s/search?q=rune%3Afuthark"},  // no scheme a browser knows
      {"javascript:alert(document.cookie)", Kind::Refused, "javascript:alert(document.cookie)"},
      {"JavaScript:void(0)", Kind::Refused, "JavaScript:void(0)"},
      {"file:///etc/passwd", Kind::Refused, "file:///etc/passwd"},
      {"data:text/html,<b>x</b>", Kind::Refused, "data:text/html,<b>x</b>"},
      {"ftp://example.org/", Kind::Refused, "ftp://example.org/"},
      {"view-source:http://x.org", Kind::Refused, "view-source:http://x.org"},
      {"smb://server/share", Kind::Refused, "smb://server/share"},
  };
  for (const auto& c : cases) {
    const NavigationTarget t = viewer::ResolveAddress(c.text, s);
    EXPECT_EQ(t.kind, c.kind) << c.text.toStdString();
    EXPECT_EQ(t.address, c.address) << c.text.toStdString();
  }
}

TEST(ResolveAddress, RefusedPageShowsTheTextEscaped) {
  const QString page = viewer::RefusedAddressPage("javascript:<script>");
  EXPECT_TRUE(page.contains("javascript:&lt;script&gt;"));
  EXPECT_FALSE(page.contains("<script>"));
}

TEST(ViewerSizes, FromTheMainWindowNegativeSizesSkipped) {
  const struct {
    viewer::MainWindowMeasures m;
    std::optional<int> width, height, browserHeight;
  } cases[] = {
      // A main window of 9900 x 7830 twips with the design's panels.
      {{9900, 7830, 2925, 645, 525, 540}, 6725, 7830, 5370},
      // Narrower than the left panel plus 250: the width step is skipped.
      {{3000, 7830, 2925, 645, 525, 540}, std::nullopt, 7830, 5370},
      // Exactly the sum: a zero size is a size.
      {{3175, 2460, 2925, 645, 525, 540}, 0, 2460, 0},
      // Too low for the browser: only its height is skipped.
      {{9900, 2000, 2925, 645, 525, 540}, 6725, 2000, std::nullopt},
  };
  for (const auto& c : cases) {
    const viewer::ViewerSizes s = viewer::ComputeViewerSizes(c.m);
    EXPECT_EQ(s.width, c.width);
    EXPECT_EQ(s.height, c.height);
    EXPECT_EQ(s.browserHeight, c.browserHeight);
  }
}

TEST(ToolbarKeys, SixButtonsAndAnExactCaseSensitiveDispatch) {
  using viewer::BrowserCommand;
  EXPECT_EQ(viewer::ToolbarKeys(),
            (QStringList{"Back", "Forward", "Stop", "Refresh", "Home", "Search"}));
  const struct {
    QString key;
    BrowserCommand command;
  } cases[] = {
      {"Back", BrowserCommand::Back},       {"Forward", BrowserCommand::Forward},
      {"Stop", BrowserCommand::Stop},       {"Refresh", BrowserCommand::Refresh},
      {"Home", BrowserCommand::Home},       {"Search", BrowserCommand::Search},
      {"back", BrowserCommand::None},       {"BACK", BrowserCommand::None},
      {"Back ", BrowserCommand::None},      {"", BrowserCommand::None},
      {"Print", BrowserCommand::None},
  };
  for (const auto& c : cases) EXPECT_EQ(viewer::CommandForKey(c.key), c.command) << c.key.toStdString();
}

}  // namespace
