// frmAbout: what the program is, with two links to the maker's pages. Modal,
// centred on the screen, fixed border; OK closes it (Enter and Esc too).
#pragma once

#include "platform/Platform.h"

#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;

namespace platform { class LinkLabel; }

namespace links {

class frmAbout : public QDialog {
  Q_OBJECT
 public:
  explicit frmAbout(platform::Platform& platform, QWidget* parent = nullptr);

  QLabel* Picture1;
  QLabel* Label2;
  QLabel* Label1;
  platform::LinkLabel* lblHomePage;
  QLabel* Label3;
  // Belongs to the full-branding offer of Label3 above it, so it opens that
  // page (the main window's label of the same name opens the co-brand page).
  platform::LinkLabel* lblCoBrand;
  QFrame* Line1;
  QPushButton* cmdOK;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void createControls();
  void lblHomePageClicked();
  void lblCoBrandClicked();

  platform::Platform& platform_;
};

// Opens a fresh About window, modal with no owner, and returns once it closes.
void ShowAbout(platform::Platform& platform);

}  // namespace links
