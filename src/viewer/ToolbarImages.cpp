#include "viewer/ToolbarImages.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

namespace viewer {

namespace {

const QColor kArrowFill(46, 125, 50);
const QColor kOutline(40, 40, 40);

// A fat arrow pointing right across the image; mirrored for Back.
void drawArrow(QPainter& p, bool pointsLeft) {
  QPolygonF arrow({{3, 9}, {12, 9}, {12, 3}, {21, 12}, {12, 21}, {12, 15}, {3, 15}});
  if (pointsLeft) {
    for (QPointF& point : arrow) point.setX(24 - point.x());
  }
  p.setPen(QPen(kOutline, 1));
  p.setBrush(kArrowFill);
  p.drawPolygon(arrow);
}

void drawStop(QPainter& p) {
  p.setPen(QPen(QColor(140, 0, 0), 1));
  p.setBrush(QColor(220, 30, 30));
  p.drawEllipse(QRectF(2, 2, 20, 20));
  p.setPen(QPen(Qt::white, 3, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(8, 8), QPointF(16, 16));
  p.drawLine(QPointF(16, 8), QPointF(8, 16));
}

void drawRefresh(QPainter& p) {
  // The sheet, with a folded corner.
  QPolygonF sheet({{4, 1}, {15, 1}, {20, 6}, {20, 23}, {4, 23}});
  p.setPen(QPen(QColor(110, 110, 110), 1));
  p.setBrush(Qt::white);
  p.drawPolygon(sheet);
  p.drawPolyline(QPolygonF({{15, 1}, {15, 6}, {20, 6}}));
  // Two green arcs chasing each other round the centre, each with a head.
  const QRectF ring(6.5, 7.5, 11, 11);
  p.setPen(QPen(QColor(30, 150, 40), 2.2, Qt::SolidLine, Qt::FlatCap));
  p.setBrush(Qt::NoBrush);
  p.drawArc(ring, 20 * 16, 140 * 16);
  p.drawArc(ring, 200 * 16, 140 * 16);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(30, 150, 40));
  p.drawPolygon(QPolygonF({{5, 12}, {10, 12}, {7.5, 15.5}}));
  p.drawPolygon(QPolygonF({{14, 14}, {19, 14}, {16.5, 10.5}}));
}

void drawHome(QPainter& p) {
  p.setPen(QPen(kOutline, 1));
  p.setBrush(QColor(200, 50, 40));
  p.drawPolygon(QPolygonF({{1.5, 12}, {12, 2}, {22.5, 12}}));
  p.setBrush(QColor(240, 220, 170));
  p.drawRect(QRectF(4.5, 12, 15, 10));
  p.setBrush(QColor(120, 80, 40));
  p.drawRect(QRectF(10, 15, 4, 7));
}

void drawSearch(QPainter& p) {
  // The globe: a blue disc with a meridian and two parallels.
  const QRectF globe(1.5, 1.5, 16, 16);
  p.setPen(QPen(QColor(20, 70, 150), 1));
  p.setBrush(QColor(90, 160, 230));
  p.drawEllipse(globe);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(QColor(230, 240, 255), 1));
  p.drawEllipse(QRectF(6, 1.5, 7, 16));
  p.drawLine(QPointF(2, 9.5), QPointF(17, 9.5));
  p.drawLine(QPointF(3.5, 5.5), QPointF(15.5, 5.5));
  p.drawLine(QPointF(3.5, 13.5), QPointF(15.5, 13.5));
  // The magnifying glass over its lower right.
  p.setPen(QPen(QColor(60, 40, 20), 3, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(17.5, 17.5), QPointF(22, 22));
  p.setPen(QPen(kOutline, 1.5));
  p.setBrush(QColor(255, 255, 255, 170));
  p.drawEllipse(QRectF(10, 10, 9, 9));
}

}  // namespace

QPixmap ToolbarImage(BrowserCommand command) {
  QPixmap image(kToolbarImageSize, kToolbarImageSize);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  switch (command) {
    case BrowserCommand::Back: drawArrow(p, true); break;
    case BrowserCommand::Forward: drawArrow(p, false); break;
    case BrowserCommand::Stop: drawStop(p); break;
    case BrowserCommand::Refresh: drawRefresh(p); break;
    case BrowserCommand::Home: drawHome(p); break;
    case BrowserCommand::Search: drawSearch(p); break;
    case BrowserCommand::None: break;
  }
  return image;
}

}  // namespace viewer
