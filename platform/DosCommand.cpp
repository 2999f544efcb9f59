#include "platform/DosCommand.h"

#include <signal.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QPointer>
#include <QProcess>
#include <QTimer>
#include <algorithm>
#include <stdexcept>

#include "platform/CommandLineText.h"
#include "platform/ErrorReport.h"

namespace platform {

namespace {

// Output is taken from the process in pieces of this size, so that a flood
// never turns into one huge batch of lines.
constexpr qint64 kReadChunk = 64 * 1024;

// The child leads a session of its own (see RunAndWait), so its process id
// is also the id of the group that holds everything it started.
void KillGroup(QProcess* process) {
  const qint64 pid = process ? process->processId() : 0;
  if (pid > 0) ::kill(static_cast<pid_t>(-pid), SIGKILL);
}

}  // namespace

struct TDosCommand::Run {
  QPointer<QProcess> process;
  LineSplitter splitter;
  QEventLoop* loop = nullptr;  // the waiting loop of this run's RunAndWait
  bool delivering = false;     // output is being handed out (handlers may nest loops)
  bool stopped = false;
  bool exited = false;  // the child has ended
  int childExitCode = 0;
  bool ended = false;  // the end event has been delivered
  int endCode = 0;
};

TDosCommand::TDosCommand(Prompts& prompts, QObject* parent)
    : QObject(parent), prompts_(prompts), programFolder_(QCoreApplication::applicationDirPath()) {}

TDosCommand::~TDosCommand() {
  for (const auto& run : waiting_)
    if (run->loop) run->loop->quit();
  for (QProcess* process : findChildren<QProcess*>()) {
    KillGroup(process);
    process->waitForFinished();  // reaps the killed child before QProcess warns about it
  }
}

void TDosCommand::SetProgramFolder(const QString& folder) { programFolder_ = folder; }

bool TDosCommand::IsRunning() const { return current_ != nullptr; }

QString TDosCommand::ResolveProgram(const QString& program) const {
  return QFileInfo(program).isAbsolute() ? program : QDir(programFolder_).filePath(program);
}

int TDosCommand::RunAndWait() {
  const QString commandLine = CommandLine;
  const QStringList parts = SplitCommandLine(commandLine);
  if (parts.isEmpty()) return 0;
  if (current_) throw std::logic_error("TDosCommand::RunAndWait while a run is in progress");

  auto run = std::make_shared<Run>();
  current_ = run;
  auto* process = new QProcess(this);
  run->process = process;
  process->setProcessChannelMode(QProcess::MergedChannels);
  process->setStandardInputFile(QProcess::nullDevice());
  process->setChildProcessModifier([] { ::setsid(); });
  process->setProgram(ResolveProgram(parts.first()));
  process->setArguments(parts.mid(1));
  connect(process, &QProcess::readyReadStandardOutput, this, [this, run] { Pump(run); });
  connect(process, &QProcess::finished, this,
          [this, run](int exitCode, QProcess::ExitStatus status) {
            run->exited = true;
            run->childExitCode = status == QProcess::CrashExit ? 128 + exitCode : exitCode;
            Pump(run);
          });
  process->start(QIODevice::ReadOnly);

  const QPointer<TDosCommand> self(this);
  if (!process->waitForStarted(-1)) {
    delete process;
    current_.reset();  // nothing runs while the report is shown
    ReportError(prompts_, commandLine + QStringLiteral(" doesn't exist."));
    if (!self) return kNotStarted;
    DeliverEnd(run, kNotStarted);
    return kNotStarted;
  }

  QEventLoop loop;
  run->loop = &loop;
  waiting_.push_back(run);
  if (!run->ended) loop.exec();
  run->loop = nullptr;
  if (!self) return run->ended ? run->endCode : kStopped;
  std::erase(waiting_, run);
  if (!run->ended) {
    // The loop was ended from outside: the application is quitting. The child
    // goes with it.
    if (current_ == run) current_.reset();
    run->stopped = true;
    run->ended = true;
    run->endCode = kStopped;
    KillGroup(run->process);
  }
  return run->endCode;
}

void TDosCommand::Stop() {
  const std::shared_ptr<Run> run = current_;
  if (!run) return;
  current_.reset();
  run->stopped = true;
  KillGroup(run->process);
  // Delivered from the event loop, as the end of a child always is, and
  // without waiting for the killed child to be reaped.
  QTimer::singleShot(0, this, [this, run] { DeliverEnd(run, kStopped); });
}

void TDosCommand::Pump(std::shared_ptr<Run> run) {
  // A line handler that runs an event loop of its own must not see later
  // output before it returns: the outer call goes on reading afterwards.
  if (run->delivering) return;
  run->delivering = true;
  const QPointer<TDosCommand> self(this);
  const auto deliver = [&](const std::vector<OutputLine>& lines) {
    for (const OutputLine& line : lines) {
      if (!self || run->stopped) return;
      DeliverLine(line.text, line.outputType);
    }
  };
  while (!run->stopped && run->process && run->process->bytesAvailable() > 0) {
    deliver(run->splitter.Feed(run->process->read(kReadChunk)));
    if (!self) return;
  }
  if (run->exited && !run->stopped) deliver(run->splitter.Finish());
  if (!self) return;
  run->delivering = false;
  if (!run->exited) return;
  if (run->process) run->process->deleteLater();
  if (!run->stopped) DeliverEnd(run, run->childExitCode);
}

void TDosCommand::DeliverLine(const QString& line, int outputType) {
  const auto handler = OnNewLine;
  if (!handler) return;
  try {
    handler(line, outputType);
  } catch (...) {
    // The line is lost; the run goes on.
  }
}

void TDosCommand::DeliverEnd(const std::shared_ptr<Run>& run, int exitCode) {
  if (run->ended) return;
  run->ended = true;
  run->endCode = exitCode;
  if (current_ == run) current_.reset();
  const auto handler = OnTerminated;
  if (handler) {
    try {
      handler(exitCode);
    } catch (...) {
      // Never let an exception cross the event loop.
    }
  }
  if (run->loop) run->loop->quit();
}

}  // namespace platform
