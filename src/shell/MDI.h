// The main window: menus, the toolbar with its advertising strip, the top and
// bottom panels, the search panel on the left and the client area that holds
// the viewer.
#pragma once

#include "platform/AppState.h"
#include "platform/Platform.h"

#include <QMainWindow>

#include <functional>
#include <memory>

class QAction;
class QLabel;
class QMdiArea;
class QMenu;
class QPushButton;
class QWidget;

namespace platform { class LinkLabel; }
namespace lookup { class SearchPanel; class LookupController; }
namespace viewer { class ViewerHost; }

namespace shell {

class MDI : public QMainWindow {
  Q_OBJECT
 public:
  MDI(platform::Platform& platform, platform::AppState& state, QWidget* parent = nullptr);
  ~MDI() override;

  lookup::SearchPanel* searchPanel() const { return picLeft; }
  QMdiArea* clientArea() const { return mdiArea; }
  QWidget* toolBar() const { return TB; }

  // Docked areas, in the order in which they take their place.
  QWidget* TB;
  QWidget* picTop;
  QWidget* picBottom;
  lookup::SearchPanel* picLeft;
  QMdiArea* mdiArea;

  // The advertising strip inside TB.
  QWidget* Picture1;
  platform::LinkLabel* Label61;
  QLabel* Label4;
  QWidget* Picture2;
  QLabel* Label9;
  QLabel* Label10;
  QLabel* Label6;
  QLabel* Label5;
  QLabel* Label8;
  QLabel* Label7;

  QPushButton* cmdDonate;
  QPushButton* cmdExit;
  platform::LinkLabel* lblFullBrand;
  platform::LinkLabel* lblCoBrand;

  QMenu* mnuFile;
  QAction* mnuUpdate;
  QAction* mnuFileSep1;
  QAction* mnuExit;
  QMenu* mnuHelp;
  QAction* mnuOnline;
  QAction* mnuVisit;
  QAction* mnuHelpSep1;
  QAction* mnuUpdateSoftware;
  QAction* mnuHelpSep2;
  QAction* mnuAbout;
  QAction* mnuDonate;
  QAction* mnuMakeMoney;

  // What closing the main window leads to, by any of its ways: start-up
  // passes the showing of the farewell window.
  void setFarewell(std::function<void()> showFarewell);

  // The lookup commands and the viewer (MdiLookup.cpp).
  lookup::LookupController* lookupController() const { return lookup_.get(); }
  viewer::ViewerHost* viewerHost() const { return viewer_.get(); }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  // The maker's pages and the About window (MdiLinks.cpp).
  void bindLinks();
  // The Exit button and menu entry (MdiClose.cpp).
  void bindExit();
  void mnuExitClicked();
  std::function<void()> showFarewell_;
  // File > Update, the dictionary update (MdiUpdate.cpp).
  void bindUpdate();

  // The viewer, the toolbar and the lookup commands; the load sequence and
  // the resize rule (MdiLookup.cpp).
  void bindLookup();
  void Form_Load();
  void CheckConnection();
  void applyResizeRule();
  std::unique_ptr<viewer::ViewerHost> viewer_;
  std::unique_ptr<lookup::LookupController> lookup_;

  void createMenus();
  void createToolBar();
  void createTopPanel();
  void createBottomPanel();
  void createClientArea();

  platform::Platform& platform_;
  platform::AppState& state_;
};

}  // namespace shell
