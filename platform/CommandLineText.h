#pragma once

#include <QString>
#include <QStringList>

namespace platform {

// Command lines are handed around as one text, as on Windows, and split into
// the program and its arguments by the Windows rules before a process is
// started directly (never through a shell):
// - blanks and tabs outside double quotes separate arguments;
// - a double quote switches quoting on and off; inside quotes two double
//   quotes in a row give one literal double quote;
// - 2n backslashes before a double quote give n backslashes (the quote then
//   acts as above), 2n+1 give n backslashes and a literal double quote;
// - other backslashes are literal.
QStringList SplitCommandLine(const QString& text);

// Writes `path` so that SplitCommandLine gives it back exactly as one
// argument, whatever it holds. An ordinary path comes out as the path
// between two double quote characters.
QString QuotePath(const QString& path);

}  // namespace platform
