#include "shell/WindowRegistry.h"

namespace shell {

void WindowRegistry::add(QWidget* window) {
  if (!window || loaded().contains(window)) return;
  windows_.append(QPointer<QWidget>(window));
}

QList<QWidget*> WindowRegistry::loaded() const {
  QList<QWidget*> alive;
  for (const QPointer<QWidget>& w : windows_)
    if (w) alive.append(w.data());
  return alive;
}

}  // namespace shell
