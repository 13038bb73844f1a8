#include "platform/Shell.h"

#include <QDesktopServices>

namespace platform {

void DesktopShell::open(const QUrl& url) {
  // xdg-open under the hood; does not wait for the browser. A failure to open
  // is not the program's to report.
  QDesktopServices::openUrl(url);
}

}  // namespace platform
