// The maker's and the search engine's names and addresses, in one place.
#pragma once

#include <QString>

namespace brand {

inline const QString kProgramCaption = QStringLiteral("Ostrelda v1.85");
inline const QString kProgramName = QStringLiteral("Ostrelda");
inline const QString kVersion = QStringLiteral("1.85");

// The maker's web site; every page of the maker is under this host.
inline const QString kMakerHost = QStringLiteral("www.ostrelda.net");
// The maker's discussion forum.
inline const QString kForumHost = QStringLiteral("www.orvelforum.net");
inline const QString kAdvertisingEmail = QStringLiteral("ads@ostrelda.net");
// Another program of the maker, advertised in the toolbar.
inline const QString kOtherProgram = QStringLiteral("Orvel Almanac - the calendar of the old north");

// The web search engine used by the search form and the web-search marker.
inline const QString kSearchEngineHost = QStringLiteral("www.google.com");
// The publisher's client identifier that the search engine issued to the maker.
inline const QString kSearchPublisherId = QStringLiteral("pub-5810963478140472");

inline QString siteRoot() { return QStringLiteral("http://") + kMakerHost; }

}  // namespace brand
