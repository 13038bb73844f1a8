// Every link of the main window opens exactly its page; About opens modal.
#include "links/frmAbout.h"
#include "platform/Look.h"
#include "platform/testing/Doubles.h"
#include "shell/MDI.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QUrlQuery>

namespace {

using platform::testing::TestPlatform;

class MdiLinks : public ::testing::Test {
 protected:
  void SetUp() override {
    // There is no dictionary here: forget the load's report of it.
    doubles.dialogs.messages.clear();
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  }
  TestPlatform doubles;
  shell::MDI window{doubles.platform, doubles.state};
};

TEST_F(MdiLinks, EveryBindingOpensExactlyItsPage) {
  const auto trigger = [](QAction* a) { return [a] { a->trigger(); }; };
  const auto click = [](QWidget* w) { return [w] { QTest::mouseClick(w, Qt::LeftButton); }; };
  // The design greys this entry; its binding is there all the same.
  window.mnuMakeMoney->setEnabled(true);
  const struct {
    const char* control;
    std::function<void()> use;
    const char* page;
  } bindings[] = {
      {"mnuOnline", trigger(window.mnuOnline), "help-web-page"},
      {"mnuVisit", trigger(window.mnuVisit), "home-page"},
      {"mnuUpdateSoftware", trigger(window.mnuUpdateSoftware), "download-web-page"},
      {"mnuDonate", trigger(window.mnuDonate), "donate"},
      {"cmdDonate", click(window.cmdDonate), "donate"},
      {"mnuMakeMoney", trigger(window.mnuMakeMoney), "fully-branded"},
      {"lblFullBrand", click(window.lblFullBrand), "fully-branded"},
      {"lblCoBrand", click(window.lblCoBrand), "co-brand"},
      {"Label4", click(window.Label4), "home-page"},
      {"Label61", click(window.Label61), "home-page"},
  };
  // The window's own load may have spoken (about the dictionary); links never do.
  const size_t messagesBefore = doubles.dialogs.messages.size();
  for (const auto& b : bindings) {
    doubles.shell.opened.clear();
    b.use();
    ASSERT_EQ(doubles.shell.opened.size(), 1u) << b.control;
    const QUrl& url = doubles.shell.opened[0];
    EXPECT_EQ(url.toString(), QStringLiteral("http://www.ostrelda.net/ostrelda/ssd.php?page=") + b.page)
        << b.control;
    EXPECT_EQ(QUrlQuery(url).queryItems().size(), 1) << b.control;
  }
  EXPECT_EQ(doubles.dialogs.messages.size(), messagesBefore);
}

TEST_F(MdiLinks, PlaceholderLabelsOpenNothing) {
  for (QLabel* label : {window.Label5, window.Label6, window.Label7, window.Label8, window.Label9, window.Label10})
    QTest::mouseClick(label, Qt::LeftButton);
  EXPECT_TRUE(doubles.shell.opened.empty());
}

TEST_F(MdiLinks, AboutOpensModalEachTimeAfresh) {
  QStringList seen;
  for (int i = 0; i < 2; ++i) {
    QTimer::singleShot(0, [&] {
      auto* about = qobject_cast<links::frmAbout*>(QApplication::activeModalWidget());
      seen << (about ? about->objectName() : QStringLiteral("none"));
      if (about) {
        QTest::mouseClick(about->lblCoBrand, Qt::LeftButton);
        about->cmdOK->click();
      }
    });
    window.mnuAbout->trigger();  // returns once the window has closed
  }
  EXPECT_EQ(seen, QStringList({"frmAbout", "frmAbout"}));
  ASSERT_EQ(doubles.shell.opened.size(), 2u);
  EXPECT_EQ(doubles.shell.opened[0].query(), "page=fully-branded");
}

}  // namespace
