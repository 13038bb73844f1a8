// modHelp: the maker's web pages, each addressed by a page key on one site
// path, opened in the user's default browser outside the program.
#pragma once

#include "platform/Shell.h"

#include <QString>
#include <QUrl>

namespace links {

// The complete set of page keys.
inline const QString kHomePage = QStringLiteral("home-page");
inline const QString kHelpPage = QStringLiteral("help-web-page");
inline const QString kDownloadPage = QStringLiteral("download-web-page");
inline const QString kDonatePage = QStringLiteral("donate");
inline const QString kFullyBrandedPage = QStringLiteral("fully-branded");
inline const QString kCoBrandPage = QStringLiteral("co-brand");
inline const QString kSoftwarePage = QStringLiteral("orvelsoftwares");

// The site path every page key is appended to, after the site root.
inline const QString kPagePath = QStringLiteral("/ostrelda/ssd.php?page=");

// The site root, the page path and the key; nothing else goes into the query.
QString PageAddress(const QString& pageKey);

// Hands the page's address to the shell and returns at once; whether a
// browser could be started is not the program's to report.
void OpenWebPage(platform::Shell& shell, const QString& pageKey);

}  // namespace links
