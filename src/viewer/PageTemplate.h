// The fixed addresses of the viewer and the web-search form template.
//
// Every address of the search engine is built from one base (scheme and host,
// no trailing slash) so that tests can point it at a server of their own.
#pragma once

#include <QString>

namespace viewer {

// "http://" and the search engine's host, as shipped.
QString DefaultSearchEngineBase();

// The root of the maker's web site: the page the viewer opens when it loads
// with nothing pending.
QString MakerHomeAddress();

// The search engine's home address. When the pending address is exactly this
// text at load, the viewer runs the search form instead of navigating.
QString WebSearchMarker(const QString& searchEngineBase);

// The page template of the hidden text box: a search form that sends q, sa,
// client, forid, ie, oe, cof and hl with GET to the engine's /custom address.
// 21 lines, each ending in CR LF.
QString SearchFormTemplate(const QString& searchEngineBase);

// The engine's results page for a text typed where an address was expected.
QString SearchResultsAddress(const QString& searchEngineBase, const QString& text);

}  // namespace viewer
