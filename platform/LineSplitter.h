#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <vector>

namespace platform {

// What a delivered piece of output is: a whole line, or the beginning of a
// line whose end has not arrived yet (the whole line follows later).
enum OutputType : int { kWholeLine = 0, kLineBeginning = 1 };

struct OutputLine {
  QString text;
  int outputType = kWholeLine;
  friend bool operator==(const OutputLine&, const OutputLine&) = default;
};

// Splits a child's output, read by read, into lines:
// - a line ends at CR, at LF, or at CR+LF, which counts once also when the CR
//   ends one read and the LF starts the next;
// - NUL bytes are dropped;
// - when a read ends inside a line, the line so far is given at once as a
//   beginning, and the whole line again once its end arrives;
// - a line longer than the limit is cut into whole lines of at most the limit,
//   so that a child that never ends its line cannot grow memory without bound.
// Text is decoded as UTF-8; a character is never cut in two.
class LineSplitter {
 public:
  static constexpr qsizetype kDefaultMaxLineBytes = 64 * 1024;

  explicit LineSplitter(qsizetype maxLineBytes = kDefaultMaxLineBytes);

  // One read of output; returns what it completes, in order.
  std::vector<OutputLine> Feed(QByteArrayView bytes);

  // The output has ended: a pending unfinished line is given as a whole line.
  std::vector<OutputLine> Finish();

 private:
  void Append(QByteArrayView bytes, std::vector<OutputLine>& lines);
  void EndLine(std::vector<OutputLine>& lines);

  QByteArray pending_;
  bool afterCr_ = false;
  qsizetype maxLineBytes_;
};

}  // namespace platform
