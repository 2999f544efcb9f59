#include "cliploom/PreviewFit.h"

#include <cmath>

namespace cliploom {
namespace {

int NearestEven(long double value) {
  // nearbyint rounds halves to even under the default rounding mode.
  return static_cast<int>(std::nearbyint(value));
}

}  // namespace

QRect FittedPreviewRect(const QRect& picture, QSize panel) {
  if (picture.height() == 0 || picture.width() == 0) throw EStreamError("不正なストリーム");
  const long double ratio = static_cast<long double>(picture.height()) / picture.width();
  int w = panel.width();
  int h = NearestEven(panel.width() * ratio);
  if (h > panel.height()) {
    h = panel.height();
    w = NearestEven(panel.height() / ratio);
  }
  return QRect((panel.width() - w) / 2, (panel.height() - h) / 2, w, h);
}

TrackBarRange TrackBarRangeFor(int lengthMs) {
  TrackBarRange range;
  range.max = lengthMs / 1000;
  range.frequency = range.max / 10;
  range.pageSize = range.max / 10;
  return range;
}

}  // namespace cliploom
