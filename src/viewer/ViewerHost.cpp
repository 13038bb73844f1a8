#include "viewer/ViewerHost.h"

#include "platform/Twips.h"
#include "viewer/BrowserCommand.h"
#include "viewer/ToolbarImages.h"

#include <QIcon>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QToolButton>

namespace viewer {

namespace {

constexpr const char* kKeyProperty = "key";

}  // namespace

ViewerHost::ViewerHost(platform::Platform& platform, platform::AppState& state,
                       MainWindowParts parts, QMdiArea* clientArea, QString searchEngineBase)
    : QObject(),
      platform_(platform),
      state_(state),
      parts_(parts),
      clientArea_(clientArea),
      searchEngineBase_(std::move(searchEngineBase)) {
  setObjectName(QStringLiteral("viewerHost"));
  createToolbarButtons();
}

ViewerHost::~ViewerHost() {
  // A viewer in the client area belongs to it; one made without belongs here.
  if (!window_) delete form_;
}

void ViewerHost::createToolbarButtons() {
  if (!parts_.TB) return;
  // Image-only buttons at the toolbar's left edge, vertically centred in its
  // design height of 540 twips.
  const QSize size(kToolbarImageSize + 2, kToolbarImageSize + 6);
  const int top = (platform::twips(540) - size.height()) / 2;
  int left = 2;
  for (const QString& key : ToolbarKeys()) {
    auto* button = new QToolButton(parts_.TB);
    button->setObjectName(QStringLiteral("tb") + key);
    button->setProperty(kKeyProperty, key);
    button->setIcon(QIcon(ToolbarImage(CommandForKey(key))));
    button->setIconSize(QSize(kToolbarImageSize, kToolbarImageSize));
    button->setToolTip(key);
    button->setAutoRaise(true);
    // Opaque over the strip's placeholder labels, which lie beneath.
    button->setAutoFillBackground(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setGeometry(QRect(QPoint(left, top), size));
    button->raise();
    connect(button, &QToolButton::clicked, this,
            [this, button] { ButtonClick(button->property(kKeyProperty).toString()); });
    buttons_.append(button);
    left += size.width();
  }
}

frmMain& ViewerHost::form() {
  if (form_) return *form_;
  form_ = new frmMain(platform_, state_, parts_, searchEngineBase_);
  if (clientArea_) {
    // Borderless, at the top left of the client area: it looks like a pane.
    window_ = clientArea_->addSubWindow(form_, Qt::FramelessWindowHint);
    window_->setObjectName(QStringLiteral("frmMainWindow"));
    window_->setContentsMargins(0, 0, 0, 0);
    window_->move(0, 0);
    // The viewer is as tall as the whole main window (the browser inside is
    // what fits); the part below the client area holds nothing to scroll to.
    clientArea_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    window_->resize(form_->size());
    window_->show();
  }
  form_->Form_Load();
  return *form_;
}

void ViewerHost::Navigate(const QString& address) {
  frmMain& viewer = form();
  viewer.Navigate(address);
}

void ViewerHost::Show() {
  frmMain& viewer = form();
  QWidget* window = window_ ? static_cast<QWidget*>(window_) : &viewer;
  window->show();
  window->raise();
  if (window_ && clientArea_) clientArea_->setActiveSubWindow(window_);
}

void ViewerHost::ButtonClick(const QString& key) {
  const BrowserCommand command = CommandForKey(key);
  if (command == BrowserCommand::None) return;
  platform::Browser& wb = form().WB();
  switch (command) {
    case BrowserCommand::Back: wb.goBack(); break;
    case BrowserCommand::Forward: wb.goForward(); break;
    case BrowserCommand::Refresh: wb.refresh(); break;
    case BrowserCommand::Home: wb.goHome(); break;
    case BrowserCommand::Search: wb.goSearch(); break;
    case BrowserCommand::Stop: wb.stop(); break;
    case BrowserCommand::None: break;
  }
}

}  // namespace viewer
