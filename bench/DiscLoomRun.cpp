// Drives one DiscLoom run headless for the benchmark: queues the files given
// after the save folder, presses the convert button, answers every box with
// OK, and prints "<milliseconds> <peak resident KiB> <states...>".
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QTableWidget>
#include <cstdio>

#include "discloom/UnitMain.h"
#include "platform/DosCommand.h"
#include "platform/Prompts.h"

namespace {

class OkPrompts final : public platform::Prompts {
 public:
  void ShowMessage(const QString&, const QString&, platform::PromptIcon) override {}
  bool AskYesNo(const QString&, const QString&, platform::PromptIcon) override { return true; }
  std::optional<QString> OpenFile(const QString&, const QString&, const QString&) override {
    return std::nullopt;
  }
  std::optional<QString> SaveFile(const QString&, const QString&, const QString&) override {
    return std::nullopt;
  }
  std::optional<QString> ChooseFolder(const QString&, const QString&, const QString&) override {
    return std::nullopt;
  }
};

// The process's peak resident memory in KiB, from /proc.
QByteArray PeakResidentKiB() {
  QFile status(QStringLiteral("/proc/self/status"));
  if (!status.open(QIODevice::ReadOnly)) return "?";
  for (const QByteArray& line : status.readAll().split('\n')) {
    if (line.startsWith("VmHWM:")) return line.mid(6).trimmed().split(' ').value(0);
  }
  return "?";
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  if (argc < 3) {
    std::fprintf(stderr, "usage: %s SAVE_DIR SOURCE...\n", argv[0]);
    return 2;
  }
  OkPrompts prompts;
  discloom::TFormMain window(prompts);
  window.EditSaveDir->setText(QString::fromLocal8Bit(argv[1]));
  for (int i = 2; i < argc; ++i) window.AddConvertFile(QString::fromLocal8Bit(argv[i]));
  window.RefreshFileList();

  QElapsedTimer timer;
  timer.start();
  window.BtnConvertClick();
  const qint64 elapsed = timer.elapsed();

  std::printf("%lld %s", static_cast<long long>(elapsed), PeakResidentKiB().constData());
  for (int i = 0; i < window.ListViewConvertFile->rowCount(); ++i) {
    std::printf(" %s", window.ListViewConvertFile->item(i, 1)->text().toUtf8().constData());
  }
  std::printf("\n");
  return 0;
}
