// lib/ffmpeg: takes the converter command lines of both programs, rewrites
// them for today's ffmpeg and replaces itself with the system's ffmpeg, so that
// output, exit code and signals pass through untouched.
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "converter/ArgumentRewrite.h"

int main(int argc, char** argv) {
  const char* fromEnvironment = std::getenv("LOOM_FFMPEG");
  const std::string ffmpeg =
      fromEnvironment && *fromEnvironment ? fromEnvironment : LOOM_SYSTEM_FFMPEG;

  std::vector<std::string> arguments =
      converter::RewriteArguments(std::vector<std::string>(argv + 1, argv + argc));
  std::vector<char*> execArguments;
  execArguments.push_back(const_cast<char*>(ffmpeg.c_str()));
  for (std::string& argument : arguments) execArguments.push_back(argument.data());
  execArguments.push_back(nullptr);

  ::execv(ffmpeg.c_str(), execArguments.data());
  std::fprintf(stderr, "lib/ffmpeg: cannot run %s: %s\n", ffmpeg.c_str(), std::strerror(errno));
  return 127;
}
