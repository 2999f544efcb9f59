#include "discloom/ConvertProgress.h"

#include <QRegularExpression>
#include <cmath>

namespace discloom {
namespace {

// Plain decimal seconds, as older converters print them.
std::optional<double> ReadPlainSeconds(const QString& text) {
  static const QRegularExpression plain(QStringLiteral(R"(^\d+(\.\d*)?$|^\.\d+$)"));
  if (!plain.match(text).hasMatch()) return std::nullopt;
  return text.toDouble();
}

// "HH:MM:SS.ss", as today's converter prints it.
std::optional<double> ReadClockSeconds(const QString& text) {
  static const QRegularExpression clock(QStringLiteral(R"(^(\d+):([0-5]\d):([0-5]\d(\.\d*)?)$)"));
  const QRegularExpressionMatch match = clock.match(text);
  if (!match.hasMatch()) return std::nullopt;
  return match.captured(1).toDouble() * 3600 + match.captured(2).toDouble() * 60 +
         match.captured(3).toDouble();
}

}  // namespace

std::optional<qint64> ReadProgressSeconds(const QString& line) {
  const qsizetype mark = line.indexOf(QStringLiteral("time="), 0, Qt::CaseInsensitive);
  if (mark < 0) return std::nullopt;
  QString rest = line.mid(mark + 5);
  const qsizetype end = rest.indexOf(QStringLiteral("bitrate"));
  if (end < 0) return std::nullopt;
  rest = rest.left(end).trimmed();

  std::optional<double> value = ReadPlainSeconds(rest);
  if (!value) value = ReadClockSeconds(rest);
  if (!value || !std::isfinite(*value) || *value > 9.0e15) return std::nullopt;
  // The default floating-point rounding mode rounds halves to even.
  return static_cast<qint64>(std::nearbyint(*value));
}

QString FormatTime(qint64 seconds) {
  const auto twoDigits = [](qint64 n) { return QStringLiteral("%1").arg(n, 2, 10, QChar(u'0')); };
  return twoDigits(seconds / 3600) + QStringLiteral("時間") + twoDigits(seconds % 3600 / 60) +
         QStringLiteral("分") + twoDigits(seconds % 3600 % 60) + QStringLiteral("秒");
}

QString SituationTextFor(qint64 seconds) {
  return FormatTime(seconds) + QStringLiteral("までの動画を変換完了");
}

QString OutputPathFor(const QString& saveDir, const QString& source) {
  QString name = source.mid(source.lastIndexOf(u'/') + 1);
  const qsizetype period = name.lastIndexOf(u'.');
  if (period >= 0) name.truncate(period);
  return saveDir + name + QStringLiteral(".mpg");
}

}  // namespace discloom
