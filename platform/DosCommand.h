#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

#include "platform/LineSplitter.h"  // OutputType

namespace platform {

class Prompts;

// Runs one console program at a time and hands its output to the GUI thread
// line by line.
//
// - `CommandLine` is one text, program first; it is split by the Windows rules
//   (SplitCommandLine) and the program is started directly, never through a
//   shell. A relative program path is resolved against the program folder
//   (the folder of the running executable unless SetProgramFolder says
//   otherwise).
// - Standard output and standard error feed one pipe; stdin is empty. The
//   output is split as LineSplitter says; every piece reaches `OnNewLine` on
//   the GUI thread, in order. An exception escaping `OnNewLine` loses that
//   line and nothing else.
// - `OnTerminated` comes once per run on the GUI thread, after the last line,
//   with the child's exit code (128 + the signal number for a child killed by a
//   signal); after Stop with kStopped. A new RunAndWait may be started from
//   inside it; from then on IsRunning and Stop refer to the new child.
// - A program that cannot be started is reported through ReportError as the
//   command line followed by " doesn't exist.", and the run ends at once with
//   kNotStarted.
// - Every child runs in a session of its own, so that Stop can end the whole
//   process group: no converter outlives a cancel.
class TDosCommand : public QObject {
  Q_OBJECT

 public:
  // Exit code delivered after Stop: the system's "still active" code.
  static constexpr int kStopped = 259;
  // Exit code delivered when the program could not be started.
  static constexpr int kNotStarted = 127;

  explicit TDosCommand(Prompts& prompts, QObject* parent = nullptr);
  ~TDosCommand() override;

  // The whole command line of the next run.
  QString CommandLine;
  // (line without its end, OutputType: kWholeLine or kLineBeginning)
  std::function<void(const QString& line, int outputType)> OnNewLine;
  std::function<void(int exitCode)> OnTerminated;

  // Starts CommandLine and keeps the GUI thread processing events until the
  // end event has been delivered (after Stop: at the next turn of the event
  // loop, whether or not the child has gone yet). Returns the exit code.
  // An empty command line starts nothing and returns 0 without events.
  int RunAndWait();

  // Kills the running child and everything it started. IsRunning is false
  // from the moment this returns; OnTerminated(kStopped) follows.
  void Stop();

  bool IsRunning() const;

  void SetProgramFolder(const QString& folder);

 private:
  struct Run;

  QString ResolveProgram(const QString& program) const;
  void Pump(std::shared_ptr<Run> run);
  void DeliverLine(const QString& line, int outputType);
  void DeliverEnd(const std::shared_ptr<Run>& run, int exitCode);

  Prompts& prompts_;
  QString programFolder_;
  std::shared_ptr<Run> current_;
  // Runs whose RunAndWait is still waiting, outermost first.
  std::vector<std::shared_ptr<Run>> waiting_;
};

}  // namespace platform
