// The progress window shown after a dictionary update: a line of text and a
// bar that fills in fixed steps of its own timer, then closes itself. It
// knows nothing of the rows merged; its duration is the same for every
// update (51 ticks).
#pragma once

#include <QDialog>

#include <chrono>

class QLabel;
class QProgressBar;
class QTimer;

namespace update {

class frmPB : public QDialog {
  Q_OBJECT
 public:
  static constexpr std::chrono::milliseconds kTickInterval{100};

  // `tickInterval` is the period of Timer1; tests pass a shorter one.
  explicit frmPB(QWidget* parent = nullptr,
                 std::chrono::milliseconds tickInterval = kTickInterval);

  // Shows the window modally; returns once the closing tick has closed it.
  void showModal();

  // One tick of Timer1 (called by the timer; tests may call it directly).
  void Timer1Timer();

  // Escape: ignored until the closing tick.
  void reject() override;

  qint16 progressMax() const { return ProgressMax; }
  qint16 progressTicks() const { return ProgressTicks; }

  QLabel* Label1;
  QProgressBar* PB;
  QTimer* Timer1;

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void FormLoad();
  void PrepareProgressBar();

  std::chrono::milliseconds tickInterval_;
  qint16 ProgressMax = 50;
  // Kept between showings; only the closing tick sets it back to 0.
  qint16 ProgressTicks = 0;
  // Set by the closing tick: the only way the window closes.
  bool closing_ = false;
};

// The window's own icon: a small progress bar, drawn at 32 x 32.
QIcon progressIcon();

}  // namespace update
