// The program's common look: its icon, the standard font, link labels.
#pragma once

#include <QColor>
#include <QFont>
#include <QIcon>
#include <QLabel>

namespace platform {

// The standard text font: Verdana 8.25 pt (DejaVu Sans stands in for it).
QFont standardFont(bool bold = false);

// Registers the font substitution for Verdana and sets the program's icon
// and standard font. Called once, after the application object exists.
void installLook();

// A white letter R on a yellow rounded square; used for every window.
QIcon programIcon();

QColor buttonFaceColour();

// A label with underlined text and a pointing hand that reports clicks.
class LinkLabel : public QLabel {
  Q_OBJECT
 public:
  explicit LinkLabel(const QString& text, QWidget* parent = nullptr);

 signals:
  void clicked();

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;
};

}  // namespace platform
