// File > Update on the main window runs the update command with the main
// window's keyword box and list.
#include "dictionary/Writer.h"
#include "lookup/SearchPanel.h"
#include "platform/testing/Doubles.h"
#include "shell/MDI.h"
#include "update/UpdateCommand.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include <fstream>

namespace {

using platform::testing::TestPlatform;

TEST(UpdateMenu, OpensTheFileDialogAndReportsAnUnreadableFile) {
  QTemporaryDir temp;
  ASSERT_TRUE(temp.isValid());
  dictionary::CreateDictionary((temp.path() + "/runes.dll").toStdString(),
                               {{"Fehu", "http://www.ostrelda.net/runes/fehu.html", "lore"}});
  TestPlatform doubles(temp.path());
  shell::MDI window(doubles.platform, doubles.state);
  doubles.dialogs.messages.clear();  // whatever the window's load had to say
  window.show();
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));

  window.mnuUpdate->trigger();  // cancelled
  EXPECT_EQ(doubles.dialogs.openFileCalls, 1);
  EXPECT_TRUE(doubles.dialogs.messages.empty());

  const QString notes = temp.path() + "/notes.txt";
  std::ofstream(notes.toStdString()) << "not a database";
  doubles.dialogs.paths.push_back(notes);
  window.mnuUpdate->trigger();
  EXPECT_EQ(doubles.dialogs.openFileCalls, 2);
  ASSERT_EQ(doubles.dialogs.messages.size(), 1u);
  EXPECT_EQ(doubles.dialogs.messages[0].text, update::kNothingToUpdate);
  EXPECT_EQ(doubles.dialogs.messages[0].parent, &window);
  EXPECT_TRUE(window.picLeft->txtKey->hasFocus());
}

}  // namespace
