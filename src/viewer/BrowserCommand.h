// The browser toolbar's buttons: their keys, in order, and the command each
// key stands for.
#pragma once

#include <QString>
#include <QStringList>

namespace viewer {

enum class BrowserCommand { None, Back, Forward, Refresh, Home, Search, Stop };

// The keys of the six buttons, left to right.
QStringList ToolbarKeys();

// Compares the key case-sensitively with "Back", "Forward", "Refresh",
// "Home", "Search" and "Stop"; a key that is none of them gives None.
BrowserCommand CommandForKey(const QString& key);

}  // namespace viewer
