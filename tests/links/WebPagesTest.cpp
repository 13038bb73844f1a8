// The maker's pages: one site path, one query parameter "page", the key.
#include "links/WebPages.h"
#include "platform/testing/Doubles.h"

#include <gtest/gtest.h>

#include <QUrlQuery>

namespace {

TEST(OpenWebPage, EveryKeyOpensItsAddressWithOnlyThePageParameter) {
  const QString keys[] = {links::kHomePage,         links::kHelpPage,    links::kDownloadPage,
                          links::kDonatePage,       links::kFullyBrandedPage, links::kCoBrandPage,
                          links::kSoftwarePage};
  for (const QString& key : keys) {
    platform::testing::RecordingShell shell;
    links::OpenWebPage(shell, key);
    ASSERT_EQ(shell.opened.size(), 1u) << key.toStdString();
    const QUrl& url = shell.opened.front();
    EXPECT_EQ(url.toString(), "http://www.ostrelda.net/ostrelda/ssd.php?page=" + key);
    EXPECT_EQ(url.scheme(), "http");
    EXPECT_EQ(url.host(), "www.ostrelda.net");
    EXPECT_EQ(url.path(), "/ostrelda/ssd.php");
    const auto items = QUrlQuery(url).queryItems();
    ASSERT_EQ(items.size(), 1);
    EXPECT_EQ(items.front().first, "page");
    EXPECT_EQ(items.front().second, key);
  }
}

TEST(OpenWebPage, TheKeysAreThoseOfTheMakersSite) {
  EXPECT_EQ(links::kHomePage, "home-page");
  EXPECT_EQ(links::kHelpPage, "help-web-page");
  EXPECT_EQ(links::kDownloadPage, "download-web-page");
  EXPECT_EQ(links::kDonatePage, "donate");
  EXPECT_EQ(links::kFullyBrandedPage, "fully-branded");
  EXPECT_EQ(links::kCoBrandPage, "co-brand");
  EXPECT_EQ(links::kSoftwarePage, "orvelsoftwares");
}

TEST(OpenWebPage, RepeatedOpeningsAreEachPassedOn) {
  platform::testing::RecordingShell shell;
  links::OpenWebPage(shell, links::kDonatePage);
  links::OpenWebPage(shell, links::kDonatePage);
  EXPECT_EQ(shell.opened.size(), 2u);
}

}  // namespace
