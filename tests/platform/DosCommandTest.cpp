#include "platform/DosCommand.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTest>
#include <QTimer>
#include <stdexcept>

#include "platform/CommandLineText.h"
#include "platform/LineSplitter.h"
#include "tests/support/Converters.h"
#include "tests/support/ScriptedPrompts.h"
#include "tests/support/TempFolder.h"

namespace {

using platform::kWholeLine;
using platform::TDosCommand;
using testing_support::ScopedEnvironment;

// Fields of /proc/PID/stat after the command name: state, ppid, pgrp, ...
QList<QByteArray> StatFields(const QString& pid) {
  QFile stat("/proc/" + pid + "/stat");
  if (!stat.open(QIODevice::ReadOnly)) return {};
  const QByteArray text = stat.readAll();
  return text.mid(text.lastIndexOf(')') + 2).split(' ');
}

int ProcessGroupOf(qint64 pid) {
  const auto fields = StatFields(QString::number(pid));
  return fields.size() > 2 ? fields[2].toInt() : -1;
}

// Processes of the group that have not ended (zombies count as ended).
int LiveProcessesInGroup(int group) {
  int live = 0;
  for (const QString& entry : QDir("/proc").entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
    const auto fields = StatFields(entry);
    if (fields.size() > 2 && fields[2].toInt() == group && fields[0] != "Z") ++live;
  }
  return live;
}

class DosCommandTest : public ::testing::Test {
 protected:
  DosCommandTest() {
    testing_support::InstallFakeConverter(folder.Path());
    runner.SetProgramFolder(folder.Path());
    runner.OnNewLine = [this](const QString& line, int outputType) {
      if (outputType == kWholeLine) events.push_back("line " + line);
    };
    runner.OnTerminated = [this](int exitCode) {
      events.push_back("end " + QString::number(exitCode));
    };
  }

  int Run(const QByteArray& script) {
    const ScopedEnvironment environment("FAKE_CONVERTER_SCRIPT", script);
    if (runner.CommandLine.isEmpty())
      runner.CommandLine = "lib/ffmpeg -y -i " + platform::QuotePath(folder("in.mpg")) + " " +
                           platform::QuotePath(folder("out.mpg"));
    return runner.RunAndWait();
  }

