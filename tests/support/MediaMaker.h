#pragma once

#include <QString>
#include <QStringList>

namespace testing_support {

// Makes small test clips with the system ffmpeg from its synthetic sources:
// a moving test picture (with a frame counter) and a sine tone.
struct ClipOptions {
  double seconds = 3.0;
  int width = 160;
  int height = 120;
  double fps = 25.0;
  bool audio = true;
  // Decimals of the seconds counter in the picture; with 2, every frame at
  // 25 fps shows a number of its own, so that frames can be told apart.
  int counterDecimals = 0;
  // Output options placed before the file name, e.g. {"-c:v", "mpeg1video"}.
  // Empty: ffmpeg picks codecs from the file extension.
  QStringList outputOptions;
};

// Writes the clip to `path`; returns false (and ffmpeg's output in `log`)
// when ffmpeg failed.
bool MakeClip(const QString& path, const ClipOptions& options, QString* log = nullptr);

// Runs the system ffprobe and returns one entry value, e.g.
// Probe(file, "format=duration") or Probe(file, "stream=codec_name", "v:0").
QString Probe(const QString& path, const QString& entry, const QString& stream = QString());

// Path of the system ffmpeg and ffprobe found when the build was configured.
QString SystemFfmpeg();
QString SystemFfprobe();

}  // namespace testing_support
