#include "data_file.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <limits>
#include <system_error>

#include "data_texts.h"

namespace velmora {

namespace {

namespace fs = std::filesystem;

// The C library's white space, without depending on the process's locale.
bool IsWhiteSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

std::string_view SkipWhiteSpace(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && IsWhiteSpace(text[i])) ++i;
  return text.substr(i);
}

// Text values never carry these; they are dropped wherever they stand.
bool IsDroppedFromText(char c) { return c >= '[' && c <= '`'; }

bool EqualsIgnoringCase(std::string_view text, std::string_view word) {
  if (text.size() != word.size()) return false;
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != word[i]) return false;
  }
  return true;
}

constexpr size_t kFirstReadChunk = 16384;

// Shorter texts or keys are searched directly; the index would not pay for itself.
constexpr size_t kGramLength = 4;
constexpr size_t kIndexedTextLength = 256;
constexpr uint32_t kMinGramBits = 8;
constexpr uint32_t kMaxGramBits = 20;

}  // namespace

int32_t ParseLeadingInt(std::string_view text) {
  text = SkipWhiteSpace(text);
  bool negative = false;
  size_t i = 0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  // Accumulated as a negative number so that the most negative value fits.
  constexpr int64_t kMin = std::numeric_limits<int32_t>::min();
  constexpr int64_t kMax = std::numeric_limits<int32_t>::max();
  int64_t value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    value = value * 10 - (text[i] - '0');
    if (value < kMin) value = kMin - 1;  // saturated; the sign below decides the limit
  }
  if (negative) return static_cast<int32_t>(std::max(value, kMin));
  return static_cast<int32_t>(std::min(-value, kMax));
}

float ParseLeadingFloat(std::string_view text) {
  text = SkipWhiteSpace(text);
  // from_chars takes no '+', while a written number may carry one.
  if (text.size() >= 2 && text[0] == '+' && text[1] != '-' && text[1] != '+') text.remove_prefix(1);
  double value = 0.0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error == std::errc::invalid_argument) return 0.0f;
  const bool negative = !text.empty() && text[0] == '-';
  if (error == std::errc::result_out_of_range) {
    // Only an exponent can take a value of at most 63 characters out of range;
    // its sign tells an overflow from an underflow.
    const std::string_view number(text.data(), static_cast<size_t>(end - text.data()));
    const size_t e = number.find_first_of("eE");
    const bool underflow = e != std::string_view::npos && e + 1 < number.size() && number[e + 1] == '-';
    if (underflow) return negative ? -0.0f : 0.0f;
    return negative ? -std::numeric_limits<float>::infinity() : std::numeric_limits<float>::infinity();
  }
  if (std::isfinite(value) && std::fabs(value) > std::numeric_limits<float>::max())
    return negative ? -std::numeric_limits<float>::infinity() : std::numeric_limits<float>::infinity();
  return static_cast<float>(value);
}

DataFile::DataFile(SystemMessageBox& messages) : messages_(messages) { Clear(); }

DataFile::~DataFile() {
  CloseInput();
  CloseOutput();
}

void DataFile::Clear() {
  path_.clear();
  ForgetText();
}

void DataFile::ForgetText() {
  text_.clear();
  textLength_ = 0;
  gramIndexBuilt_ = false;
}

bool DataFile::OpenForReading(const std::string& path) {
  path_ = path;
  // Every open starts from a clear state, whatever the last file left behind.
  CloseInput();
  ForgetText();
  std::error_code error;
  if (fs::is_directory(path, error)) return false;
  input_.open(path, std::ios::in | std::ios::binary);
  if (!input_.is_open()) return false;

  // Read at most kMaxDataFileSize bytes: reaching that many means the file is too long.
  size_t chunk = kFirstReadChunk;
  while (text_.size() < kMaxDataFileSize) {
    const size_t before = text_.size();
    const size_t wanted = std::min(chunk, kMaxDataFileSize - before);
    text_.resize(before + wanted);
    input_.read(text_.data() + before, static_cast<std::streamsize>(wanted));
    const size_t got = static_cast<size_t>(input_.gcount());
    text_.resize(before + got);
    if (got < wanted) break;
    chunk *= 2;
  }
  if (input_.bad()) return false;
  return TakeBytesRead(text_.size());
}

