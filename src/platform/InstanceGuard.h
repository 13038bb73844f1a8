// Whether another copy of this program is already running.
#pragma once

#include <QString>

#include <memory>

class QLockFile;

namespace platform {

class InstanceGuard {
 public:
  virtual ~InstanceGuard() = default;
  // True when this copy is the only one; it then holds the guard until it
  // ends. False when another running copy holds it.
  virtual bool acquire() = 0;
};

// A lock file in the per-user runtime folder named after the executable. A
// lock left by a copy that crashed is recognised as stale and taken over.
class LockFileInstanceGuard final : public InstanceGuard {
 public:
  explicit LockFileInstanceGuard(QString executableName);
  ~LockFileInstanceGuard() override;
  bool acquire() override;
  QString lockFilePath() const;

 private:
  QString executableName_;
  std::unique_ptr<QLockFile> lock_;
};

}  // namespace platform
