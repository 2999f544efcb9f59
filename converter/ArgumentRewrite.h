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
// - "-ss" and "-t" among the output options move before the last input as
//   input options, so that "-t D -i SRC -ss S" still writes D seconds
//   starting at S, and a seek no longer decodes everything before it;
// - "-vframes" among an input's options moves after the last input, where
//   today's ffmpeg accepts it.
// Everything else, including options it does not know, passes unchanged and
// in order.
std::vector<std::string> RewriteArguments(const std::vector<std::string>& arguments);

}  // namespace converter