bool DataFile::LoadText(std::string_view bytes) {
  CloseInput();
  path_.clear();
  ForgetText();
  text_.assign(bytes.substr(0, std::min(bytes.size(), kMaxDataFileSize)));
  return TakeBytesRead(text_.size());
}

bool DataFile::TakeBytesRead(size_t bytesRead) {
  if (bytesRead >= kMaxDataFileSize) messages_.Show(texts::kInputStreamTooLarge, texts::kErrorCaption);
  textLength_ = strnlen(text_.data(), bytesRead);
  // A NUL byte ends the text early; such a file is not a data file.
  return textLength_ == bytesRead && bytesRead < kMaxDataFileSize;
}

void DataFile::CloseInput() {
  if (input_.is_open()) input_.close();
  input_.clear();
}

uint32_t DataFile::GramBucket(size_t position) const {
  uint32_t gram;
  std::memcpy(&gram, text_.data() + position, kGramLength);
  return (gram * 0x9E3779B1u) >> gramShift_;
}

void DataFile::BuildGramIndex() const {
  const size_t grams = textLength_ - kGramLength + 1;
  // About two sequences per bucket keeps the unrelated ones sharing a bucket few.
  uint32_t bits = kMinGramBits;
  while (bits < kMaxGramBits && (size_t{1} << bits) < grams / 2) ++bits;
  gramShift_ = 32 - bits;
  const size_t buckets = size_t{1} << bits;
  gramStart_.assign(buckets + 1, 0);
  for (size_t p = 0; p < grams; ++p) ++gramStart_[GramBucket(p) + 1];
  for (size_t b = 1; b <= buckets; ++b) gramStart_[b] += gramStart_[b - 1];
  gramFill_.assign(gramStart_.begin(), gramStart_.end() - 1);
  gramPositions_.resize(grams);
  for (size_t p = 0; p < grams; ++p) gramPositions_[gramFill_[GramBucket(p)]++] = static_cast<uint32_t>(p);
  gramIndexBuilt_ = true;
}

size_t DataFile::FindKey(std::string_view key) const {
  if (key.empty()) return std::string_view::npos;
  const std::string_view text = Text();
  if (key.size() < kGramLength || text.size() < kIndexedTextLength) return text.find(key);
  if (!gramIndexBuilt_) BuildGramIndex();

  // Every occurrence of the key holds each of its sequences at a fixed offset,
  // so the places of any one of them, taken in text order, give every
  // occurrence in text order: the first full match is the first occurrence.
  // The key's least frequent sequence gives the fewest places to try.
  const size_t last = key.size() - kGramLength;
  size_t offset = 0;
  uint32_t bucket = 0;
  uint32_t fewest = UINT32_MAX;
  for (size_t j = 0; j <= last; ++j) {
    uint32_t gram;
    std::memcpy(&gram, key.data() + j, kGramLength);
    const uint32_t b = (gram * 0x9E3779B1u) >> gramShift_;
    const uint32_t count = gramStart_[b + 1] - gramStart_[b];
    if (count < fewest) {
      fewest = count;
      bucket = b;
      offset = j;
    }
  }
  for (uint32_t i = gramStart_[bucket]; i < gramStart_[bucket + 1]; ++i) {
    const size_t place = gramPositions_[i];
    if (place < offset) continue;
    const size_t start = place - offset;
    if (start + key.size() <= text.size() && text.compare(start, key.size(), key) == 0) return start;
  }
  return std::string_view::npos;
}

bool DataFile::GatherValue(std::string_view key, bool asText, std::string& value) const {
  const size_t match = FindKey(key);
  if (match == std::string_view::npos) return false;
  const std::string_view text = Text();
  value.clear();
  bool leading = true;
  // The character right after the key (normally the blank before '=') is skipped unseen.
  for (size_t i = match + key.size() + 1; i < text.size(); ++i) {
    const char c = text[i];
    if (asText) {
      if (leading && (c == '=' || c == ' ')) continue;
      leading = false;
      if (IsDroppedFromText(c)) continue;
    } else if (c == '=' || c == ' ') {
      continue;
    }
    if (c == ';') return true;
    if (value.size() == kMaxValueLength) return false;
    value.push_back(c);
  }
  // The text ended without a ';'.
  return false;
}

bool DataFile::ReadBool(std::string_view key, bool& destination) const {
  std::string value;
  if (!GatherValue(key, false, value)) return false;
  if (EqualsIgnoringCase(value, "true")) {
    destination = true;
    return true;
  }
  if (EqualsIgnoringCase(value, "false")) {
    destination = false;
    return true;
  }
  return false;
}

