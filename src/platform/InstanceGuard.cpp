#include "platform/InstanceGuard.h"

#include <QDir>
#include <QLockFile>
#include <QStandardPaths>

namespace platform {

LockFileInstanceGuard::LockFileInstanceGuard(QString executableName)
    : executableName_(std::move(executableName)) {}

LockFileInstanceGuard::~LockFileInstanceGuard() = default;

QString LockFileInstanceGuard::lockFilePath() const {
  QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
  if (folder.isEmpty()) folder = QDir::tempPath();
  return QDir(folder).filePath(executableName_ + ".lock");
}

bool LockFileInstanceGuard::acquire() {
  lock_ = std::make_unique<QLockFile>(lockFilePath());
  // A lock whose process no longer exists is removed by tryLock; the stale
  // time guards against a lock file from a recycled process id of another
  // program being taken as ours forever.
  lock_->setStaleLockTime(0);
  return lock_->tryLock(0);
}

}  // namespace platform
