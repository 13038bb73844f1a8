#include "lookup/PanelLayout.h"

#include "lookup/SearchPanel.h"
#include "platform/Twips.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTreeView>

namespace lookup {

using platform::toTwips;
using platform::twips;

namespace {

void setHeight(QRect& r, int height) {
  if (height >= 0) r.setHeight(height);
}
void setWidth(QRect& r, int width) {
  if (width >= 0) r.setWidth(width);
}

QRect inTwips(const QWidget* w) {
  const QRect g = w->geometry();
  return QRect(toTwips(g.x()), toTwips(g.y()), toTwips(g.width()), toTwips(g.height()));
}

void place(QWidget* w, const QRect& twipsRect) {
  w->setGeometry(twips(twipsRect.x()), twips(twipsRect.y()), twips(twipsRect.width()),
                 twips(twipsRect.height()));
}

}  // namespace

PanelLayout ResizeSearchPanel(const PanelLayout& current, int windowOuterHeight, int panelLeft,
                              int panelWidth) {
  PanelLayout p = current;
  setHeight(p.lstKeys, windowOuterHeight - 4850);
  p.cmdDisplay.moveTop(p.lstKeys.top() + p.lstKeys.height());
  setHeight(p.cmdDisplay, 500);
  p.txtKey.moveLeft(panelLeft);
  p.lstKeys.moveLeft(panelLeft);
  p.cmdSearch.moveLeft(panelLeft);
  p.cmdDisplay.moveLeft(panelLeft);
  setWidth(p.txtKey, panelWidth - 75);
  setWidth(p.lstKeys, panelWidth - 50);
  setWidth(p.cmdSearch, panelWidth - 50);
  setWidth(p.cmdDisplay, panelWidth - 50);
  return p;
}

void ApplyResizeRule(SearchPanel& panel, int windowOuterHeight) {
  const PanelLayout current{inTwips(panel.txtKey), inTwips(panel.cmdSearch),
                            inTwips(panel.lstKeys), inTwips(panel.cmdDisplay)};
  // The panel's own position in the window: 0 while it is docked at the
  // left edge.
  const int panelLeft = toTwips(panel.mapTo(panel.window(), QPoint(0, 0)).x());
  const PanelLayout next =
      ResizeSearchPanel(current, windowOuterHeight, panelLeft, toTwips(panel.width()));
  place(panel.txtKey, next.txtKey);
  place(panel.cmdSearch, next.cmdSearch);
  place(panel.lstKeys, next.lstKeys);
  place(panel.cmdDisplay, next.cmdDisplay);
}

}  // namespace lookup
