// The viewer in a main window of test doubles: created on first use, its load
// rule, its size rule, navigation requests, and the toolbar's key dispatch.
#include "platform/Twips.h"
#include "platform/testing/Doubles.h"
#include "viewer/PageTemplate.h"
#include "viewer/ViewerHost.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

using platform::toTwips;
using platform::twips;
using platform::testing::TestPlatform;

// A main window with the parts the viewer reads, laid out as the real one.
struct HostWindow {
  QWidget window;
  QWidget* TB = new QWidget(&window);
  QWidget* picTop = new QWidget(&window);
  QWidget* picLeft = new QWidget(&window);
  QWidget* picBottom = new QWidget(&window);
  QLineEdit* txtKey = new QLineEdit(picLeft);
  QMdiArea* mdiArea = new QMdiArea(&window);

  HostWindow() {
    TB->setFixedHeight(twips(540));
    picTop->setFixedHeight(twips(645));
    picBottom->setFixedHeight(twips(525));
    picLeft->setFixedWidth(twips(2925));
    auto* column = new QVBoxLayout(&window);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    auto* middle = new QHBoxLayout;
    middle->addWidget(picLeft);
    middle->addWidget(mdiArea, 1);
    column->addWidget(TB);
    column->addWidget(picTop);
    column->addLayout(middle, 1);
    column->addWidget(picBottom);
    window.resize(660, 522);
    window.show();
  }
  viewer::MainWindowParts parts() { return {&window, picLeft, picTop, picBottom, TB, txtKey}; }
};

class Viewer : public ::testing::Test {
 protected:
  TestPlatform doubles;
  HostWindow host;
  std::unique_ptr<viewer::ViewerHost> viewerHost;

  void SetUp() override {
    doubles.state.lngConnectionState = 1;
    viewerHost = std::make_unique<viewer::ViewerHost>(doubles.platform, doubles.state, host.parts(),
                                                      host.mdiArea);
  }
  QStringList& log() { return doubles.browsers.log; }
  QMdiSubWindow* subWindow() {
    const auto list = host.mdiArea->subWindowList();
    return list.isEmpty() ? nullptr : list.first();
  }
};

TEST_F(Viewer, NotCreatedUntilFirstUsedThenABorderlessPaneAtTheTopLeft) {
  EXPECT_FALSE(viewerHost->isLoaded());
  EXPECT_EQ(subWindow(), nullptr);
  EXPECT_EQ(doubles.browsers.created, 0);

  viewer::frmMain& form = viewerHost->form();
  ASSERT_NE(subWindow(), nullptr);
  EXPECT_EQ(subWindow()->widget(), &form);
  EXPECT_TRUE(subWindow()->windowFlags() & Qt::FramelessWindowHint);
  EXPECT_EQ(subWindow()->pos(), QPoint(0, 0));
  EXPECT_TRUE(subWindow()->isVisible());
  EXPECT_EQ(form.windowTitle(), "Ostrelda v1.85");
  EXPECT_EQ(form.palette().color(QPalette::Window), QColor(Qt::white));
  EXPECT_FALSE(form.Text1->isVisible());
  EXPECT_EQ(form.Text1->toPlainText(),
            viewer::SearchFormTemplate(viewer::DefaultSearchEngineBase()).replace("\r\n", "\n"));

  // A second reference uses the same viewer.
  viewerHost->Show();
  EXPECT_EQ(&viewerHost->form(), &form);
  EXPECT_EQ(host.mdiArea->subWindowList().size(), 1);
  EXPECT_EQ(doubles.browsers.created, 1);
}