  testing_support::TempFolder folder;
  testing_support::ScriptedPrompts prompts;
  TDosCommand runner{prompts};
  QStringList events;
};

TEST_F(DosCommandTest, DeliversLinesInOrderThenTheEnd) {
  bool runningDuringLine = false;
  runner.OnNewLine = [&](const QString& line, int outputType) {
    runningDuringLine = runner.IsRunning();
    if (outputType == kWholeLine) events.push_back("line " + line);
  };
  EXPECT_EQ(Run("out:banner\\n\n"
                "out:frame=    1 time=0.50 bitrate=1\\r\n"
                "sleep:20\n"
                "out:frame=    2 time=1.00 bitrate=1\\r\\n\n"
                "err:warning on stderr\\n\n"
                "write\n"
                "exit:3"),
            3);
  EXPECT_EQ(events, QStringList({"line banner", "line frame=    1 time=0.50 bitrate=1",
                                 "line frame=    2 time=1.00 bitrate=1", "line warning on stderr",
                                 "end 3"}));
  EXPECT_TRUE(runningDuringLine);
  EXPECT_FALSE(runner.IsRunning());
  QFile output(folder("out.mpg"));
  ASSERT_TRUE(output.open(QIODevice::ReadOnly));
  EXPECT_EQ(output.readAll(), "fake output");
}

TEST_F(DosCommandTest, EndsWithTheChildsExitCode) {
  const struct {
    const char* script;
    int exitCode;
  } cases[] = {
      {"exit:0", 0}, {"exit:1", 1}, {"exit:255", 255}, {"signal:9", 137}, {"signal:15", 143}};
  for (const auto& c : cases) {
    events.clear();
    EXPECT_EQ(Run(c.script), c.exitCode) << c.script;
    EXPECT_EQ(events, QStringList{"end " + QString::number(c.exitCode)}) << c.script;
  }
}

TEST_F(DosCommandTest, StopKillsTheWholeGroupAndEndsWith259) {
  qint64 grandchild = 0;
  int group = -1;
  int liveBeforeStop = 0;
  bool runningAfterStop = true;
  runner.OnNewLine = [&](const QString& line, int outputType) {
    if (outputType != kWholeLine) return;
    events.push_back("line " + line);
    if (line.startsWith("spawned=")) grandchild = line.mid(8).toLongLong();
    if (line.startsWith("frame=")) {
      group = ProcessGroupOf(grandchild);
      liveBeforeStop = LiveProcessesInGroup(group);
      runner.Stop();
      runningAfterStop = runner.IsRunning();
    }
  };
  EXPECT_EQ(Run("spawn\nout:frame=1 time=1.00 bitrate=1\\r\\nnot delivered after stop\\n\nhang"),
            TDosCommand::kStopped);
  EXPECT_FALSE(runningAfterStop);
  EXPECT_EQ(events.size(), 3);
  EXPECT_EQ(events.last(), "end 259");
  EXPECT_NE(group, getpgrp());  // the child leads a group of its own
  EXPECT_EQ(liveBeforeStop, 2);
  EXPECT_TRUE(QTest::qWaitFor([&] { return LiveProcessesInGroup(group) == 0; }, 10000));
}

TEST_F(DosCommandTest, ThrowingHandlersLoseOnlyTheirLine) {
  runner.OnNewLine = [&](const QString& line, int outputType) {
    if (outputType != kWholeLine) return;
    if (line == "b") throw std::runtime_error("handler failed");
    events.push_back("line " + line);
  };
  runner.OnTerminated = [](int) { throw std::runtime_error("end handler failed"); };
  EXPECT_EQ(Run("out:a\\nb\\nc\\n"), 0);
  EXPECT_EQ(events, QStringList({"line a", "line c"}));
  EXPECT_FALSE(runner.IsRunning());
}

TEST_F(DosCommandTest, EmptyCommandLineStartsNothing) {
  for (const QString commandLine : {"", " \t "}) {
    runner.CommandLine = commandLine;
    EXPECT_EQ(runner.RunAndWait(), 0);
    EXPECT_TRUE(events.isEmpty());
    EXPECT_FALSE(runner.IsRunning());
  }
}

TEST_F(DosCommandTest, MissingProgramIsReportedAndEndsTheRun) {
  prompts.ExpectMessage();
  runner.CommandLine = "lib/missing -y -i \"/in.mpg\" \"/out.mpg\"";
  const int exitCode = runner.RunAndWait();
  EXPECT_NE(exitCode, 0);
  EXPECT_EQ(events, QStringList{"end " + QString::number(exitCode)});
  ASSERT_EQ(prompts.Shown().size(), 1u);
  EXPECT_EQ(prompts.Shown()[0].text, "lib/missing -y -i \"/in.mpg\" \"/out.mpg\" doesn't exist.");
  EXPECT_FALSE(runner.IsRunning());
}

TEST_F(DosCommandTest, NextRunMayStartFromTheEndEvent) {
  bool runningDuringSecond = false;
  int nestedResult = -1;
  runner.CommandLine = "lib/ffmpeg -i \"first\"";
  runner.OnNewLine = [&](const QString& line, int outputType) {
    if (outputType != kWholeLine) return;
    events.push_back("line " + line);
    if (line == "one") {
      EXPECT_THROW(runner.RunAndWait(), std::logic_error);
    }
    if (line == "two") runningDuringSecond = runner.IsRunning();
  };
  runner.OnTerminated = [&](int exitCode) {
    events.push_back("end " + QString::number(exitCode));
    if (exitCode != 5) return;
    EXPECT_FALSE(runner.IsRunning());
    runner.CommandLine = "lib/ffmpeg -i \"second\"";
    nestedResult = runner.RunAndWait();
  };
  EXPECT_EQ(Run("only:first\nout:one\\n\nexit:5\nonly:second\nout:two\\n\nexit:0"), 5);
  EXPECT_EQ(nestedResult, 0);
  EXPECT_EQ(events, QStringList({"line one", "end 5", "line two", "end 0"}));
  EXPECT_TRUE(runningDuringSecond);
  EXPECT_FALSE(runner.IsRunning());
}

TEST_F(DosCommandTest, FloodingChildLeavesTheEventLoopLive) {
  // The child writes progress lines without pause for far longer than the
  // test runs; a timer started with the first line must still get its turn.
  qint64 bytes = 0;
  bool timerFired = false;
  runner.OnNewLine = [&](const QString& line, int) {
    if (bytes == 0) {
      QTimer::singleShot(0, &runner, [&] {
        timerFired = true;
        runner.Stop();
      });
    }
    bytes += line.size() + 1;
    if (bytes > (qint64(256) << 20)) runner.Stop();  // the timer never came
  };
  EXPECT_EQ(Run("repeat:2000000000:frame=    1 time=0.50 bitrate=1\\r"), TDosCommand::kStopped);
  EXPECT_TRUE(timerFired);
}

TEST_F(DosCommandTest, LineWithoutEndArrivesInBoundedPieces) {
  QString xs;
  qsizetype longest = 0;
  runner.OnNewLine = [&](const QString& line, int outputType) {
    longest = std::max(longest, line.size());
    if (outputType != kWholeLine) return;
    if (line.startsWith('x'))
      xs += line;
    else
      events.push_back("line " + line);
  };
  EXPECT_EQ(Run("repeat:1048576:x\nout:\\nend\\n"), 0);
  EXPECT_EQ(xs, QString(1 << 20, 'x'));
  EXPECT_LE(longest, platform::LineSplitter::kDefaultMaxLineBytes);
  EXPECT_EQ(events, QStringList({"line end", "end 0"}));
}

}  // namespace
