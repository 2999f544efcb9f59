#pragma once

#include <QString>
#include <QtGlobal>

namespace cliploom {

// Milliseconds as "HH:MM:SS"; each field has at least two digits and the
// hours are not limited ("100:00:00").
QString FormatMovTime(qint64 ms);

}  // namespace cliploom
