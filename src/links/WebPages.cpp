#include "links/WebPages.h"

#include "platform/Brand.h"

namespace links {

QString PageAddress(const QString& pageKey) { return brand::siteRoot() + kPagePath + pageKey; }

void OpenWebPage(platform::Shell& shell, const QString& pageKey) {
  // The keys are fixed, plain words: the address needs no encoding.
  shell.open(QUrl(PageAddress(pageKey), QUrl::StrictMode));
}

}  // namespace links