TEST_F(Viewer, LoadRuleOnline) {
  const QString marker = viewer::WebSearchMarker(viewer::DefaultSearchEngineBase());
  const QString form = viewer::SearchFormTemplate(viewer::DefaultSearchEngineBase());
  const struct {
    const char* name;
    QString pending;
    QString keyText;
    QStringList expected;
  } cases[] = {
      {"nothing pending: the maker's home address", "", "fe",
       {"navigate http://www.ostrelda.net"}},
      {"an entry pending", "http://runes.example/fehu", "fe",
       {"navigate http://runes.example/fehu"}},
      {"the marker: the search form, then the key text", marker, "  fe rune  ",
       {"setBody " + form, "setValue q=fe rune", "click sa",
        "navigate http://www.google.com/search?q=fe%20rune"}},
      {"the marker in other letters is an ordinary address", "HTTP://WWW.GOOGLE.COM", "fe",
       {"navigate HTTP://WWW.GOOGLE.COM"}},
      {"the marker with a trailing slash is an ordinary address", marker + "/", "fe",
       {"navigate http://www.google.com/"}},
      {"a wildcard pattern left pending is read as an address bar would", "fe", "f*e",
       {"navigate http://www.google.com/search?q=fe"}},
  };
  for (const auto& c : cases) {
    TestPlatform d;
    HostWindow h;
    d.state.lngConnectionState = 1;
    d.state.strPendingAddress = c.pending;
    h.txtKey->setText(c.keyText);
    viewer::ViewerHost v(d.platform, d.state, h.parts(), h.mdiArea);
    viewer::frmMain& f = v.form();
    EXPECT_EQ(d.browsers.log, c.expected) << c.name;
    EXPECT_EQ(d.state.strPendingAddress, "") << c.name;
    EXPECT_TRUE(f.WBWidget()->isVisible()) << c.name;
    EXPECT_FALSE(f.lblCaption->isVisible()) << c.name;
  }
}

TEST_F(Viewer, LoadRuleOfflineShowsTheNoticeAndKeepsThePendingAddress) {
  for (const qint32 state : {0, 2, -1, 0x41}) {
    TestPlatform d;
    HostWindow h;
    d.state.lngConnectionState = state;
    d.state.strPendingAddress = "http://runes.example/fehu";
    viewer::ViewerHost v(d.platform, d.state, h.parts(), h.mdiArea);
    viewer::frmMain& f = v.form();
    EXPECT_TRUE(d.browsers.log.isEmpty()) << state;
    EXPECT_FALSE(f.WBWidget()->isVisible()) << state;
    EXPECT_TRUE(f.lblCaption->isVisible()) << state;
    EXPECT_EQ(f.lblCaption->text(),
              "You must be connected to the internet in order to use this software.");
    EXPECT_EQ(f.lblCaption->pos(), QPoint(twips(240), 0));
    EXPECT_EQ(d.state.strPendingAddress, "http://runes.example/fehu") << state;

    // Later navigations go to the hidden browser; nothing shows it again.
    v.Navigate("http://runes.example/ansuz");
    v.Show();
    EXPECT_EQ(d.browsers.log, QStringList{"navigate http://runes.example/ansuz"});
    EXPECT_FALSE(f.WBWidget()->isVisible());
  }
}

TEST_F(Viewer, FirstNavigationReadsThePendingAddressAfterTheLoadConsumedIt) {
  doubles.state.strPendingAddress = "http://runes.example/fehu";
  viewerHost->Navigate(doubles.state.strPendingAddress);
  // The load opened the entry; the request then carried an empty address,
  // which leaves that page alone.
  EXPECT_EQ(log(), QStringList{"navigate http://runes.example/fehu"});
  doubles.state.strPendingAddress = "http://runes.example/ansuz";
  viewerHost->Navigate(doubles.state.strPendingAddress);
  EXPECT_EQ(log().last(), "navigate http://runes.example/ansuz");
}

TEST_F(Viewer, NavigationRequestsReadAsAnAddressBar) {
  viewerHost->form();
  log().clear();
  viewerHost->Navigate("");
  viewerHost->Navigate("   ");
  EXPECT_TRUE(log().isEmpty());
  viewerHost->Navigate("www.runes.example");
  viewerHost->Navigate("javascript:alert(1)");
  ASSERT_EQ(log().size(), 2);
  EXPECT_EQ(log()[0], "navigate http://www.runes.example");
  EXPECT_TRUE(log()[1].startsWith("html ")) << log()[1].toStdString();
  EXPECT_TRUE(log()[1].contains("javascript:alert(1)"));
}

