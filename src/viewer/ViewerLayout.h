// The viewer's size rule, in twips, as a plain function of the main window's
// measures. A size that comes out negative is not applied: the window keeps
// its previous size for that step.
#pragma once

#include <optional>

namespace viewer {

struct MainWindowMeasures {  // twips
  int outerWidth = 0;   // the main window's outer width, frame included
  int outerHeight = 0;  // the outer height, title bar and menu bar included
  int leftPanelWidth = 0;
  int topPanelHeight = 0;
  int bottomPanelHeight = 0;
  int toolBarHeight = 0;
};

struct ViewerSizes {  // twips; nullopt: the step is skipped
  std::optional<int> width;
  std::optional<int> height;
  std::optional<int> browserHeight;
};

ViewerSizes ComputeViewerSizes(const MainWindowMeasures& m);

}  // namespace viewer
