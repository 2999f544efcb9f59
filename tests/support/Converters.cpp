#include "tests/support/Converters.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace testing_support {

QString FakeConverterPath() { return QStringLiteral(LOOM_FAKE_CONVERTER); }

QString ConverterFrontPath() { return QStringLiteral(LOOM_CONVERTER_FRONT); }

QString BuiltProgramFolder() {
  QDir libFolder = QFileInfo(ConverterFrontPath()).dir();
  libFolder.cdUp();
  return libFolder.absolutePath();
}

void InstallFakeConverter(const QString& folder) {
  QDir(folder).mkpath(QStringLiteral("lib"));
  QFile::link(FakeConverterPath(), QDir(folder).filePath(QStringLiteral("lib/ffmpeg")));
}

ScopedEnvironment::ScopedEnvironment(const char* name, const QByteArray& value)
    : name_(name), hadValue_(qEnvironmentVariableIsSet(name)), oldValue_(qgetenv(name)) {
  qputenv(name, value);
}

ScopedEnvironment::~ScopedEnvironment() {
  if (hadValue_)
    qputenv(name_, oldValue_);
  else
    qunsetenv(name_);
}

}  // namespace testing_support
