#pragma once

#include <QString>

namespace platform {

// A per-user lock named after `name`. The system releases it when the
// holding process ends in any way, so a killed instance never blocks the
// next start. The lock is held for the lifetime of this object.
class SingleInstanceLock {
 public:
  // `folder` overrides where the lock file lives (tests); by default the
  // user's runtime folder, or /tmp with the user id in the file name.
  explicit SingleInstanceLock(const QString& name, const QString& folder = QString());
  ~SingleInstanceLock();
  SingleInstanceLock(const SingleInstanceLock&) = delete;
  SingleInstanceLock& operator=(const SingleInstanceLock&) = delete;

  // True when this process now holds the lock; false when another does.
  // A lock file that cannot be opened at all counts as held by us, so that
  // an odd runtime folder never keeps the program from starting.
  bool TryTake();

  QString LockFilePath() const { return path_; }

 private:
  QString path_;
  int fd_ = -1;
};

}  // namespace platform
