// The farewell window: its load, its links, how leaving it ends the program,
// and the refer-a-friend form driven through its fields.
#include "farewell/frmNagScreen2.h"
#include "platform/Look.h"
#include "platform/testing/Doubles.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSet>
#include <QTest>
#include <QUrlQuery>

namespace {

using platform::testing::TestPlatform;

class Farewell : public ::testing::Test {
 protected:
  TestPlatform doubles;
  int endCalls = 0;
  farewell::frmNagScreen2 window{doubles.platform, [this] { ++endCalls; }};

  void SetUp() override {
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  }

  QStringList messages() const {
    QStringList texts;
    for (const auto& m : doubles.dialogs.messages) texts << m.text;
    return texts;
  }

  // Gives the focus to a field by the keyboard, as tabbing into it does.
  static void enter(QWidget* field) { field->setFocus(Qt::TabFocusReason); }
};

TEST_F(Farewell, LoadsCaptionIconAndStaysOnTop) {
  EXPECT_EQ(window.windowTitle(), "Ostrelda v1.85");
  EXPECT_EQ(window.lblNagScreen2Caption->text(), "Ostrelda v1.85");
  EXPECT_DOUBLE_EQ(window.lblNagScreen2Caption->font().pointSizeF(), 18);
  EXPECT_FALSE(window.picNagscreen2Icon->pixmap().isNull());
  EXPECT_FALSE(window.windowIcon().isNull());
  EXPECT_TRUE(window.windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_TRUE(window.isWindow());
  EXPECT_EQ(window.parentWidget(), nullptr);
  EXPECT_EQ(window.size(), QSize(741, 315));
  EXPECT_EQ(QApplication::focusWidget(), window.cmdClose);
  EXPECT_EQ(window.cmdClose->text(), "E&xit");
  EXPECT_EQ(window.Frame2->title(), "Refer A Friend");
  EXPECT_EQ(window.Frame6->title(), "Download Orvel Softwares");
  EXPECT_EQ(window.lblGoToHome->text(), "Click Here To Visit Orvel Softwares");
  EXPECT_TRUE(window.Check1->text().contains("www.orvelforum.net"));
  EXPECT_FALSE(window.Check1->isChecked());
  EXPECT_EQ(window.Label2->text(), farewell::SupportTexts().at(window.supportTextIndex()));
}

TEST_F(Farewell, OverManyLoadsEverySupportTextAppears) {
  QSet<int> seen;
  for (int i = 0; i < 200 && seen.size() < 4; ++i) {
    farewell::frmNagScreen2 another(doubles.platform, [] {});
    ASSERT_GE(another.supportTextIndex(), 0);
    ASSERT_LT(another.supportTextIndex(), 4);
    EXPECT_EQ(another.Label2->text(), farewell::SupportTexts().at(another.supportTextIndex()));
    seen.insert(another.supportTextIndex());
  }
  EXPECT_EQ(seen.size(), 4);
}

TEST_F(Farewell, CheckBoxOpensTheHomePageAndNeverStaysTicked) {
  QTest::mouseClick(window.Check1, Qt::LeftButton);
  EXPECT_FALSE(window.Check1->isChecked());
  window.Check1->setFocus();
  QTest::keyClick(window.Check1, Qt::Key_Space);
  EXPECT_FALSE(window.Check1->isChecked());
  ASSERT_EQ(doubles.shell.opened.size(), 2u);
  for (const QUrl& url : doubles.shell.opened) EXPECT_EQ(url.query(), "page=home-page");
}

TEST_F(Farewell, LinkOpensTheSoftwarePage) {
  QTest::mouseClick(window.lblGoToHome, Qt::LeftButton);
  ASSERT_EQ(doubles.shell.opened.size(), 1u);
  EXPECT_EQ(doubles.shell.opened[0].query(), "page=orvelsoftwares");
}

TEST_F(Farewell, ExitButtonAndCloseBoxBothEndTheProgram) {
  QTest::mouseClick(window.cmdClose, Qt::LeftButton);
  EXPECT_EQ(endCalls, 1);
  EXPECT_TRUE(window.close()) << "nothing may refuse the close";
  EXPECT_EQ(endCalls, 2);
}

TEST_F(Farewell, TabOrderRunsFromExitThroughTheHiddenMessageField) {
  const QList<QWidget*> expected{window.cmdClose,  window.Check1,         window.txtName,
                                 window.cmdSubmit, window.txtEmail,       window.txtFriendEmail,
                                 window.txtFriendName, window.txtMessage};
  window.cmdClose->setFocus(Qt::TabFocusReason);
  for (int i = 0; i + 1 < expected.size(); ++i) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), expected[i + 1])
        << "after " << expected[i]->objectName().toStdString();
  }
  // The message field lies below the bottom of its frame: never seen.
  EXPECT_GE(window.txtMessage->geometry().top(), window.Frame2->height());
}

