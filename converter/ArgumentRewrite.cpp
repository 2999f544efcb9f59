#include "converter/ArgumentRewrite.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdio>
#include <optional>
#include <regex>
#include <string_view>

namespace converter {

namespace {

// Seconds before the start at which decoding begins (see SplitSeek).
constexpr double kSeekMargin = 3.0;

// Options that take no value. Every other option is taken to take one, which
// is true of all options the programs write.
constexpr std::array kFlags = {
    std::string_view("-y"),           std::string_view("-n"),        std::string_view("-an"),
    std::string_view("-vn"),          std::string_view("-sn"),       std::string_view("-dn"),
    std::string_view("-shortest"),    std::string_view("-re"),       std::string_view("-copyts"),
    std::string_view("-hide_banner"), std::string_view("-nostdin"),  std::string_view("-stdin"),
    std::string_view("-stats"),       std::string_view("-nostats"),  std::string_view("-benchmark"),
    std::string_view("-h"),           std::string_view("-version"),  std::string_view("-formats"),
    std::string_view("-codecs"),      std::string_view("-encoders"), std::string_view("-decoders"),
};

constexpr std::array kBitRateOptions = {
    std::string_view("-b"),       std::string_view("-ab"),      std::string_view("-vb"),
    std::string_view("-b:v"),     std::string_view("-b:a"),     std::string_view("-maxrate"),
    std::string_view("-minrate"), std::string_view("-bufsize"),
};

constexpr std::array kAudioCodecOptions = {std::string_view("-acodec"), std::string_view("-c:a"),
                                           std::string_view("-codec:a")};

template <std::size_t N>
bool IsOneOf(std::string_view name, const std::array<std::string_view, N>& names) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

// One option with its value, or a plain argument (an output file).
struct Item {
  std::string name;
  std::vector<std::string> values;
  bool IsOption() const { return name.size() > 1 && name[0] == '-'; }
};

std::vector<Item> ToItems(const std::vector<std::string>& arguments) {
  std::vector<Item> items;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    Item item{arguments[i], {}};
    if (item.IsOption() && !IsOneOf(item.name, kFlags) && i + 1 < arguments.size())
      item.values.push_back(arguments[++i]);
    items.push_back(std::move(item));
  }
  return items;
}

void RewriteValue(Item& item) {
  if (item.values.empty()) return;
  std::string& value = item.values.front();
  static const std::regex kKilobits("[0-9]+(\\.[0-9]+)?kb");
  if (IsOneOf(item.name, kBitRateOptions) && std::regex_match(value, kKilobits)) value.pop_back();
  if (item.name == "-b") item.name = "-b:v";
  if (IsOneOf(item.name, kAudioCodecOptions) && value == "libfaac") value = "aac";
}

// Seconds written "S", "M:S" or "H:M:S", each with optional decimals.
std::optional<double> ParseSeconds(std::string_view text) {
  double seconds = 0;
  for (int part = 0; part < 3; ++part) {
    const std::size_t colon = text.find(':');
    const std::string_view field = text.substr(0, colon);
    double value = 0;
    const auto [end, error] =
        std::from_chars(field.data(), field.data() + field.size(), value, std::chars_format::fixed);
    if (field.empty() || error != std::errc() || end != field.data() + field.size() || value < 0)
      return std::nullopt;
    seconds = seconds * 60 + value;
    if (colon == std::string_view::npos) return seconds;
    text.remove_prefix(colon + 1);
  }
  return std::nullopt;
}

std::string FormatSeconds(double seconds) {
  char text[64];
  std::snprintf(text, sizeof text, "%.6f", seconds);
  std::string result = text;
  result.erase(result.find_last_not_of('0') + 1);
  if (result.back() == '.') result.pop_back();
  return result;
}

struct SeekSplit {
  std::optional<Item> inputStart;
  std::optional<Item> outputStart;
};

// The start goes before the input as a fast seek to kSeekMargin seconds
// before it, and the rest of the way is decoded and dropped after the input.
// A seek straight to the start would land on the next frame with a time
// stamp, which in an MPEG program stream can be most of a group of pictures
// late; the margin lets the decoder find its timing before the start.
SeekSplit SplitSeek(const std::optional<Item>& start) {
  if (!start) return {};
  const std::optional<double> seconds = ParseSeconds(start->values.front());
  if (!seconds) return {start, std::nullopt};  // not a time: ffmpeg will say so
  if (*seconds <= kSeekMargin) return {std::nullopt, start};
  return {Item{"-ss", {FormatSeconds(*seconds - kSeekMargin)}},
          Item{"-ss", {FormatSeconds(kSeekMargin)}}};
}

}  // namespace

std::vector<std::string> RewriteArguments(const std::vector<std::string>& arguments) {
  std::vector<Item> items = ToItems(arguments);
  for (Item& item : items) RewriteValue(item);

  const auto isInput = [](const Item& item) { return item.name == "-i" && !item.values.empty(); };
  const auto lastInput = std::find_if(items.rbegin(), items.rend(), isInput);
  if (lastInput != items.rend()) {
    const auto input = lastInput.base() - 1;
    const auto groupBegin =
        std::find_if(std::make_reverse_iterator(input), items.rend(), isInput).base();
    // The first output's options run from after the last input to the first
    // plain argument.
    const auto outputEnd =
        std::find_if(input + 1, items.end(), [](const Item& item) { return !item.IsOption(); });

    std::vector<Item> reordered;
    std::optional<Item> start;
    std::optional<Item> length;
    std::vector<Item> frames;
    // The old converter read "-ss" and "-t" as the start and the length of
    // what it wrote, before the input as after it.
    const auto take = [&](Item& item) {
      if (item.name == "-ss")
        start = std::move(item);
      else if (item.name == "-t")
        length = std::move(item);
      else
        return false;
      return true;
    };
    for (auto it = items.begin(); it != input; ++it) {
      if (it->name == "-vframes")
        frames.push_back(std::move(*it));
      else if (it < groupBegin || !take(*it))
        reordered.push_back(std::move(*it));
    }
    std::vector<Item> outputOptions;
    for (auto it = input + 1; it != outputEnd; ++it)
      if (!take(*it)) outputOptions.push_back(std::move(*it));

    const SeekSplit seek = SplitSeek(start);
    if (seek.inputStart) reordered.push_back(*seek.inputStart);
    reordered.push_back(std::move(*input));
    if (seek.outputStart) reordered.push_back(*seek.outputStart);
    if (length) reordered.push_back(std::move(*length));
    std::move(frames.begin(), frames.end(), std::back_inserter(reordered));
    std::move(outputOptions.begin(), outputOptions.end(), std::back_inserter(reordered));
    std::move(outputEnd, items.end(), std::back_inserter(reordered));
    items = std::move(reordered);
  }

  std::vector<std::string> result;
  for (Item& item : items) {
    result.push_back(std::move(item.name));
    for (std::string& value : item.values) result.push_back(std::move(value));
  }
  return result;
}

}  // namespace converter
