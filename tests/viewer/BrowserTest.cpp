// The viewer with the real browser engine, against a server on 127.0.0.1:
// a display opens the entry's Link, the web-search marker fills and sends
// the search form, and the toolbar moves through the browser's history.
#include "LocalHttpServer.h"

#include "dictionary/Writer.h"
#include "lookup/SearchPanel.h"
#include "platform/Brand.h"
#include "platform/testing/Doubles.h"
#include "shell/MDI.h"
#include "viewer/PageTemplate.h"
#include "viewer/ViewerHost.h"
#include "viewer/WebEngineBrowser.h"
#include "../support/WaitFor.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QLineEdit>
#include <QMdiArea>
#include <QTest>
#include <QUrlQuery>
#include <QVBoxLayout>
#include <QWebEngineHistory>
#include <QWebEngineView>

#include <functional>

namespace {

using platform::testing::TestPlatform;

using testsupport::waitFor;

// The doubles, but the real browser, with the search engine on the server.
struct RealBrowserPlatform {
  explicit RealBrowserPlatform(const QString& searchBase, const QString& folder = QString())
      : browsers(searchBase),
        platform{doubles.shell,       doubles.settings,    doubles.instanceGuard,
                 doubles.connection,  doubles.dialogs,     doubles.clock,
                 doubles.processExit, browsers,            doubles.webSearch,
                 folder} {
    doubles.connection.state = 1;
    doubles.state.lngConnectionState = 1;
  }
  TestPlatform doubles;
  viewer::WebEngineBrowserFactory browsers;
  platform::Platform platform;
};

// A bare main window with what the viewer reads.
struct HostWindow {
  QWidget window;
  QWidget* TB = new QWidget(&window);
  QWidget* picLeft = new QWidget(&window);
  QLineEdit* txtKey = new QLineEdit(picLeft);
  QMdiArea* mdiArea = new QMdiArea(&window);
  HostWindow() {
    TB->setFixedHeight(36);
    picLeft->setFixedWidth(195);
    auto* column = new QVBoxLayout(&window);
    column->addWidget(TB);
    auto* middle = new QHBoxLayout;
    middle->addWidget(picLeft);
    middle->addWidget(mdiArea, 1);
    column->addLayout(middle, 1);
    window.resize(900, 600);
    window.show();
  }
  viewer::MainWindowParts parts() { return {&window, picLeft, TB, TB, TB, txtKey}; }
};

QWebEngineView* viewOf(viewer::ViewerHost& host) {
  auto* browser = dynamic_cast<viewer::WebEngineBrowser*>(&host.form().WB());
  return browser ? browser->view() : nullptr;
}

TEST(RealBrowser, ADoubleClickedEntryOpensItsLink) {
  LocalHttpServer server;
  QTemporaryDir folder;
  dictionary::CreateDictionary((folder.path() + "/runes.dll").toStdString(),
                               {{"Fehu", (server.base() + "/entries/fehu").toStdString(), "astro"},
                                {"Ansuz", (server.base() + "/entries/ansuz").toStdString(), "astro"}});
  RealBrowserPlatform real(server.base(), folder.path());
  shell::MDI window(real.platform, real.doubles.state);
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

  lookup::KeywordList* list = window.picLeft->lstKeys;
  ASSERT_EQ(list->count(), 2);
  const QPoint ansuz = list->rowRect(1).center();
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, ansuz);
  QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, ansuz);

  ASSERT_TRUE(waitFor([&] { return server.received("GET /entries/ansuz"); }))
      << server.requests.join(", ").toStdString();
  QWebEngineView* view = viewOf(*window.viewerHost());
  ASSERT_NE(view, nullptr);
  ASSERT_TRUE(waitFor([&] { return view->title() == "/entries/ansuz"; }));
  EXPECT_EQ(view->url().toString(), server.base() + "/entries/ansuz");
  EXPECT_EQ(window.picLeft->txtKey->text(), "Ansuz");
}

