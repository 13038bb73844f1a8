// The current date and time.
#pragma once

#include <QDateTime>

namespace platform {

class Clock {
 public:
  virtual ~Clock() = default;
  virtual QDateTime now() const = 0;
};

class SystemClock final : public Clock {
 public:
  QDateTime now() const override { return QDateTime::currentDateTime(); }
};

}  // namespace platform
