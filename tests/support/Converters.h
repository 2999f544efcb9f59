#pragma once

#include <QByteArray>
#include <QString>

namespace testing_support {

// The fake converter built from tests/fixtures/fake_converter.cpp (its
// header comment documents the script).
QString FakeConverterPath();

// The built converter front lib/ffmpeg, and the folder of the built programs
// that holds it: a runner whose program folder is this runs "lib/ffmpeg" as
// the real front.
QString ConverterFrontPath();
QString BuiltProgramFolder();

// Makes `folder`/lib/ffmpeg a link to the fake converter, so that a runner
// whose program folder is `folder` runs the fake for "lib/ffmpeg".
void InstallFakeConverter(const QString& folder);

// Sets an environment variable for every process started while it lives, and
// restores the previous state afterwards. Used for FAKE_CONVERTER_SCRIPT and
// for LOOM_FFMPEG, which points the front at another converter.
class ScopedEnvironment {
 public:
  ScopedEnvironment(const char* name, const QByteArray& value);
  ~ScopedEnvironment();
  ScopedEnvironment(const ScopedEnvironment&) = delete;
  ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

 private:
  const char* name_;
  bool hadValue_;
  QByteArray oldValue_;
};

}  // namespace testing_support
