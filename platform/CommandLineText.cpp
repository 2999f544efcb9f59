#include "platform/CommandLineText.h"

namespace platform {

QStringList SplitCommandLine(const QString& text) {
  QStringList arguments;
  QString current;
  bool inArgument = false;
  bool quoted = false;
  const qsizetype length = text.size();
  for (qsizetype i = 0; i < length;) {
    const QChar c = text[i];
    if (!quoted && (c == u' ' || c == u'\t')) {
      if (inArgument) arguments << current;
      current.clear();
      inArgument = false;
      ++i;
      continue;
    }
    inArgument = true;
    if (c == u'\\') {
      qsizetype backslashes = 0;
      while (i < length && text[i] == u'\\') {
        ++backslashes;
        ++i;
      }
      if (i < length && text[i] == u'"') {
        current += QString(backslashes / 2, u'\\');
        if (backslashes % 2 == 1) {
          current += u'"';
          ++i;
        }
      } else {
        current += QString(backslashes, u'\\');
      }
      continue;
    }
    if (c == u'"') {
      if (quoted && i + 1 < length && text[i + 1] == u'"') {
        current += u'"';
        i += 2;
        continue;
      }
      quoted = !quoted;
      ++i;
      continue;
    }
    current += c;
    ++i;
  }
  if (inArgument) arguments << current;
  return arguments;
}

QString QuotePath(const QString& path) {
  QString quoted = QStringLiteral("\"");
  qsizetype backslashes = 0;
  for (const QChar c : path) {
    if (c == u'\\') {
      ++backslashes;
      continue;
    }
    if (c == u'"') {
      // Each backslash before a literal quote is doubled, and the quote escaped.
      quoted += QString(backslashes * 2 + 1, u'\\');
      quoted += u'"';
    } else {
      quoted += QString(backslashes, u'\\');
      quoted += c;
    }
    backslashes = 0;
  }
  // Backslashes before the closing quote are doubled so they stay literal.
  quoted += QString(backslashes * 2, u'\\');
  quoted += u'"';
  return quoted;
}

}  // namespace platform
