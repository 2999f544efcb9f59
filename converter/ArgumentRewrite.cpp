#include "converter/ArgumentRewrite.h"

#include <algorithm>
#include <array>
#include <regex>
#include <string_view>

namespace converter {

namespace {

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

}  // namespace

std::vector<std::string> RewriteArguments(const std::vector<std::string>& arguments) {
  std::vector<Item> items = ToItems(arguments);
  for (Item& item : items) RewriteValue(item);

  const auto isInput = [](const Item& item) { return item.name == "-i" && !item.values.empty(); };
  const auto lastInput = std::find_if(items.rbegin(), items.rend(), isInput);
  if (lastInput != items.rend()) {
    const auto inputAt = static_cast<std::ptrdiff_t>(items.rend() - lastInput) - 1;
    // The first output's options run from after the last input to the first
    // plain argument.
    const auto outputBegin = items.begin() + inputAt + 1;
    const auto outputEnd =
        std::find_if(outputBegin, items.end(), [](const Item& item) { return !item.IsOption(); });
    std::vector<Item> seeks;
    std::vector<Item> rest;
    for (auto it = outputBegin; it != outputEnd; ++it)
      (it->name == "-ss" || it->name == "-t" ? seeks : rest).push_back(std::move(*it));

    // Every input's "-vframes" becomes the first output option.
    std::vector<Item> inputs;
    std::vector<Item> frames;
    for (auto it = items.begin(); it != outputBegin; ++it) {
      if (it->name == "-vframes")
        frames.push_back(std::move(*it));
      else
        inputs.push_back(std::move(*it));
    }
    const Item input = std::move(inputs.back());
    inputs.pop_back();

    std::vector<Item> reordered = std::move(inputs);
    std::move(seeks.begin(), seeks.end(), std::back_inserter(reordered));
    reordered.push_back(input);
    std::move(frames.begin(), frames.end(), std::back_inserter(reordered));
    std::move(rest.begin(), rest.end(), std::back_inserter(reordered));
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
