// The six 24 x 24 images of the browser toolbar, drawn in code.
#pragma once

#include "viewer/BrowserCommand.h"

#include <QPixmap>

namespace viewer {

inline constexpr int kToolbarImageSize = 24;

// Back and Forward: arrows; Stop: a red disc with a white cross; Refresh: a
// sheet of paper with two green circling arrows; Home: a house; Search: a
// globe with a magnifying glass. None gives an empty (transparent) image.
QPixmap ToolbarImage(BrowserCommand command);

}  // namespace viewer
