#pragma once

#include <QString>
#include <optional>

namespace discloom {

// Reads how many whole seconds of video a converter progress line reports:
// the number between the first "time=" (any letter case) and the "bitrate"
// after it, as plain seconds ("83.40") or as "HH:MM:SS.ss". The value is
// rounded to the nearest whole second, halves to even. Lines without such a
// number (no "time=", no "bitrate", "N/A", a negative time, other text) give
// nothing.
std::optional<qint64> ReadProgressSeconds(const QString& line);

// Whole seconds as "HH時間MM分SS秒", each field at least two digits.
QString FormatTime(qint64 seconds);

// The text shown under the queue for a progress reading.
QString SituationTextFor(qint64 seconds);

// The output path for a source: the save folder, then the source's file-name
// part with everything from its last "." replaced by ".mpg" (".mpg" appended
// when it has no "."). The result is not yet made unique.
QString OutputPathFor(const QString& saveDir, const QString& source);

}  // namespace discloom
