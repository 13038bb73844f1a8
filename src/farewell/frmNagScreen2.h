// frmNagScreen2: the farewell window shown when the main window closes. It
// asks for the maker's support, recommends its other programs, holds the
// refer-a-friend form, and stays above every other window. Leaving it, by
// its Exit button or by closing it, ends the program.
#pragma once

#include "farewell/Referral.h"
#include "platform/Platform.h"

#include <QStringList>
#include <QWidget>

#include <functional>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace platform { class LinkLabel; }

namespace farewell {

// The four texts asking for support, numbered as the random choice numbers
// them; text 1 is also the label's text before the window loads.
const QStringList& SupportTexts();

class frmNagScreen2 : public QWidget {
  Q_OBJECT
 public:
  // `endProgram` is what leaving the window calls; it ends the process.
  frmNagScreen2(platform::Platform& platform, std::function<void()> endProgram,
                QWidget* parent = nullptr);

  int supportTextIndex() const { return supportText_; }
  const TellAFriend& referral() const { return tellAFriend_; }

  QLabel* picNagscreen2Icon;
  QLabel* lblNagScreen2Caption;
  QLabel* Label2;
  QCheckBox* Check1;
  QPushButton* cmdClose;
  QGroupBox* Frame2;
  QLineEdit* txtName;
  QPushButton* cmdSubmit;
  QLineEdit* txtEmail;
  QLineEdit* txtFriendEmail;
  QLineEdit* txtFriendName;
  // Lies below Frame2's bottom edge, so it never shows; it still takes the
  // focus in the tab order, and its untouched text is what gets sent.
  QPlainTextEdit* txtMessage;
  QGroupBox* Frame6;
  QLabel* Label3;
  platform::LinkLabel* lblGoToHome;

  // The message field's text with its line breaks as CR LF, as entered.
  QString messageText() const;
  void setMessageText(const QString& text);

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void createControls();
  void createReferralForm();
  void load();

  void cmdCloseClicked();
  void Check1Clicked(bool checked);
  void lblGoToHomeClicked();
  void cmdSubmitClicked();

  QString placeholderOf(QObject* field) const;
  QString textOf(QObject* field) const;
  void setTextOf(QObject* field, const QString& text);

  platform::Platform& platform_;
  std::function<void()> endProgram_;
  TellAFriend tellAFriend_;
  int supportText_ = 1;
};

}  // namespace farewell
