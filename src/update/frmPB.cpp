#include "update/frmPB.h"

#include "platform/Brand.h"
#include "platform/Look.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QProgressBar>
#include <QShowEvent>
#include <QTimer>

namespace update {

namespace {

const QString kWaitText = QStringLiteral("Please wait while Dictionary is Updating ....");

}  // namespace

QIcon progressIcon() {
  QPixmap pixmap(32, 32);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  // A sheet of paper with a half-filled bar across it.
  painter.setPen(QPen(QColor(64, 64, 64), 1));
  painter.setBrush(QColor(255, 255, 255));
  painter.drawRoundedRect(QRectF(3.5, 5.5, 25, 21), 2, 2);
  painter.setBrush(QColor(230, 230, 230));
  painter.drawRect(QRectF(6.5, 13.5, 19, 6));
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(0, 120, 215));
  painter.drawRect(QRectF(7, 14, 10, 5));
  painter.end();
  return QIcon(pixmap);
}

frmPB::frmPB(QWidget* parent, std::chrono::milliseconds tickInterval)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      tickInterval_(tickInterval) {
  setObjectName(QStringLiteral("frmPB"));
  setWindowTitle(brand::kProgramCaption);
  setWindowIcon(progressIcon());
  setFont(platform::standardFont());
  // Fixed positions in logical pixels; the contents never resize.
  setFixedSize(395, 87);

  Label1 = new QLabel(kWaitText, this);
  Label1->setObjectName(QStringLiteral("Label1"));
  Label1->setTextFormat(Qt::PlainText);
  Label1->setGeometry(74, 16, 246, 13);

  PB = new QProgressBar(this);
  PB->setObjectName(QStringLiteral("PB"));
  PB->setOrientation(Qt::Horizontal);
  PB->setTextVisible(false);
  PB->setRange(0, 100);
  PB->setValue(0);
  PB->setGeometry(13, 48, 368, 20);

  Timer1 = new QTimer(this);
  Timer1->setObjectName(QStringLiteral("Timer1"));
  connect(Timer1, &QTimer::timeout, this, &frmPB::Timer1Timer);
}

void frmPB::showModal() { exec(); }

void frmPB::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!event->spontaneous()) FormLoad();
}

void frmPB::FormLoad() {
  closing_ = false;
  ProgressMax = 50;
  PrepareProgressBar();
  Timer1->stop();
  Timer1->setInterval(tickInterval_);
  PB->show();
  Timer1->start();
}

void frmPB::PrepareProgressBar() {
  // The window is reused rather than recreated, so the bar is emptied here:
  // every showing starts from an empty bar.
  PB->setRange(0, ProgressMax);
  PB->setValue(0);
  PB->hide();
}

void frmPB::Timer1Timer() {
  if (ProgressTicks == ProgressMax) {
    Timer1->stop();
    ProgressTicks = 0;
    PB->hide();
    closing_ = true;
    done(QDialog::Accepted);
    return;
  }
  ++ProgressTicks;
  PB->setValue(ProgressTicks);
}

// The window runs by time alone: neither Escape nor the window manager's
// close closes it before the closing tick, so the count always ends at 0.
void frmPB::closeEvent(QCloseEvent* event) {
  if (closing_)
    QDialog::closeEvent(event);
  else
    event->ignore();
}

void frmPB::reject() {
  if (closing_) QDialog::reject();
}

}  // namespace update
