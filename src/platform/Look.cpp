#include "platform/Look.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPalette>

namespace platform {

QFont standardFont(bool bold) {
  QFont font(QStringLiteral("Verdana"));
  font.setPointSizeF(8.25);
  font.setBold(bold);
  return font;
}

void installLook() {
  QFont::insertSubstitutions(QStringLiteral("Verdana"),
                             {QStringLiteral("DejaVu Sans"), QStringLiteral("Sans Serif")});
  QApplication::setFont(standardFont());
  QApplication::setWindowIcon(programIcon());
}

QIcon programIcon() { return QIcon(QStringLiteral(":/ostrelda/ostrelda.svg")); }

QColor buttonFaceColour() { return QApplication::palette().color(QPalette::Button); }

LinkLabel::LinkLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
  QFont f = standardFont();
  f.setUnderline(true);
  setFont(f);
  setCursor(Qt::PointingHandCursor);
  setTextFormat(Qt::PlainText);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
    emit clicked();
  QLabel::mouseReleaseEvent(event);
}

}  // namespace platform
