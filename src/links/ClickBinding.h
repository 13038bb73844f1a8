// A click on a widget that has no click signal of its own (a plain label).
#pragma once

#include <functional>

class QWidget;

namespace links {

// Runs `action` when the left mouse button is released over `widget`. The
// binding lives as long as the widget.
void BindClick(QWidget* widget, std::function<void()> action);

}  // namespace links
