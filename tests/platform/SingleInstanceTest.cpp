#include "platform/SingleInstance.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QTemporaryDir>

namespace {

// Starts a child process that takes the lock, reports through a pipe and
// then waits to be killed.
pid_t StartLockHolder(const QString& folder) {
  int ready[2];
  if (pipe(ready) != 0) return -1;
  const pid_t pid = fork();
  if (pid == 0) {
    close(ready[0]);
    platform::SingleInstanceLock lock(QStringLiteral("LOOM_TEST_RUNNING"), folder);
    const char taken = lock.TryTake() ? '1' : '0';
    if (write(ready[1], &taken, 1) != 1) _exit(2);
    for (;;) pause();
  }
  close(ready[1]);
  char taken = 0;
  const bool ok = read(ready[0], &taken, 1) == 1 && taken == '1';
  close(ready[0]);
  return ok ? pid : -1;
}

TEST(SingleInstanceLock, HeldByAnotherProcessUntilItIsKilled) {
  QTemporaryDir folder;
  const pid_t holder = StartLockHolder(folder.path());
  ASSERT_GT(holder, 0);

  platform::SingleInstanceLock second(QStringLiteral("LOOM_TEST_RUNNING"), folder.path());
  EXPECT_FALSE(second.TryTake());

  kill(holder, SIGKILL);
  int status = 0;
  waitpid(holder, &status, 0);

  // The lock file stays behind, but it no longer blocks a start.
  EXPECT_TRUE(QFile::exists(second.LockFilePath()));
  EXPECT_TRUE(second.TryTake());
}

TEST(SingleInstanceLock, OtherNamesAreIndependent) {
  QTemporaryDir folder;
  platform::SingleInstanceLock clip(QStringLiteral("CLIP_LOOM_RUNNING"), folder.path());
  platform::SingleInstanceLock disc(QStringLiteral("DISCLOOM_RUNNING"), folder.path());
  EXPECT_TRUE(clip.TryTake());
  EXPECT_TRUE(disc.TryTake());
}

}  // namespace
