// What the command-line tools share in reading their arguments: whole numbers,
// and telling a value from the option that follows it.
#pragma once

#include <charconv>
#include <cstdint>
#include <optional>
#include <string_view>

namespace velmora::tools {

// A decimal number within low..high, written out whole: digits only, with no sign,
// no spaces and nothing after them. Nothing for anything else, including a number
// too large for any type (it is never wrapped round into range).
inline std::optional<int64_t> ParseWholeNumber(std::string_view text, int64_t low, int64_t high) {
  if (text.empty() || text.front() < '0' || text.front() > '9') return std::nullopt;
  int64_t value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  if (error != std::errc() || stop != end || value < low || value > high) return std::nullopt;
  return value;
}

// True for an argument that begins with '-': the next option rather than a value,
// as when a value was left out (`--booklet --solutions`). No option of the tools
// takes a negative number, so a value never begins with '-'; a file of such a name
// is written ./-name.
inline bool LooksLikeOption(std::string_view text) { return !text.empty() && text.front() == '-'; }

}  // namespace velmora::tools
