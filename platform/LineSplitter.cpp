#include "platform/LineSplitter.h"

#include <algorithm>

namespace platform {

namespace {

bool IsContinuationByte(char byte) { return (static_cast<unsigned char>(byte) & 0xC0) == 0x80; }

// Number of bytes of the UTF-8 sequence that `lead` starts (1 for anything
// that is not a valid lead byte, so that broken input still moves on).
qsizetype SequenceLength(char lead) {
  const auto byte = static_cast<unsigned char>(lead);
  if ((byte & 0xE0) == 0xC0) return 2;
  if ((byte & 0xF0) == 0xE0) return 3;
  if ((byte & 0xF8) == 0xF0) return 4;
  return 1;
}

// Length of the longest prefix of `bytes` that does not end inside a UTF-8
// sequence.
qsizetype CompletePrefixLength(QByteArrayView bytes) {
  const qsizetype size = bytes.size();
  qsizetype continuation = 0;
  while (continuation < 3 && continuation < size &&
         IsContinuationByte(bytes[size - 1 - continuation]))
    ++continuation;
  if (continuation == size) return size;  // no lead byte to wait on
  const qsizetype lead = size - 1 - continuation;
  return lead + SequenceLength(bytes[lead]) <= size ? size : lead;
}

}  // namespace

LineSplitter::LineSplitter(qsizetype maxLineBytes)
    : maxLineBytes_(std::max<qsizetype>(maxLineBytes, 4)) {}

std::vector<OutputLine> LineSplitter::Feed(QByteArrayView bytes) {
  std::vector<OutputLine> lines;
  bool grew = false;
  qsizetype start = 0;
  const qsizetype size = bytes.size();
  for (qsizetype i = 0; i < size; ++i) {
    const char byte = bytes[i];
    if (byte != '\r' && byte != '\n' && byte != '\0') continue;
    if (i > start) {
      Append(bytes.sliced(start, i - start), lines);
      grew = true;
    }
    start = i + 1;
    if (byte == '\0') continue;  // dropped; a CR before it still pairs with an LF after it
    if (byte == '\n' && afterCr_) {
      afterCr_ = false;
      continue;
    }
    EndLine(lines);
    afterCr_ = byte == '\r';
    grew = false;
  }
  if (start < size) {
    Append(bytes.sliced(start), lines);
    grew = true;
  }
  if (grew && !pending_.isEmpty()) {
    const qsizetype complete = CompletePrefixLength(pending_);
    if (complete > 0)
      lines.push_back({QString::fromUtf8(pending_.first(complete)), kLineBeginning});
  }
  return lines;
}

std::vector<OutputLine> LineSplitter::Finish() {
  std::vector<OutputLine> lines;
  if (!pending_.isEmpty()) EndLine(lines);
  afterCr_ = false;
  return lines;
}

void LineSplitter::Append(QByteArrayView bytes, std::vector<OutputLine>& lines) {
  afterCr_ = false;
  while (!bytes.isEmpty()) {
    const qsizetype room = maxLineBytes_ - pending_.size();
    if (bytes.size() <= room) {
      pending_.append(bytes);
      return;
    }
    pending_.append(bytes.first(room));
    bytes = bytes.sliced(room);
    // The line is full: give it whole, keeping a cut character for the next.
    const qsizetype complete = CompletePrefixLength(pending_);
    const QByteArray rest = pending_.sliced(complete);
    pending_.truncate(complete);
    EndLine(lines);
    pending_ = rest;
  }
}

void LineSplitter::EndLine(std::vector<OutputLine>& lines) {
  lines.push_back({QString::fromUtf8(pending_), kWholeLine});
  pending_.clear();
}

}  // namespace platform