TEST_F(Viewer, SizeRuleFromTheMainWindowAndNotFollowingItLater) {
  viewer::frmMain& form = viewerHost->form();
  QWidget* pane = subWindow();
  const QSize outer = host.window.frameGeometry().size();
  const QSize expected(twips(toTwips(outer.width()) - 2925 - 250), outer.height());
  EXPECT_EQ(pane->size(), expected);
  EXPECT_EQ(form.WBWidget()->pos(), QPoint(0, 0));
  EXPECT_EQ(form.WBWidget()->width(), form.width());
  EXPECT_EQ(form.WBWidget()->height(),
            twips(toTwips(outer.height()) - 645 - 525 - 540 - 750));

  host.window.resize(900, 700);
  EXPECT_EQ(pane->size(), expected);
}

TEST_F(Viewer, SizeRuleSkipsNegativeSizes) {
  // A main window of 100 x 60 pixels (1500 x 900 twips): too narrow for the
  // viewer's width and too low for the browser; those two steps are skipped.
  QWidget small;
  small.resize(100, 60);
  viewer::MainWindowParts parts = host.parts();
  parts.window = &small;
  viewer::ViewerHost v(doubles.platform, doubles.state, parts, host.mdiArea);
  viewer::frmMain& form = v.form();
  QWidget* pane = form.parentWidget();
  EXPECT_EQ(pane->size(), QSize(twips(7965), 60)) << "the design width stays";
  EXPECT_EQ(form.WBWidget()->height(), twips(4005)) << "the design height stays";
  EXPECT_EQ(form.WBWidget()->width(), form.width());
}

TEST_F(Viewer, ToolbarHasSixDrawnButtonsAtTheLeftOfTB) {
  const auto& buttons = viewerHost->toolbarButtons();
  ASSERT_EQ(buttons.size(), 6);
  const QStringList keys = {"Back", "Forward", "Stop", "Refresh", "Home", "Search"};
  int right = 0;
  for (int i = 0; i < 6; ++i) {
    QToolButton* b = buttons[i];
    EXPECT_EQ(b->parentWidget(), host.TB);
    EXPECT_EQ(b->property("key").toString(), keys[i]);
    EXPECT_EQ(b->iconSize(), QSize(24, 24));
    EXPECT_FALSE(b->icon().isNull());
    EXPECT_TRUE(b->text().isEmpty() || b->toolButtonStyle() == Qt::ToolButtonIconOnly);
    EXPECT_GE(b->x(), right) << "left to right";
    right = b->x() + b->width();
  }
  EXPECT_LE(right, twips(2400)) << "clear of the advertising strip";
  // Each image differs from the others.
  for (int i = 0; i < 6; ++i)
    for (int j = i + 1; j < 6; ++j)
      EXPECT_NE(buttons[i]->icon().pixmap(24).toImage(), buttons[j]->icon().pixmap(24).toImage());
}

TEST_F(Viewer, ToolbarDispatchesByExactKey) {
  const struct {
    QString key;
    QString step;
  } cases[] = {{"Back", "back"},       {"Forward", "forward"}, {"Stop", "stop"},
               {"Refresh", "refresh"}, {"Home", "home"},       {"Search", "search"}};
  for (const auto& c : cases) {
    log().clear();
    viewerHost->ButtonClick(c.key);
    EXPECT_EQ(log().last(), c.step) << c.key.toStdString();
  }
  log().clear();
  for (const QString key : {"back", "HOME", "Search ", "", "Print"}) viewerHost->ButtonClick(key);
  EXPECT_TRUE(log().isEmpty());
}

TEST_F(Viewer, FirstToolbarClickCreatesTheViewerLoadsItThenActs) {
  viewerHost->ButtonClick("back");  // no such key: the viewer is not even created
  EXPECT_FALSE(viewerHost->isLoaded());

  viewerHost->toolbarButtons()[0]->click();  // Back
  EXPECT_TRUE(viewerHost->isLoaded());
  EXPECT_EQ(log(), (QStringList{"navigate http://www.ostrelda.net", "back"}));
  // A viewer created by the toolbar shows at once.
  EXPECT_TRUE(subWindow()->isVisible());
}

}  // namespace
