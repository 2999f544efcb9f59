#include "tests/support/MediaMaker.h"

#include <QProcess>

namespace testing_support {

QString SystemFfmpeg() { return QStringLiteral(LOOM_SYSTEM_FFMPEG); }
QString SystemFfprobe() { return QStringLiteral(LOOM_SYSTEM_FFPROBE); }

bool MakeClip(const QString& path, const ClipOptions& options, QString* log) {
  const QString size = QString::number(options.width) + u'x' + QString::number(options.height);
  const QString seconds = QString::number(options.seconds);
  QStringList arguments = {"-hide_banner",
                           "-loglevel",
                           "error",
                           "-y",
                           "-f",
                           "lavfi",
                           "-i",
                           "testsrc=size=" + size + ":rate=" + QString::number(options.fps) +
                               ":duration=" + seconds +
                               ":decimals=" + QString::number(options.counterDecimals)};
  if (options.audio) {
    arguments << "-f"
              << "lavfi"
              << "-i"
              << "sine=frequency=440:sample_rate=48000:duration=" + seconds;
  }
  arguments << options.outputOptions << "-shortest" << path;
  QProcess ffmpeg;
  ffmpeg.setProcessChannelMode(QProcess::MergedChannels);
  ffmpeg.start(SystemFfmpeg(), arguments);
  const bool finished = ffmpeg.waitForFinished(120000);
  if (log) *log = QString::fromUtf8(ffmpeg.readAll());
  return finished && ffmpeg.exitStatus() == QProcess::NormalExit && ffmpeg.exitCode() == 0;
}

QString Probe(const QString& path, const QString& entry, const QString& stream) {
  QStringList arguments = {"-v", "error"};
  if (!stream.isEmpty()) arguments << "-select_streams" << stream;
  arguments << "-show_entries" << entry << "-of"
            << "default=noprint_wrappers=1:nokey=1" << path;
  QProcess ffprobe;
  ffprobe.start(SystemFfprobe(), arguments);
  ffprobe.waitForFinished(60000);
  return QString::fromUtf8(ffprobe.readAllStandardOutput()).trimmed();
}

}  // namespace testing_support
