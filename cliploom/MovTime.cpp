#include "cliploom/MovTime.h"

namespace cliploom {

QString FormatMovTime(qint64 ms) {
  const qint64 s = ms / 1000;
  return QString::asprintf("%.2lld:%.2lld:%.2lld", s / 3600, (s % 3600) / 60, s % 60);
}

}  // namespace cliploom
