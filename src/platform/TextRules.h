// Text rules that every window follows.
#pragma once

#include <QString>

namespace platform {

// Removes leading and trailing space characters (U+0020 only: tabs, line
// breaks and other blanks stay).
QString TrimSpaces(const QString& text);

}  // namespace platform
