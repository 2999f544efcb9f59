// loom_bench_run "COMMAND LINE": runs one command line through the process
// runner exactly as the programs do (a relative program is found beside this
// executable, so "lib/ffmpeg" is the built front) and prints the milliseconds
// that RunAndWait took and the exit code. Used by the scripts in bench/.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <cstdio>

#include "platform/DosCommand.h"
#include "platform/Prompts.h"

namespace {

// Messages go to standard error; nothing is ever asked.
class ConsolePrompts final : public platform::Prompts {
 public:
  void ShowMessage(const QString& text, const QString&, platform::PromptIcon) override {
    std::fprintf(stderr, "%s\n", qPrintable(text));
  }
  bool AskYesNo(const QString&, const QString&, platform::PromptIcon) override { return false; }
  std::optional<QString> OpenFile(const QString&, const QString&, const QString&) override {
    return {};
  }
  std::optional<QString> SaveFile(const QString&, const QString&, const QString&) override {
    return {};
  }
  std::optional<QString> ChooseFolder(const QString&, const QString&, const QString&) override {
    return {};
  }
};

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication application(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s \"command line\"\n", argv[0]);
    return 2;
  }
  ConsolePrompts prompts;
  platform::TDosCommand runner(prompts);
  runner.CommandLine = QString::fromLocal8Bit(argv[1]);
  QElapsedTimer timer;
  timer.start();
  const int exitCode = runner.RunAndWait();
  std::printf("%lld %d\n", static_cast<long long>(timer.elapsed()), exitCode);
  return exitCode == 0 ? 0 : 1;
}
