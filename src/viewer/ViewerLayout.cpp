#include "viewer/ViewerLayout.h"

namespace viewer {

namespace {

std::optional<int> size(int value) {
  if (value < 0) return std::nullopt;
  return value;
}

}  // namespace

ViewerSizes ComputeViewerSizes(const MainWindowMeasures& m) {
  ViewerSizes s;
  s.width = size(m.outerWidth - m.leftPanelWidth - 250);
  // As tall as the whole main window: the browser below is what fits.
  s.height = size(m.outerHeight);
  s.browserHeight =
      size(m.outerHeight - m.topPanelHeight - m.bottomPanelHeight - m.toolBarHeight - 750);
  return s;
}

}  // namespace viewer
