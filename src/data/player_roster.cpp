#include "player_roster.h"

#include <algorithm>
#include <filesystem>
#include <new>
#include <system_error>
#include <thread>

#include "data_file.h"
#include "data_texts.h"
#include "debug_trace.h"

namespace velmora {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kUserFileExtension = ".user";

// The names of the user files in a folder, sorted so that the players come in
// the same order on every start.
std::vector<std::string> ListUserFiles(const std::string& folder) {
  std::vector<std::string> names;
  std::error_code error;
  fs::directory_iterator it(folder, error);
  if (error) return names;
  for (const fs::directory_entry& entry : it) {
    std::error_code typeError;
    if (entry.is_directory(typeError)) continue;
    std::string name = entry.path().filename().string();
    if (name.size() >= kUserFileExtension.size() && name.ends_with(kUserFileExtension)) names.push_back(std::move(name));
  }
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace

PlayerRoster::PlayerRoster(SystemMessageBox& messages, SleepFunction sleep)
    : messages_(messages), sleep_(std::move(sleep)) {
  if (!sleep_) sleep_ = [](std::chrono::milliseconds pause) { std::this_thread::sleep_for(pause); };
}

bool PlayerRoster::LoadGameData(std::string* report) {
  std::error_code error;
  const fs::path workingFolder = fs::current_path(error);
  return LoadGameDataFrom(error ? std::string() : workingFolder.string(), report);
}

bool PlayerRoster::LoadGameDataFrom(const std::string& workingFolder, std::string* report) {
  std::unique_ptr<DataFile> file(new (std::nothrow) DataFile(messages_));
  if (!file) {
    DebugTrace(texts::kFileIoAllocationFailed);
    return false;
  }
  players_.clear();
  dataPath_ = workingFolder;
  if (dataPath_.empty() || dataPath_.back() != '/') dataPath_ += '/';
  dataPath_ += "data/";
  if (report) *report = std::string(texts::kReportDataPath) + dataPath_;

  std::string loaded = texts::kReportLoading;
  const int seedFiles = seeds_.LoadFromFolder(SeedsFolder(), messages_);
  loaded += texts::kReportSeeds + std::to_string(seedFiles) + "\n";
  const int users = LoadUserFiles(*file);
  loaded += texts::kReportUsers + std::to_string(users) + "\n";
  currentPlayer_ = users > 0 ? 0 : -1;
  loaded += texts::kReportComplete;
  if (report) *report += "\n" + loaded;
  return true;
}

int PlayerRoster::LoadUserFiles(DataFile& file) {
  const std::string folder = UsersFolder();
  int counted = 0;
  for (const std::string& fileName : ListUserFiles(folder)) {
    const std::string path = folder + fileName;
    players_.push_back(std::make_unique<GDUSER>());
    GDUSER& player = *players_.back();
    if (!file.OpenForReading(path)) {
      // A file that cannot be read at all stays as an empty record.
      DebugTrace(std::string(texts::kUserFileOpenFailed) + path);
      file.CloseInput();
      continue;
    }
    if (!player.LoadFromDataFile(file)) {
      players_.pop_back();
      file.CloseInput();
      continue;
    }
    player.SetNameFromFileName(fileName);
    file.CloseInput();
    ++counted;
  }
  return counted;
}

int32_t PlayerRoster::PrepareSeedFor(int difficulty, int creationSeed) const {
  return seeds_.PrepareSeedFor(difficulty, creationSeed);
}

GDUSER* PlayerRoster::Player(int index) {
  if (index < 0 || index >= PlayerCount()) return nullptr;
  return players_[static_cast<size_t>(index)].get();
}

const GDUSER* PlayerRoster::Player(int index) const {
  if (index < 0 || index >= PlayerCount()) return nullptr;
  return players_[static_cast<size_t>(index)].get();
}

std::string PlayerRoster::UserFilePath(std::string_view name) const {
  if (!IsAllowedPlayerName(name)) return std::string();
  return UsersFolder() + std::string(name) + std::string(kUserFileExtension);
}

bool PlayerRoster::AddPlayer(std::string_view name) {
  const auto taken = [this](std::string_view candidate) {
    return std::any_of(players_.begin(), players_.end(),
                       [&](const std::unique_ptr<GDUSER>& p) { return p && p->GetName() == candidate; });
  };
  if (taken(name)) {
    DebugTrace(texts::kDuplicatePlayerName);
    return false;
  }
  if (name.size() > kMaxPlayerNameLength) {
    DebugTrace(texts::kPlayerNameTruncated);
    name = name.substr(0, kMaxPlayerNameLength);
    // The cut name may be one that is already taken; saving it would overwrite that player.
    if (taken(name)) {
      DebugTrace(texts::kDuplicatePlayerName);
      return false;
    }
  } else if (name.empty()) {
    DebugTrace(texts::kPlayerNameMissing);
    return false;
  }
  if (!IsAllowedPlayerName(name)) {
    DebugTrace(texts::kPlayerNameNotAllowed);
    return false;
  }

  auto player = std::make_unique<GDUSER>();
  player->SetName(name);
  player->SetDefaultSettings();
  player->ResetResults();
  players_.push_back(std::move(player));
  SavePlayer(true);
  return true;
}

bool PlayerRoster::RemovePlayer(int index) {
  if (index < 0 || index >= PlayerCount()) {
    messages_.Show(texts::kInvalidRemoveIndex, texts::kErrorCaption);
    return false;
  }
  const auto slot = players_.begin() + index;
  if (!*slot) {
    messages_.Show(texts::kRemoveIndexNotFound, texts::kErrorCaption);
    players_.erase(slot);
    return false;
  }
  const std::string name = (*slot)->GetName();
  players_.erase(slot);

  const std::string path = UserFilePath(name);
  std::error_code error;
  if (path.empty() || !fs::remove(path, error)) DebugTrace(std::string(texts::kDeleteUserFileFailed) + path);
  return true;
}

bool PlayerRoster::SaveUserFile(int index) {
  const GDUSER* player = Player(index);
  if (!player) return false;
  std::unique_ptr<DataFile> file(new (std::nothrow) DataFile(messages_));
  if (!file) {
    DebugTrace(texts::kSaveOutOfMemory);
    return false;
  }
  const std::string path = UserFilePath(player->GetName());
  if (path.empty()) {
    DebugTrace(texts::kPlayerNameNotAllowed);
    return false;
  }
  // A missing users folder would make every save fail; it is simply made.
  std::error_code error;
  fs::create_directories(UsersFolder(), error);
  if (!file->OpenForWriting(path)) {
    DebugTrace(std::string(texts::kUserFileOpenFailed) + path);
    return false;
  }
  return file->WriteText(player->ComposeText());
}

bool PlayerRoster::SavePlayer(bool newestPlayer) {
  const int index = newestPlayer ? PlayerCount() - 1 : currentPlayer_;
  if (!Player(index)) {
    DebugTrace(texts::kNoPlayerToSave);
    return false;
  }
  const bool saved = SaveUserFile(index);
  if (!saved) messages_.Show(texts::kUnableToSave, texts::kWarningCaption);
  sleep_(kPauseAfterSave);
  return saved;
}

}  // namespace velmora
