// The viewer as the main window sees it: created on first use in the client
// area, shown on request, and driven by the browser toolbar.
#pragma once

#include "platform/AppState.h"
#include "platform/Platform.h"
#include "viewer/PageTemplate.h"
#include "viewer/frmMain.h"

#include <QList>
#include <QObject>
#include <QString>

class QMdiArea;
class QMdiSubWindow;
class QToolButton;

namespace viewer {

class ViewerHost : public QObject {
  Q_OBJECT
 public:
  // Puts the six browser buttons at the left of `parts.TB`. The viewer
  // itself is created only when first used.
  ViewerHost(platform::Platform& platform, platform::AppState& state, MainWindowParts parts,
             QMdiArea* clientArea, QString searchEngineBase = DefaultSearchEngineBase());
  ~ViewerHost() override;

  bool isLoaded() const { return form_ != nullptr; }

  // The viewer, created and loaded (its load rule run to the end) on the
  // first call. A new viewer shows at once in the client area.
  frmMain& form();

  // Loads the viewer if needed, then navigates its browser. `address` is read
  // after the load: when it refers to the pending address, a first use passes
  // on what the load left there (nothing).
  void Navigate(const QString& address);

  // Loads the viewer if needed, shows it and brings it to the front.
  void Show();

  // The toolbar's button click: the command of the key, on the viewer's
  // browser; a key of no command does nothing.
  void ButtonClick(const QString& key);

  // The toolbar buttons, left to right; each carries its key in the
  // property "key".
  const QList<QToolButton*>& toolbarButtons() const { return buttons_; }

 private:
  void createToolbarButtons();

  platform::Platform& platform_;
  platform::AppState& state_;
  MainWindowParts parts_;
  QMdiArea* clientArea_;
  QString searchEngineBase_;
  QMdiSubWindow* window_ = nullptr;
  frmMain* form_ = nullptr;
  QList<QToolButton*> buttons_;
};

}  // namespace viewer