TEST(RealBrowser, TheMarkerFillsTheSearchFormAndSendsIt) {
  LocalHttpServer server;
  RealBrowserPlatform real(server.base());
  HostWindow host;
  host.txtKey->setText("  fe rune  ");
  real.doubles.state.strPendingAddress = viewer::WebSearchMarker(server.base());
  viewer::ViewerHost viewerHost(real.platform, real.doubles.state, host.parts(), host.mdiArea,
                                server.base());
  viewerHost.form();
  EXPECT_EQ(real.doubles.state.strPendingAddress, "");

  ASSERT_TRUE(waitFor([&] { return server.received("GET /custom?"); }))
      << server.requests.join(", ").toStdString();
  QString custom;
  for (const QString& r : server.requests)
    if (r.startsWith("GET /custom?")) custom = r.mid(4);
  const QUrlQuery query(QUrl(custom).query());
  const QStringList names = {"q", "sa", "client", "forid", "ie", "oe", "cof", "hl"};
  QStringList sent;
  for (const auto& item : query.queryItems()) sent << item.first;
  EXPECT_EQ(sent, names);
  const auto value = [&](const char* name) {
    return query.queryItemValue(name, QUrl::FullyDecoded).replace('+', ' ');
  };
  EXPECT_EQ(value("q"), "fe rune");
  EXPECT_EQ(value("sa"), "Search");
  EXPECT_EQ(value("client"), brand::kSearchPublisherId);
  EXPECT_EQ(value("forid"), "1");
  EXPECT_EQ(value("ie"), "ISO-8859-1");
  EXPECT_EQ(value("oe"), "ISO-8859-1");
  EXPECT_EQ(value("cof"),
            "GALT:#008000;GL:1;DIV:#336699;VLC:663399;AH:center;BGC:FFFFFF;LBGC:336699;"
            "ALC:0000FF;LC:0000FF;T:000000;GFNT:0000FF;GIMP:0000FF;FORID:1;");
  EXPECT_EQ(value("hl"), "en");

  // Then the key text itself, which is no address: the engine's results.
  ASSERT_TRUE(waitFor([&] { return server.received("GET /search?q=fe%20rune"); }))
      << server.requests.join(", ").toStdString();
}

TEST(RealBrowser, TheToolbarActsOnTheBrowsersHistory) {
  LocalHttpServer server;
  RealBrowserPlatform real(server.base());
  HostWindow host;
  real.doubles.state.strPendingAddress = server.base() + "/one";
  viewer::ViewerHost viewerHost(real.platform, real.doubles.state, host.parts(), host.mdiArea,
                                server.base());
  QWebEngineView* view = viewOf(viewerHost);
  ASSERT_NE(view, nullptr);
  const auto showing = [&](const QString& path) {
    return waitFor([&] { return view->title() == path; });
  };
  ASSERT_TRUE(showing("/one"));
  viewerHost.Navigate(server.base() + "/two");
  ASSERT_TRUE(showing("/two"));

  viewerHost.ButtonClick("Back");
  EXPECT_TRUE(showing("/one"));
  viewerHost.ButtonClick("Forward");
  EXPECT_TRUE(showing("/two"));
  EXPECT_FALSE(view->history()->canGoForward());
  viewerHost.ButtonClick("Forward");  // nothing ahead: nothing happens
  QTest::qWait(200);
  EXPECT_EQ(view->title(), "/two");

  const int before = server.count("GET /two");
  viewerHost.ButtonClick("Refresh");
  EXPECT_TRUE(waitFor([&] { return server.count("GET /two") == before + 1; }));
  EXPECT_TRUE(showing("/two"));

  viewerHost.Navigate(server.base() + "/slow");
  ASSERT_TRUE(waitFor([&] { return server.received("GET /slow"); }));
  auto* browser = dynamic_cast<viewer::WebEngineBrowser*>(&viewerHost.form().WB());
  EXPECT_TRUE(browser->isLoading());
  viewerHost.ButtonClick("Stop");
  EXPECT_TRUE(waitFor([&] { return !browser->isLoading(); }));

  viewerHost.ButtonClick("Home");  // the engine's front page stands in for the home page
  EXPECT_TRUE(waitFor([&] { return server.requests.contains("GET /"); }))
      << server.requests.join(", ").toStdString();
}

TEST(RealBrowser, EmptyAndForeignAddressesNeverReplaceThePageWithSomethingElse) {
  LocalHttpServer server;
  RealBrowserPlatform real(server.base());
  HostWindow host;
  real.doubles.state.strPendingAddress = server.base() + "/entry";
  viewer::ViewerHost viewerHost(real.platform, real.doubles.state, host.parts(), host.mdiArea,
                                server.base());
  // The load's navigation, then at once the empty request a first display
  // makes: the entry still loads.
  viewerHost.Navigate(real.doubles.state.strPendingAddress);
  QWebEngineView* view = viewOf(viewerHost);
  ASSERT_TRUE(waitFor([&] { return view->title() == "/entry"; }));
  EXPECT_EQ(view->url().toString(), server.base() + "/entry");

  // A script address is not run; a notice takes the page's place.
  viewerHost.Navigate("javascript:document.title='ran'");
  ASSERT_TRUE(waitFor([&] {
    return view->url().toString() == "about:blank" && !view->title().startsWith("/");
  }));
  QString text;
  ASSERT_TRUE(waitFor([&] {
    view->page()->toPlainText([&](const QString& t) { text = t; });
    return text.contains("cannot be opened");
  }));
  EXPECT_TRUE(text.contains("javascript:document.title='ran'"));
  EXPECT_NE(view->title(), "ran");

  viewerHost.Navigate("file:///etc/hostname");
  QTest::qWait(300);
  EXPECT_NE(view->url().scheme(), "file");
}

}  // namespace
