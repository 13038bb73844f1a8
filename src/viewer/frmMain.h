// The viewer: a borderless child window of the main window's client area
// holding the embedded browser WB, the offline notice lblCaption and the
// hidden page template Text1.
#pragma once

#include "platform/AppState.h"
#include "platform/Browser.h"
#include "platform/Platform.h"

#include <QWidget>

#include <memory>

class QLabel;
class QLineEdit;
class QPlainTextEdit;

namespace viewer {

// The parts of the main window the viewer reads: its outer size and the
// sizes of its docked panels for the size rule, and the keyword box for the
// web-search form.
struct MainWindowParts {
  QWidget* window = nullptr;
  QWidget* picLeft = nullptr;
  QWidget* picTop = nullptr;
  QWidget* picBottom = nullptr;
  QWidget* TB = nullptr;
  QLineEdit* txtKey = nullptr;
};

class frmMain : public QWidget {
  Q_OBJECT
 public:
  frmMain(platform::Platform& platform, platform::AppState& state, MainWindowParts parts,
          QString searchEngineBase, QWidget* parent = nullptr);
  ~frmMain() override;

  platform::Browser& WB() { return *browser_; }
  QWidget* WBWidget() const;
  QLabel* lblCaption;
  QPlainTextEdit* Text1;

  // The load rule: size, then the offline notice or the page that is
  // pending (the maker's home address when nothing is), then nothing pending.
  void Form_Load();

  // Makes the browser go to `address`, read as an address bar reads it. An
  // empty address leaves the page that is showing or loading.
  void Navigate(const QString& address);

  // The size rule: the viewer's window (its sub-window in the client area)
  // and the browser, from the main window's current measures.
  void applySizeRule();

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void runSearchForm();

  platform::AppState& state_;
  MainWindowParts parts_;
  QString searchEngineBase_;
  std::unique_ptr<platform::Browser> browser_;
  bool loaded_ = false;  // the size rule follows resizes once the load has run it
  bool sizing_ = false;
};

}  // namespace viewer
