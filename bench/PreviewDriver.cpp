// Drives the editor's preview outside the tests, for the benchmark script and
// for looking at the window:
//   bench_preview times CLIP T1 T2 ...   median open and exact-seek times
//   bench_preview memory CLIP            peak memory with CLIP loaded and playing
//   bench_preview screenshot CLIP PNG    the main window playing CLIP, as a picture
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTableWidget>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "cliploom/UnitFormMain.h"
#include "cliploom/ZoMediaPlayer.h"
#include "platform/MpvDevice.h"
#include "platform/QtPrompts.h"
#include "platform/WindowStyle.h"

namespace {

std::unique_ptr<platform::MpvDevice> SilentDevice() {
  return std::make_unique<platform::MpvDevice>(platform::MpvDevice::Options{.audio = false});
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

void RunEventsFor(int ms) {
  QEventLoop loop;
  QTimer::singleShot(ms, &loop, &QEventLoop::quit);
  loop.exec();
}

int Times(const QString& clip, const QStringList& targets) {
  cliploom::TZoMediaPlayer player(SilentDevice());
  player.SetFileName(clip);
  std::vector<double> opens;
  std::vector<double> seeks;
  QElapsedTimer clock;
  for (const QString& target : targets) {
    clock.start();
    player.Open();
    opens.push_back(clock.nsecsElapsed() / 1e6);
    const int ms = qRound(target.toDouble() * 1000);
    clock.start();
    player.SetPosition(ms);
    seeks.push_back(clock.nsecsElapsed() / 1e6);
    std::printf("target %d ms landed %d ms\n", ms, player.Position());
    player.Close();
  }
  std::printf("open_ms %.1f\nseek_ms %.1f\n", Median(opens), Median(seeks));
  return 0;
}

long PeakKilobytes() {
  QFile status(QStringLiteral("/proc/self/status"));
  if (!status.open(QIODevice::ReadOnly)) return -1;
  for (const QByteArray& line : status.readAll().split('\n')) {
    if (line.startsWith("VmHWM:")) return line.mid(6).trimmed().split(' ').first().toLong();
  }
  return -1;
}

std::unique_ptr<cliploom::TFormMain> LoadedWindow(platform::QtPrompts& prompts,
                                                  const QString& clip) {
  auto window = std::make_unique<cliploom::TFormMain>(prompts, SilentDevice());
  window->show();
  platform::CenterWindow(*window);
  window->AddSorceMov(clip);
  window->LVSorceMov->selectRow(0);
  window->LVSorceMovDblClick();
  return window;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("ClipLoom"));
  platform::UseIconTheme();
  QApplication::setFont(platform::JapaneseUiFont());
  const QStringList args = QApplication::arguments();
  if (args.size() >= 4 && args[1] == "times") return Times(args[2], args.mid(3));
  platform::QtPrompts prompts;
  if (args.size() == 3 && args[1] == "memory") {
    auto window = LoadedWindow(prompts, args[2]);
    RunEventsFor(3000);
    std::printf("peak_kb %ld\n", PeakKilobytes());
    return 0;
  }
  if (args.size() == 4 && args[1] == "screenshot") {
    auto window = LoadedWindow(prompts, args[2]);
    RunEventsFor(1500);
    return window->grab().save(args[3]) ? 0 : 1;
  }
  std::fprintf(stderr, "usage: %s times CLIP T... | memory CLIP | screenshot CLIP PNG\n", argv[0]);
  return 2;
}
