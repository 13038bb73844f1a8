// The About window: modal, fixed, orange with white text; its two links, and
// OK as both the default and the cancel button.
#include "links/frmAbout.h"
#include "platform/Look.h"
#include "platform/testing/Doubles.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

namespace {

using platform::testing::TestPlatform;

QString query(const QUrl& url) { return url.query(); }

class About : public ::testing::Test {
 protected:
  TestPlatform doubles;
  links::frmAbout window{doubles.platform};
};

TEST_F(About, LooksAsDesigned) {
  EXPECT_EQ(window.objectName(), "frmAbout");
  EXPECT_EQ(window.windowTitle(), "Ostrelda v1.85");
  EXPECT_TRUE(window.isModal());
  EXPECT_EQ(window.minimumSize(), window.maximumSize());
  EXPECT_EQ(window.size(), QSize(469, 228));
  EXPECT_FALSE(window.windowFlags() & Qt::WindowMaximizeButtonHint);
  EXPECT_FALSE(window.windowFlags() & Qt::WindowMinimizeButtonHint);
  EXPECT_EQ(window.palette().color(QPalette::Window), QColor(255, 128, 0));
  for (QLabel* label : {window.Label1, window.Label2, window.Label3,
                        static_cast<QLabel*>(window.lblHomePage), static_cast<QLabel*>(window.lblCoBrand)}) {
    EXPECT_EQ(label->palette().color(QPalette::WindowText), QColor(255, 255, 255)) << label->objectName().toStdString();
    EXPECT_TRUE(label->testAttribute(Qt::WA_TranslucentBackground));
  }
  EXPECT_EQ(window.Label2->text(), "Ostrelda v1.85");
  EXPECT_TRUE(window.Label2->font().bold());
  EXPECT_DOUBLE_EQ(window.Label2->font().pointSizeF(), 9.75);
  EXPECT_TRUE(window.Label1->text().startsWith("Ostrelda Software is a collection of all words possible"));
  EXPECT_EQ(window.lblHomePage->text(), "Click here to visit http://www.ostrelda.net");
  EXPECT_TRUE(window.lblHomePage->font().underline());
  EXPECT_EQ(window.lblHomePage->cursor().shape(), Qt::PointingHandCursor);
  EXPECT_EQ(window.lblCoBrand->text(), "Click here for more details.");
  EXPECT_EQ(window.Label3->text(),
            "Home Business Opportunity. Start your own Internet business and make money online. "
            "Get this software fully branded for your website.");
  EXPECT_EQ(window.cmdOK->text(), "OK");
  EXPECT_TRUE(window.cmdOK->isDefault());
  EXPECT_FALSE(window.Picture1->pixmap().isNull());
}

TEST_F(About, LinksOpenTheHomePageAndTheFullBrandingOffer) {
  window.show();
  QTest::mouseClick(window.lblHomePage, Qt::LeftButton);
  QTest::mouseClick(window.lblCoBrand, Qt::LeftButton);
  ASSERT_EQ(doubles.shell.opened.size(), 2u);
  EXPECT_EQ(query(doubles.shell.opened[0]), "page=home-page");
  // Not "co-brand": this label goes with the full-branding text above it.
  EXPECT_EQ(query(doubles.shell.opened[1]), "page=fully-branded");
  EXPECT_TRUE(window.isVisible()) << "a link leaves the window open";
}

TEST_F(About, EnterEscAndOkEachCloseIt) {
  const struct {
    const char* how;
    std::function<void(links::frmAbout&)> act;
  } ways[] = {
      {"Enter", [](links::frmAbout& w) { QTest::keyClick(&w, Qt::Key_Return); }},
      {"Esc", [](links::frmAbout& w) { QTest::keyClick(&w, Qt::Key_Escape); }},
      {"OK", [](links::frmAbout& w) { QTest::mouseClick(w.cmdOK, Qt::LeftButton); }},
  };
  for (const auto& way : ways) {
    links::frmAbout about(doubles.platform);
    bool wasShown = false;
    QTimer::singleShot(0, &about, [&] {
      wasShown = about.isVisible();
      way.act(about);
    });
    about.exec();  // returns only once the window has closed
    EXPECT_TRUE(wasShown) << way.how;
    EXPECT_FALSE(about.isVisible()) << way.how;
  }
}

TEST_F(About, OpensCentredOnTheScreen) {
  window.show();
  const QRect screen = window.screen()->availableGeometry();
  EXPECT_LE((window.frameGeometry().center() - screen.center()).manhattanLength(), 2);
}

}  // namespace
