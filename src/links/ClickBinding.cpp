#include "links/ClickBinding.h"

#include <QEvent>
#include <QMouseEvent>
#include <QWidget>

namespace links {

namespace {

class ClickFilter final : public QObject {
 public:
  ClickFilter(QWidget* widget, std::function<void()> action)
      : QObject(widget), widget_(widget), action_(std::move(action)) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == widget_ && event->type() == QEvent::MouseButtonRelease) {
      auto* mouse = static_cast<QMouseEvent*>(event);
      if (mouse->button() == Qt::LeftButton && widget_->rect().contains(mouse->position().toPoint()))
        action_();
    }
    return false;
  }

 private:
  QWidget* widget_;
  std::function<void()> action_;
};

}  // namespace

void BindClick(QWidget* widget, std::function<void()> action) {
  widget->installEventFilter(new ClickFilter(widget, std::move(action)));
}

}  // namespace links