bool DataFile::ReadInt(std::string_view key, int32_t& destination) const {
  std::string value;
  if (!GatherValue(key, false, value)) return false;
  destination = ParseLeadingInt(value);
  return true;
}

bool DataFile::ReadFloat(std::string_view key, float& destination) const {
  std::string value;
  if (!GatherValue(key, false, value)) return false;
  destination = ParseLeadingFloat(value);
  return true;
}

bool DataFile::ReadString(std::string_view key, std::string& destination) const {
  std::string value;
  if (!GatherValue(key, true, value)) return false;
  destination = std::move(value);
  return true;
}

bool DataFile::ReadIntList(std::span<int32_t, kSeedsPerFile> destination) const {
  if (textLength_ >= kMaxSeedFileSize) return false;
  const std::string_view text = Text();
  int32_t values[kSeedsPerFile];
  size_t position = 0;
  for (size_t n = 0; n < kSeedsPerFile; ++n) {
    const size_t comma = text.find(',', position);
    if (comma == std::string_view::npos) return false;
    const std::string_view token = text.substr(position, comma - position);
    if (token.size() > kMaxSeedTokenLength) return false;
    values[n] = ParseLeadingInt(token);
    position = comma + 1;
  }
  std::copy(std::begin(values), std::end(values), destination.begin());
  return true;
}

bool DataFile::OpenForWriting(const std::string& path) {
  CloseOutput();
  path_ = path;
  std::error_code error;
  const fs::file_status status = fs::status(path, error);
  if (fs::is_directory(status)) return false;
  if (fs::exists(status) && (status.permissions() & fs::perms::owner_write) == fs::perms::none) return false;
  replacementPath_ = path + ".tmp";
  output_.open(replacementPath_, std::ios::out | std::ios::binary | std::ios::trunc);
  if (!output_.is_open() || !output_.good()) {
    AbandonReplacement();
    return false;
  }
  outputMode_ = OutputMode::Replace;
  return true;
}

bool DataFile::WriteText(std::string_view text) {
  if (outputMode_ != OutputMode::Replace) return false;
  if (text.empty()) {
    AbandonReplacement();
    return false;
  }
  if (text.size() >= kMaxDataFileSize) {
    messages_.Show(texts::kOutputStreamTooLarge, texts::kErrorCaption);
    AbandonReplacement();
    return false;
  }
  output_.write(text.data(), static_cast<std::streamsize>(text.size()));
  output_.flush();
  const bool written = output_.good();
  output_.close();
  if (!written || output_.fail()) {
    AbandonReplacement();
    return false;
  }
  std::error_code error;
  fs::rename(replacementPath_, path_, error);
  if (error) {
    AbandonReplacement();
    return false;
  }
  outputMode_ = OutputMode::None;
  replacementPath_.clear();
  return true;
}

bool DataFile::OpenForAppending(const std::string& path) {
  CloseOutput();
  path_ = path;
  output_.open(path, std::ios::out | std::ios::binary | std::ios::trunc);
  if (!output_.is_open() || !output_.good()) {
    CloseOutput();
    return false;
  }
  outputMode_ = OutputMode::Append;
  return true;
}

bool DataFile::AppendText(std::string_view text) {
  if (outputMode_ != OutputMode::Append) return false;
  if (text.empty()) return true;
  std::string converted;
  converted.reserve(text.size() * 2);
  for (const char c : text) {
    if (c == '\n') converted.push_back('\r');
    converted.push_back(c);
  }
  output_.write(converted.data(), static_cast<std::streamsize>(converted.size()));
  // The log must survive the crash it may be describing.
  output_.flush();
  return output_.good();
}

void DataFile::CloseOutput() {
  if (outputMode_ == OutputMode::Replace) {
    AbandonReplacement();
    return;
  }
  if (output_.is_open()) output_.close();
  output_.clear();
  outputMode_ = OutputMode::None;
}

void DataFile::AbandonReplacement() {
  if (output_.is_open()) output_.close();
  output_.clear();
  if (!replacementPath_.empty()) {
    std::error_code error;
    fs::remove(replacementPath_, error);
    replacementPath_.clear();
  }
  outputMode_ = OutputMode::None;
}

}  // namespace velmora
