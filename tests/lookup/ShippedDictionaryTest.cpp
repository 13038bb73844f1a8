// The program's main job on the shipped dictionary, with the real browser
// under a virtual X server: type fe and press Enter, and the list holds the
// keywords that begin with fe; double-click one, and the viewer goes to its
// address. Screenshots of both states are saved under artifacts/ in the
// build tree. Host names resolve to nothing, so no page leaves the machine:
// the viewer shows the browser's own error page at the entry's address.
#include "lookup/SearchPanel.h"
#include "platform/Look.h"
#include "platform/testing/Doubles.h"
#include "shell/MDI.h"
#include "viewer/ViewerHost.h"
#include "viewer/WebEngineBrowser.h"
#include "../support/WaitFor.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QScreen>
#include <QTest>
#include <QWebEngineView>

#include <functional>

namespace {

using testsupport::waitFor;

struct Row {
  QString key, link;
};

// The shipped dictionary's source, in table order.
std::vector<Row> shippedRows() {
  std::vector<Row> rows;
  QFile tsv(QStringLiteral(OSTRELDA_SOURCE_DIR "/data/runes.tsv"));
  if (!tsv.open(QIODevice::ReadOnly | QIODevice::Text)) return rows;
  tsv.readLine();  // the header
  while (!tsv.atEnd()) {
    const QStringList fields = QString::fromUtf8(tsv.readLine()).chopped(1).split('\t');
    if (fields.size() >= 2) rows.push_back({fields[0], fields[1]});
  }
  return rows;
}

void saveScreenshot(QWidget& window, const QString& name) {
  QDir().mkpath(QStringLiteral(OSTRELDA_BINARY_DIR "/artifacts"));
  const QString path = QStringLiteral(OSTRELDA_BINARY_DIR "/artifacts/") + name;
  // The screen's pixels, so that the browser's own drawing is in the picture.
  const QPixmap shot = window.screen()->grabWindow(window.winId());
  EXPECT_TRUE(shot.save(path)) << path.toStdString();
}

TEST(ShippedDictionary, TypeFeEnterThenDoubleClickAKeyword) {
  const std::vector<Row> rows = shippedRows();
  ASSERT_FALSE(rows.empty());
  QStringList expected;
  std::vector<Row> matching;
  for (const Row& r : rows) {
    if (r.key.startsWith("fe", Qt::CaseInsensitive)) {
      expected << r.key;
      matching.push_back(r);
    }
  }
  ASSERT_FALSE(expected.isEmpty());

  platform::testing::TestPlatform doubles(QStringLiteral(OSTRELDA_BINARY_DIR));
  doubles.connection.state = 1;
  viewer::WebEngineBrowserFactory browsers;
  platform::Platform platform{doubles.shell,       doubles.settings, doubles.instanceGuard,
                              doubles.connection,  doubles.dialogs,  doubles.clock,
                              doubles.processExit, browsers,         doubles.webSearch,
                              QStringLiteral(OSTRELDA_BINARY_DIR)};
  shell::MDI window(platform, doubles.state);
  window.show();
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  EXPECT_TRUE(doubles.dialogs.messages.empty()) << "the shipped dictionary opens";
  EXPECT_EQ(window.picLeft->lstKeys->count(), int(rows.size()));

  QLineEdit* box = window.picLeft->txtKey;
  box->setFocus();
  QTest::keyClicks(box, "fe");
  QTest::keyClick(box, Qt::Key_Return);
  EXPECT_EQ(window.picLeft->lstKeys->keys(), expected);
  EXPECT_TRUE(doubles.dialogs.messages.empty());
  ASSERT_TRUE(window.viewerHost()->isLoaded());
  QTest::qWait(500);
  saveScreenshot(window, QStringLiteral("lookup-fe-list.png"));

  // Double-click the last keyword that begins with fe.
  const int row = int(expected.size()) - 1;
  lookup::KeywordList* list = window.picLeft->lstKeys;
  const QPoint at = list->rowRect(row).center();
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
  QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
  EXPECT_EQ(box->text(), matching[std::size_t(row)].key);

  auto* browser = dynamic_cast<viewer::WebEngineBrowser*>(&window.viewerHost()->form().WB());
  ASSERT_NE(browser, nullptr);
  const QUrl link(matching[std::size_t(row)].link);
  EXPECT_TRUE(waitFor([&] { return browser->view()->url() == link && !browser->isLoading(); }))
      << browser->view()->url().toString().toStdString();
  QTest::qWait(500);
  saveScreenshot(window, QStringLiteral("lookup-entry.png"));
}

}  // namespace

int main(int argc, char** argv) {
  // No host name resolves: the entries' pages stay off the network.
  qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--no-sandbox --host-resolver-rules=MAP * ~NOTFOUND");
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
  QApplication app(argc, argv);
  platform::installLook();
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
