// What the viewer does with a text it is asked to navigate to, as a
// browser's address bar would: web addresses load, a bare host name gets
// "http://", other text becomes a web search, and addresses of any other
// scheme (javascript:, file:, data: ...) are refused.
#pragma once

#include <QString>

namespace viewer {

struct NavigationTarget {
  enum class Kind {
    Nothing,  // an empty address: the page that is showing or loading stays
    Load,     // load `address`
    Refused,  // show a notice instead; `address` is the text that was refused
  };
  Kind kind = Kind::Nothing;
  QString address;
};

NavigationTarget ResolveAddress(const QString& text, const QString& searchEngineBase);

// The short page shown in place of a refused address.
QString RefusedAddressPage(const QString& text);

}  // namespace viewer
