// The web-search component is found by its interface id among the libraries
// in the program's folder; the default one opens the search engine's results
// for the term in the user's browser.
#include "platform/testing/Doubles.h"
#include "websearch/PluginWebSearchFactory.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

const QString kPlugin = QStringLiteral(OSTRELDA_BINARY_DIR "/libostrelda_websearch_engine.so");

TEST(WebSearchPlugin, TheDefaultComponentOpensTheResultsPageForTheTerm) {
  platform::testing::RecordingShell shell;
  websearch::PluginWebSearchFactory factory(OSTRELDA_BINARY_DIR, shell);
  auto component = factory.create();
  ASSERT_NE(component, nullptr);
  const struct {
    QString term, url;
  } cases[] = {
      {"fe", "http://www.google.com/search?q=fe"},
      {" Elder Futhark ", "http://www.google.com/search?q=%20Elder%20Futhark%20"},
      {"a&b=c#d", "http://www.google.com/search?q=a%26b%3Dc%23d"},
      {"", "http://www.google.com/search?q="},
      {QString::fromUtf8("ᚠ"), "http://www.google.com/search?q=%E1%9A%A0"},
  };
  for (const auto& c : cases) {
    shell.opened.clear();
    component->SearchWeb(c.term, "http://www.ostrelda.net/ostrelda/ssd.php?page=home-page");
    ASSERT_EQ(shell.opened.size(), 1u);
    EXPECT_EQ(shell.opened[0].toString(QUrl::FullyEncoded), c.url) << c.term.toStdString();
  }
}

TEST(WebSearchPlugin, NoComponentWithoutAPluginOfTheRightId) {
  platform::testing::RecordingShell shell;
  QTemporaryDir empty;
  EXPECT_EQ(websearch::PluginWebSearchFactory(empty.path(), shell).create(), nullptr);

  // A file named like a plugin that is no library at all.
  QTemporaryDir junk;
  QFile fake(junk.path() + "/libfake_websearch.so");
  ASSERT_TRUE(fake.open(QIODevice::WriteOnly));
  fake.write("not a shared library");
  fake.close();
  EXPECT_EQ(websearch::PluginWebSearchFactory(junk.path(), shell).create(), nullptr);

  // The real plugin under a name the loader does not look for.
  QTemporaryDir renamed;
  ASSERT_TRUE(QFile::copy(kPlugin, renamed.path() + "/libsearch.so"));
  EXPECT_EQ(websearch::PluginWebSearchFactory(renamed.path(), shell).create(), nullptr);
  EXPECT_TRUE(shell.opened.empty());
}

}  // namespace