TEST_F(Farewell, FieldsStartWithTheirPlaceholders) {
  EXPECT_EQ(window.txtName->text(), "Your Name");
  EXPECT_EQ(window.txtEmail->text(), "Your Email Address");
  EXPECT_EQ(window.txtFriendName->text(), "Friend's Name");
  EXPECT_EQ(window.txtFriendEmail->text(), "Friend's Email Address");
  EXPECT_EQ(window.messageText(), "Your Message\r\n");
}

TEST_F(Farewell, EnteringAndLeavingFieldsFollowThePlaceholderRule) {
  window.txtName->setText("  Your Name ");
  enter(window.txtName);
  EXPECT_EQ(window.txtName->text(), "");
  enter(window.txtEmail);  // leaves the name field empty
  EXPECT_EQ(window.txtName->text(), "Your Name");
  EXPECT_EQ(window.txtEmail->text(), "");
  window.txtEmail->setText("   ");
  enter(window.txtFriendName);
  EXPECT_EQ(window.txtEmail->text(), "Your Email Address");

  // Tabbing into the message field does not empty its untouched text; emptied
  // and left, it holds the bare placeholder and the submission stops there.
  enter(window.txtMessage);
  EXPECT_EQ(window.messageText(), "Your Message\r\n");
  window.setMessageText("");
  enter(window.txtName);
  EXPECT_EQ(window.messageText(), "Your Message");
}

TEST_F(Farewell, SpaceIsRefusedInEmailFieldsOnly) {
  for (QLineEdit* field : {window.txtEmail, window.txtFriendEmail}) {
    field->setFocus(Qt::TabFocusReason);
    field->setText("ab");
    QTest::keyClicks(field, "c d");
    EXPECT_EQ(field->text(), "abcd") << field->objectName().toStdString();
    EXPECT_EQ(QApplication::focusWidget(), field);
  }
  EXPECT_EQ(messages(), QStringList({"Email Address Cannot Contain Space", "Email Address Cannot Contain Space"}));
  EXPECT_EQ(doubles.dialogs.messages[0].icon, platform::MessageIcon::Critical);
  EXPECT_EQ(doubles.dialogs.messages[0].buttons, platform::MessageButtons::Ok);

  window.txtName->setFocus(Qt::TabFocusReason);
  QTest::keyClicks(window.txtName, "Ann Lee");
  EXPECT_EQ(window.txtName->text(), "Ann Lee");
  EXPECT_EQ(doubles.dialogs.messages.size(), 2u);
}

TEST_F(Farewell, SubmittingTheUntouchedFormAsksForProperAddresses) {
  QTest::mouseClick(window.cmdSubmit, Qt::LeftButton);
  EXPECT_EQ(messages(), QStringList({"Please Enter Proper Email Address"}));
  EXPECT_TRUE(doubles.shell.opened.empty());
  EXPECT_EQ(window.txtName->text(), "Your Name") << "the form keeps its entries";
}

TEST_F(Farewell, AValidSubmissionOpensTheReferralPageAndKeepsTheForm) {
  window.txtName->setText("  Tom & Jerry ");
  window.txtEmail->setText("tom@example.org");
  window.txtFriendName->setText("Bob");
  window.txtFriendEmail->setText(" bob@example.org");
  QTest::mouseClick(window.cmdSubmit, Qt::LeftButton);
  EXPECT_TRUE(messages().isEmpty()) << messages().join('|').toStdString();
  ASSERT_EQ(doubles.shell.opened.size(), 1u);
  const QUrlQuery query(doubles.shell.opened[0]);
  EXPECT_EQ(query.queryItemValue("taf1", QUrl::FullyDecoded), "Tom & Jerry");
  EXPECT_EQ(query.queryItemValue("taf3", QUrl::FullyDecoded), "Your Message\r\n");
  EXPECT_EQ(query.queryItemValue("taf5", QUrl::FullyDecoded), "bob@example.org");
  EXPECT_EQ(window.txtName->text(), "  Tom & Jerry ");
  EXPECT_TRUE(window.isVisible());
}

}  // namespace
