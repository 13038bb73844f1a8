// The program's loaded windows, in the order in which they were loaded, so
// that the end of the program can close each one in that order.
#pragma once

#include <QList>
#include <QPointer>
#include <QWidget>

namespace shell {

class WindowRegistry {
 public:
  // Records a window as loaded; a window recorded twice keeps its first place.
  void add(QWidget* window);
  // The windows still alive, in load order; a deleted window drops out.
  QList<QWidget*> loaded() const;

 private:
  QList<QPointer<QWidget>> windows_;
};

}  // namespace shell
