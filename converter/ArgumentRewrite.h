#pragma once

#include <string>
#include <vector>

namespace converter {

// Rewrites a converter command line written for the older converter that the
// programs' command lines assume into today's ffmpeg arguments, keeping its
// old meaning (arguments without the program name; bytes pass unchanged):
// - bit-rate values written "NNNkb" become "NNNk";
// - "-b" (the old video bit rate) becomes "-b:v";
// - the audio codec "libfaac" becomes "aac";
// - "-ss S" and "-t D" of the last input or of the first output mean, as
//   they did, "write D seconds starting at S", wherever they stand: the seek
//   goes before the input (to 3 s before S, so that decoding finds its timing
//   and lands on the exact frame even in MPEG program streams), the rest of
//   the way and the length after it. "-t D -i SRC -ss S" becomes
//   "-ss S-3 -i SRC -ss 3 -t D"; a start of at most 3 s stays after the input;
// - "-vframes" among an input's options moves after the last input, where
//   today's ffmpeg accepts it.
// Everything else, including options it does not know, passes unchanged and
// in order.
std::vector<std::string> RewriteArguments(const std::vector<std::string>& arguments);

}  // namespace converter
