// The main window's load sequence, its resize rule, and the binding of the
// search panel, the browser toolbar and the viewer.
#include "shell/MDI.h"

#include "lookup/LookupController.h"
#include "lookup/PanelLayout.h"
#include "lookup/SearchPanel.h"
#include "platform/Twips.h"
#include "viewer/ViewerHost.h"

#include <QLineEdit>
#include <QPushButton>
#include <QResizeEvent>

namespace shell {

using platform::toTwips;
using platform::twips;

void MDI::bindLookup() {
  const viewer::MainWindowParts parts{this, picLeft, picTop, picBottom, TB, picLeft->txtKey};
  viewer_ = std::make_unique<viewer::ViewerHost>(platform_, state_, parts, mdiArea);
  lookup_ = std::make_unique<lookup::LookupController>(*picLeft, platform_, state_, *viewer_);
}

// Runs before the window first shows: the connection test, then the keyword
// list with its column width. The viewer is not opened here.
void MDI::Form_Load() {
  CheckConnection();
  lookup_->FormLoad();
}

// Once per run: the viewer reads the state of start-up for the whole run.
void MDI::CheckConnection() { state_.lngConnectionState = platform_.connection.connectedState(); }

void MDI::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  applyResizeRule();
}

// The search panel follows the window's outer height and the panel's width;
// Donate and Exit keep 300 twips from the window's right edge. The docked
// panel's own height is the height its place leaves it, whatever the rule
// would set. The viewer is not resized here.
void MDI::applyResizeRule() {
  if (!lookup_) return;  // a resize before the controls are all there
  const QSize outer = frameGeometry().size();
  const int windowWidth = toTwips(outer.width());
  lookup::ApplyResizeRule(*picLeft, toTwips(outer.height()));
  cmdDonate->move(twips(windowWidth - toTwips(cmdDonate->width()) - 300), cmdDonate->y());
  cmdExit->move(twips(windowWidth - toTwips(cmdExit->width()) - 300), cmdExit->y());
}

}  // namespace shell
