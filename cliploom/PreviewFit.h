#pragma once

#include <QRect>
#include <QSize>
#include <stdexcept>

namespace cliploom {

// A video whose picture has no usable size.
class EStreamError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The largest rectangle of the picture's proportions that fits `panel`,
// centred; `picture` and the result are left, top, width, height. Sizes are
// rounded to the nearest integer, halves to even. Throws EStreamError
// ("不正なストリーム") when the picture has no width or height.
QRect FittedPreviewRect(const QRect& picture, QSize panel);

// Range and marks of the preview track bar, which counts whole seconds.
struct TrackBarRange {
  int min = 0;
  int max = 0;
  int frequency = 0;
  int pageSize = 0;
};
TrackBarRange TrackBarRangeFor(int lengthMs);

}  // namespace cliploom
