#include "data_file.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cerrno>
#include <cstring>
#include <limits>
#include <random>
#include <system_error>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <ctime>

#include "data_texts.h"

namespace velmora {

namespace {

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

// Links followed before a path is taken to loop.
constexpr int kMaxLinkDepth = 40;
// Fresh names tried for a replacement before giving up.
constexpr int kReplacementNameTries = 64;

// The folder part of a path, "." when it has none.
std::string FolderOf(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

// The file a path finally names: a symbolic link is followed (a relative
// link from the link's own folder) until a path that is not a link.
bool FollowLinks(const std::string& path, std::string& target) {
  target = path;
  for (int depth = 0; depth < kMaxLinkDepth; ++depth) {
    struct stat info;
    if (lstat(target.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return true;
    std::string link(4096, '\0');
    const ssize_t length = readlink(target.c_str(), link.data(), link.size());
    if (length <= 0 || static_cast<size_t>(length) >= link.size()) return false;
    link.resize(static_cast<size_t>(length));
    target = link.front() == '/' ? link : FolderOf(target) + "/" + link;
  }
  return false;
}

// A save writes NAME.tmp.XXXXXX beside NAME and renames it over NAME.
constexpr size_t kSuffixLength = 6;
constexpr std::string_view kReplacementInfix = ".tmp.";
// A replacement older than this belongs to a save that will never finish (its
// process was killed); a younger one may still be written by another process.
constexpr time_t kStaleReplacementSeconds = 60;

// Six characters from the letters and digits, for a fresh file name. A forked
// copy of the process draws its own names, not the same ones as its parent.
std::string RandomSuffix() {
  static constexpr char kCharacters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  static thread_local std::mt19937_64 generator;
  static thread_local pid_t seededFor = 0;
  if (seededFor != getpid()) {
    seededFor = getpid();
    generator.seed(std::random_device{}() ^ (static_cast<uint64_t>(seededFor) << 32));
  }
  std::string suffix(kSuffixLength, 'x');
  for (char& c : suffix) c = kCharacters[generator() % (sizeof kCharacters - 1)];
  return suffix;
}

bool IsReplacementOf(std::string_view name, std::string_view base) {
  if (name.size() != base.size() + kReplacementInfix.size() + kSuffixLength) return false;
  if (name.substr(0, base.size()) != base || name.substr(base.size(), kReplacementInfix.size()) != kReplacementInfix)
    return false;
  for (const char c : name.substr(name.size() - kSuffixLength))
    if (!std::isalnum(static_cast<unsigned char>(c))) return false;
  return true;
}

// Removes what saves of `target` that were cut short left beside it: regular
// files under a replacement name of that very file, older than a save takes.
void RemoveStaleReplacements(const std::string& target) {
  const std::string folder = FolderOf(target);
  const size_t slash = target.find_last_of('/');
  const std::string base = slash == std::string::npos ? target : target.substr(slash + 1);
  DIR* directory = opendir(folder.c_str());
  if (!directory) return;
  const time_t now = std::time(nullptr);
  while (const dirent* entry = readdir(directory)) {
    if (!IsReplacementOf(entry->d_name, base)) continue;
    struct stat info;
    if (fstatat(dirfd(directory), entry->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(info.st_mode) ||
        now - info.st_mtime < kStaleReplacementSeconds)
      continue;
    unlinkat(dirfd(directory), entry->d_name, 0);
  }
  closedir(directory);
}

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = write(fd, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    bytes.remove_prefix(static_cast<size_t>(written));
  }
  return true;
}

// Makes a completed rename last: the folder's entry is flushed to the disk.
void SyncFolder(const std::string& folder) {
  const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  fsync(fd);
  close(fd);
}

ReplacementStepHook replacementStepHook = nullptr;

void ReachStep(ReplacementStep step) {
  if (replacementStepHook) replacementStepHook(step);
}

// Shorter texts or keys are searched directly; the index would not pay for itself.
constexpr size_t kGramLength = 4;
constexpr size_t kIndexedTextLength = 256;
constexpr uint32_t kMinGramBits = 8;
constexpr uint32_t kMaxGramBits = 20;

}  // namespace

void SetReplacementStepHook(ReplacementStepHook hook) { replacementStepHook = hook; }

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
  // Only a regular file is read. A pipe or a device would block the open or
  // the read for good; it is refused before it is opened, and the open itself
  // does not wait, in case the path changed in between.
  struct stat info;
  if (stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return false;
  inputFd_ = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (inputFd_ < 0) return false;
  if (fstat(inputFd_, &info) != 0 || !S_ISREG(info.st_mode)) {
    CloseInput();
    return false;
  }

  // Read at most kMaxDataFileSize bytes: reaching that many means the file is too long.
  size_t chunk = kFirstReadChunk;
  while (text_.size() < kMaxDataFileSize) {
    const size_t before = text_.size();
    const size_t wanted = std::min(chunk, kMaxDataFileSize - before);
    text_.resize(before + wanted);
    const ssize_t got = read(inputFd_, text_.data() + before, wanted);
    if (got < 0 && errno == EINTR) {
      text_.resize(before);
      continue;
    }
    if (got < 0) {
      ForgetText();
      return false;
    }
    text_.resize(before + static_cast<size_t>(got));
    if (got == 0) break;
    if (static_cast<size_t>(got) == wanted) chunk *= 2;
  }
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
  if (bytesRead >= kMaxDataFileSize) ShowWithPath(texts::kInputStreamTooLarge);
  textLength_ = strnlen(text_.data(), bytesRead);
  // A NUL byte ends the text early; such a file is not a data file.
  return textLength_ == bytesRead && bytesRead < kMaxDataFileSize;
}

void DataFile::CloseInput() {
  if (inputFd_ >= 0) close(inputFd_);
  inputFd_ = -1;
}

void DataFile::ShowWithPath(const char* text) {
  if (path_.empty()) {
    messages_.Show(text, texts::kErrorCaption);
    return;
  }
  messages_.Show(std::string(text) + "\n" + path_, texts::kErrorCaption);
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
  if (!FollowLinks(path, targetPath_)) return false;
  struct stat old;
  const bool exists = stat(targetPath_.c_str(), &old) == 0;
  if (exists && (!S_ISREG(old.st_mode) || (old.st_mode & S_IWUSR) == 0)) return false;

  // A fresh name beside the target, created here and now: an existing file
  // or link of that name is never opened, let alone followed.
  for (int attempt = 0; attempt < kReplacementNameTries; ++attempt) {
    std::string candidate = targetPath_ + std::string(kReplacementInfix) + RandomSuffix();
    const int fd = open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                        exists ? S_IRUSR | S_IWUSR : 0666);
    if (fd >= 0) {
      replacementFd_ = fd;
      replacementPath_ = std::move(candidate);
      break;
    }
    if (errno != EEXIST) return false;
  }
  if (replacementFd_ < 0) return false;
  if (exists) {
    // The group first, as far as this user may set it: changing it may clear
    // the set-id bits that the mode then restores.
    if (old.st_gid != getegid() && fchown(replacementFd_, static_cast<uid_t>(-1), old.st_gid) != 0) {
      // Not a member of that group: the file takes this user's group.
    }
    if (fchmod(replacementFd_, old.st_mode & 07777) != 0) {
      AbandonReplacement();
      return false;
    }
  }
  outputMode_ = OutputMode::Replace;
  ReachStep(ReplacementStep::kCreated);
  return true;
}

bool DataFile::WriteText(std::string_view text) {
  if (outputMode_ != OutputMode::Replace) return false;
  if (text.empty()) {
    AbandonReplacement();
    return false;
  }
  if (text.size() >= kMaxDataFileSize) {
    AbandonReplacement();
    ShowWithPath(texts::kOutputStreamTooLarge);
    return false;
  }
  // On the disk before it takes the old file's place: after a crash the path
  // holds the old text or the new one, never a part of it.
  if (!WriteAll(replacementFd_, text) || fsync(replacementFd_) != 0) {
    AbandonReplacement();
    return false;
  }
  ReachStep(ReplacementStep::kWritten);
  const int fd = replacementFd_;
  replacementFd_ = -1;
  if (close(fd) != 0 || rename(replacementPath_.c_str(), targetPath_.c_str()) != 0) {
    AbandonReplacement();
    return false;
  }
  ReachStep(ReplacementStep::kRenamed);
  SyncFolder(FolderOf(targetPath_));
  outputMode_ = OutputMode::None;
  replacementPath_.clear();
  RemoveStaleReplacements(targetPath_);
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
  if (replacementFd_ >= 0) close(replacementFd_);
  replacementFd_ = -1;
  if (!replacementPath_.empty()) {
    unlink(replacementPath_.c_str());
    replacementPath_.clear();
  }
  outputMode_ = OutputMode::None;
}

}  // namespace velmora
