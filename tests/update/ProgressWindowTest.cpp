// The progress window: its design, and a run of ticks from an empty bar to
// the closing tick, twice in a row.
#include "update/frmPB.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QProgressBar>
#include <QTimer>

namespace {

using update::frmPB;

TEST(ProgressWindowDesign, CaptionTextAndPlaces) {
  frmPB window;
  EXPECT_EQ(window.objectName(), "frmPB");
  EXPECT_EQ(window.windowTitle(), "Ostrelda v1.85");
  EXPECT_FALSE(window.windowIcon().isNull());
  EXPECT_EQ(window.font().pointSizeF(), 8.25);
  EXPECT_EQ(window.size(), QSize(395, 87));
  EXPECT_EQ(window.Label1->text(), "Please wait while Dictionary is Updating ....");
  EXPECT_EQ(window.Label1->geometry(), QRect(74, 16, 246, 13));
  EXPECT_EQ(window.PB->geometry(), QRect(13, 48, 368, 20));
  EXPECT_EQ(window.PB->orientation(), Qt::Horizontal);
  EXPECT_EQ(window.PB->minimum(), 0);
  EXPECT_EQ(window.PB->value(), 0);
  EXPECT_FALSE(window.Timer1->isActive());
}

TEST(ProgressWindowDesign, HasAnIconOfItsOwn) {
  const QIcon own = update::progressIcon();
  EXPECT_FALSE(own.isNull());
  EXPECT_TRUE(own.availableSizes().contains(QSize(32, 32)));
}

// Drives the ticks by hand: the bar is visible and empty after loading, 1 of
// 50 after the first tick, full after the fiftieth; the fifty-first hides the
// bar and closes the window; a second showing starts again from empty.
TEST(ProgressWindow, FillsInFiftyTicksAndClosesOnTheFiftyFirst) {
  frmPB window;
  for (int showing = 1; showing <= 2; ++showing) {
    SCOPED_TRACE(showing);
    window.show();
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(window.PB->isVisible());
    EXPECT_EQ(window.PB->maximum(), 50);
    EXPECT_EQ(window.PB->value(), 0);
    EXPECT_EQ(window.progressTicks(), 0);
    EXPECT_TRUE(window.Timer1->isActive());
    EXPECT_EQ(window.Timer1->interval(), 100);

    window.Timer1Timer();
    EXPECT_EQ(window.PB->value(), 1);
    for (int tick = 2; tick <= 50; ++tick) window.Timer1Timer();
    EXPECT_EQ(window.PB->value(), 50);
    EXPECT_EQ(window.progressTicks(), 50);
    EXPECT_TRUE(window.isVisible());

    window.Timer1Timer();
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(window.PB->isHidden());
    EXPECT_FALSE(window.Timer1->isActive());
    EXPECT_EQ(window.progressTicks(), 0);
  }
}

// Shown modally, the window ends the showing by itself after 51 ticks of its
// timer, and the user cannot close it earlier.
TEST(ProgressWindow, ModalShowingReturnsAfterFiftyOneTicks) {
  frmPB window(nullptr, std::chrono::milliseconds(1));
  for (int showing = 1; showing <= 2; ++showing) {
    SCOPED_TRACE(showing);
    int ticks = 0;
    int firstValue = -1;
    bool escapeIgnored = false;
    auto counter = QObject::connect(window.Timer1, &QTimer::timeout, [&] {
      ++ticks;
      if (ticks == 1) firstValue = window.PB->value();
      if (ticks == 10) {
        window.reject();
        window.close();
        escapeIgnored = window.isVisible();
      }
    });
    window.showModal();
    QObject::disconnect(counter);
    EXPECT_EQ(ticks, 51);
    EXPECT_EQ(firstValue, 1);
    EXPECT_TRUE(escapeIgnored);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.progressTicks(), 0);
  }
}

}  // namespace
