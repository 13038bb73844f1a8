// Lets the event loop run until a condition holds, for tests that wait on a
// real browser or process.
#pragma once

#include <QElapsedTimer>
#include <QTest>

#include <functional>

namespace testsupport {

// True once `done` holds; false when `ms` milliseconds pass first.
inline bool waitFor(const std::function<bool()>& done, int ms = 20000) {
  QElapsedTimer clock;
  clock.start();
  while (!done()) {
    if (clock.elapsed() > ms) return false;
    QTest::qWait(20);
  }
  return true;
}

}  // namespace testsupport
