#pragma once
// The key/value text file through which the player data is read and written:
// user files, seed files and the log. A file is read whole and then asked for
// keys; a file is written whole from one prepared text.
//
// The format is a flat list of "key = value;" entries. A key is found by a plain
// substring search (the first occurrence anywhere in the text wins, even inside
// another key or a value), and a value is what follows up to the next ';'.
#include <cstddef>
#include <cstdint>
#include <fstream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "system_message_box.h"

namespace velmora {

// A file (or text) must be shorter than this to be read or written. Long games
// carry several hundred play keys, so this leaves ample room above the few
// kilobytes a typical user file takes.
inline constexpr size_t kMaxDataFileSize = 1048576;
// A gathered value holds at most this many characters before its ';'.
inline constexpr size_t kMaxValueLength = 63;
// Seed files: 1000 comma-terminated integers, each token at most 10 characters,
// the whole file shorter than 10240 bytes.
inline constexpr size_t kSeedsPerFile = 1000;
inline constexpr size_t kMaxSeedTokenLength = 10;
inline constexpr size_t kMaxSeedFileSize = 10240;

class DataFile {
 public:
  explicit DataFile(SystemMessageBox& messages);
  ~DataFile();
  DataFile(const DataFile&) = delete;
  DataFile& operator=(const DataFile&) = delete;

  // Forgets the text and the path.
  void Clear();

  // Reads the whole file. Fails when it is not a regular file (a folder, a
  // pipe or a device is never opened, so nothing can block the read), when it
  // cannot be opened or read, when it is kMaxDataFileSize bytes or longer
  // (after telling the player, with the file's path after the message), or
  // when it holds a NUL byte (silently).
  [[nodiscard]] bool OpenForReading(const std::string& path);
  // The same checks on a text that did not come from a file.
  bool LoadText(std::string_view bytes);
  void CloseInput();

  std::string_view Text() const { return std::string_view(text_.data(), textLength_); }
  const std::string& Path() const { return path_; }

  // Lookups. Each fails, leaving the destination untouched, when the key is
  // missing or its value has no ';' within kMaxValueLength characters.
  // Numbers and flags ignore every blank and '=' in their value, so "1 2" reads as 12.
  bool ReadBool(std::string_view key, bool& destination) const;    // "true"/"false", any case
  bool ReadInt(std::string_view key, int32_t& destination) const;  // no digits reads as 0
  bool ReadFloat(std::string_view key, float& destination) const;  // no number reads as 0.0
  // Drops leading blanks and '=' and, anywhere, the characters [ \ ] ^ _ and `.
  bool ReadString(std::string_view key, std::string& destination) const;
  // Seed files: the first kSeedsPerFile comma-terminated integers of the text.
  // Writes the destination only when all of them were read.
  bool ReadIntList(std::span<int32_t, kSeedsPerFile> destination) const;

  // Starts replacing the file at path. The new text goes to a file of its own
  // beside it, created under a fresh name that nothing else uses, and takes the
  // old one's place only once it has been written completely and flushed to
  // the disk, so a failed or refused write, a crash or a power cut never costs
  // the player the file they had, and two writers never share a half-written
  // file. The new file keeps the old one's permission bits. A path that is a
  // symbolic link is written through: the file it points at is replaced and
  // the link stays. A file that is marked read-only, or that is not a regular
  // file, is left alone: the open fails.
  [[nodiscard]] bool OpenForWriting(const std::string& path);
  // Writes the whole text and completes the replacement. An empty text, or one
  // of kMaxDataFileSize characters or more, is refused and leaves the old file
  // as it was; a text refused for its size is told to the player, with the
  // path, once its own file is gone, so that nothing is left behind while the
  // message waits or if the process ends meanwhile.
  [[nodiscard]] bool WriteText(std::string_view text);

  // The log's stream: starts the file anew and keeps it open for AppendText.
  [[nodiscard]] bool OpenForAppending(const std::string& path);
  // Adds the text with every "\n" written as "\r\n". An empty text writes nothing.
  bool AppendText(std::string_view text);
  // Ends whatever output is open; an unfinished replacement is abandoned.
  void CloseOutput();

  // Where the byte offset of key's first occurrence is, or npos.
  size_t FindKey(std::string_view key) const;

 private:
  enum class OutputMode { None, Replace, Append };

  bool TakeBytesRead(size_t bytesRead);
  void ForgetText();
  uint32_t GramBucket(size_t position) const;
  void BuildGramIndex() const;
  bool GatherValue(std::string_view key, bool asText, std::string& value) const;
  void AbandonReplacement();
  // A message of the data-file texts, with the path of the file after it.
  void ShowWithPath(const char* text);

  SystemMessageBox& messages_;
  std::string path_;
  std::string text_;       // the bytes as read
  size_t textLength_ = 0;  // up to the first NUL

  // Where each four-character sequence of the text stands, grouped by a hash
  // of the sequence, in text order within each group. A user file is asked for
  // a few hundred keys, and searching the whole text for each one made loading
  // a long game quadratic in its length; with this index a lookup only visits
  // the places where one of the key's sequences occurs. Built at the first
  // lookup after a read.
  mutable bool gramIndexBuilt_ = false;
  mutable uint32_t gramShift_ = 0;
  mutable std::vector<uint32_t> gramStart_;      // per bucket, its first entry in gramPositions_
  mutable std::vector<uint32_t> gramPositions_;  // text positions, bucket by bucket
  mutable std::vector<uint32_t> gramFill_;       // working space of the build
  int inputFd_ = -1;
  std::ofstream output_;  // the log's stream
  OutputMode outputMode_ = OutputMode::None;
  int replacementFd_ = -1;
  std::string targetPath_;       // the file being replaced (a link's target)
  std::string replacementPath_;  // the new text's own file beside it
};

// The points every replacement passes, in order: its own file made (still
// empty), the whole text written and on the disk, and that file renamed over
// the old one. Tests stop a saving process at one of them.
enum class ReplacementStep { kCreated, kWritten, kRenamed };
using ReplacementStepHook = void (*)(ReplacementStep step);
// Called at each step of every replacement this process makes; none by default.
void SetReplacementStepHook(ReplacementStepHook hook);

// The decimal conversions of the lookups, shared with the seed-file reader:
// leading white space, an optional sign and the longest number that follows.
// An integer out of range stops at the nearest representable value; a float
// too large becomes infinite and one too small becomes zero.
int32_t ParseLeadingInt(std::string_view text);
float ParseLeadingFloat(std::string_view text);

}  // namespace velmora
