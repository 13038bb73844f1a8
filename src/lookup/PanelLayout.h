// The search panel's part of the main window's resize rule, in twips, as a
// plain function: the keyword list grows with the window, Display sits under
// it, and the box, the buttons and the list span the panel's width. A size
// that comes out negative is not applied (the control keeps its size).
#pragma once

#include <QRect>

namespace lookup {

struct PanelLayout {  // twips, relative to the panel
  QRect txtKey;
  QRect cmdSearch;
  QRect lstKeys;
  QRect cmdDisplay;
};

// `current` is the panel as it stands; the result is the panel after the
// rule, for a main window of the given outer height and a panel at
// `panelLeft` with `panelWidth`.
PanelLayout ResizeSearchPanel(const PanelLayout& current, int windowOuterHeight, int panelLeft,
                              int panelWidth);

class SearchPanel;

// Applies the rule to the panel's controls; sizes given in twips.
void ApplyResizeRule(SearchPanel& panel, int windowOuterHeight);

}  // namespace lookup
