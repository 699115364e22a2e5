#include "player_roster.h"

#include <algorithm>
#include <filesystem>
#include <memory>
#include <new>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <thread>

#include <sys/stat.h>

#include "data_file.h"
#include "data_texts.h"

namespace velmora {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kUserFileExtension = ".user";

constexpr std::string_view kRelativeDataFolder = "./";

// The names of the regular files named *.user in a folder, sorted so that the
// players come in the same order on every start. Anything else of that name
// (a folder, a pipe, a device, a broken link) is passed over and told.
std::vector<std::string> ListUserFiles(const std::string& folder, const std::function<void(const std::string&)>& note) {
  std::vector<std::string> names;
  std::error_code error;
  fs::directory_iterator it(folder, error);
  if (error) return names;
  for (const fs::directory_entry& entry : it) {
    std::string name = entry.path().filename().string();
    if (name.size() < kUserFileExtension.size() || !name.ends_with(kUserFileExtension)) continue;
    // The file a link points at decides; stat does not open anything.
    struct stat info;
    if (stat((folder + name).c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
      note(std::string(texts::kUserFileNotRegular) + folder + name);
      continue;
    }
    names.push_back(std::move(name));
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
  if (!file) return false;
  players_.clear();
  std::string notes;
  loadNotes_ = &notes;
  // Without the working folder's name the data folder is still the one in
  // it: a relative path, never one at the root of the file system.
  dataPath_ = workingFolder.empty() ? std::string(kRelativeDataFolder) : workingFolder;
  if (workingFolder.empty()) Note(texts::kWorkingFolderUnknown + dataPath_ + "data/");
  if (dataPath_.back() != '/') dataPath_ += '/';
  dataPath_ += "data/";
  if (report) *report = std::string(texts::kReportDataPath) + dataPath_;

  std::string loaded = texts::kReportLoading;
  const int seedFiles =
      seeds_.LoadFromFolder(SeedsFolder(), messages_, [this](std::string_view line) { Note(std::string(line)); });
  loaded += notes;
  notes.clear();
  loaded += texts::kReportSeeds + std::to_string(seedFiles) + "\n";
  const int users = LoadUserFiles(*file);
  loaded += notes;
  loadNotes_ = nullptr;
  loaded += texts::kReportUsers + std::to_string(users) + "\n";
  currentPlayer_ = users > 0 ? 0 : -1;
  loaded += texts::kReportComplete;
  if (report) *report += "\n" + loaded;
  return true;
}

void PlayerRoster::Note(const std::string& line) {
  if (loadNotes_) {
    *loadNotes_ += line + "\n";
    return;
  }
  if (log_) log_(line + "\n");
}

int PlayerRoster::LoadUserFiles(DataFile& file) {
  const std::string folder = UsersFolder();
  for (const std::string& fileName : ListUserFiles(folder, [this](const std::string& line) { Note(line); })) {
    const std::string path = folder + fileName;
    auto player = std::make_unique<GDUSER>();
    player->SetFileName(fileName);
    const bool read = file.OpenForReading(path);
    const bool loaded = read && player->LoadFromDataFile(file);
    file.CloseInput();
    // A file that cannot be read or loaded is no player: it is passed over,
    // and never written or deleted by the game.
    if (!read) {
      Note(texts::kUserFileOpenFailed + path);
      continue;
    }
    if (!loaded) {
      Note(texts::kUserFileNotLoaded + path);
      continue;
    }
    player->SetNameFromFileName(fileName);
    if (player->GetName().empty()) {
      Note(texts::kUserFileNameUnusable + path);
      continue;
    }
    players_.push_back(std::move(player));
  }

  // One player per name: the file named after the player wins, else the first.
  std::vector<std::unique_ptr<GDUSER>> kept;
  for (auto& player : players_) {
    const std::string ownFile = player->GetName() + std::string(kUserFileExtension);
    auto same = std::find_if(kept.begin(), kept.end(),
                             [&](const std::unique_ptr<GDUSER>& k) { return k->GetName() == player->GetName(); });
    if (same == kept.end()) {
      kept.push_back(std::move(player));
      continue;
    }
    if (player->GetFileName() == ownFile) std::swap(*same, player);
    Note(texts::kDuplicateUserFile + folder + player->GetFileName());
  }
  players_ = std::move(kept);
  return PlayerCount();
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

std::string PlayerRoster::PathOf(const GDUSER& player) const {
  if (!player.GetFileName().empty()) return UsersFolder() + player.GetFileName();
  return UserFilePath(player.GetName());
}

std::string PlayerRoster::BlockingFileFor(std::string_view name) const {
  if (name.size() > kMaxPlayerNameLength) name = name.substr(0, kMaxPlayerNameLength);
  const std::string path = UserFilePath(name);
  if (path.empty()) return std::string();
  const std::string fileName = std::string(name) + std::string(kUserFileExtension);
  for (const auto& player : players_)
    if (player && player->GetFileName() == fileName) return std::string();
  struct stat info;
  if (lstat(path.c_str(), &info) != 0) return std::string();
  return path;
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
  if (taken(name)) return false;
  if (name.size() > kMaxPlayerNameLength) {
    name = name.substr(0, kMaxPlayerNameLength);
    // The cut name may be one that is already taken; saving it would overwrite that player.
    if (taken(name)) return false;
  } else if (name.empty()) {
    return false;
  }
  if (!IsAllowedPlayerName(name)) return false;
  // A file of that name that no player came from could not be read: the
  // player's data may still be in it, so it is never replaced.
  if (const std::string blocking = BlockingFileFor(name); !blocking.empty()) {
    Note(texts::kUserFileInTheWay + blocking);
    return false;
  }

  auto player = std::make_unique<GDUSER>();
  player->SetName(name);
  player->SetFileName(std::string(name) + std::string(kUserFileExtension));
  player->SetDefaultSettings();
  player->ResetResults();
  players_.push_back(std::move(player));
  // A new player whose first save fails still plays: SavePlayer has said so
  // to the player, and the next save tries again.
  static_cast<void>(SavePlayer(true));
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
  const std::string path = PathOf(**slot);
  players_.erase(slot);

  std::error_code error;
  // The player is gone from the list either way; a file that stays would bring
  // the player back at the next start, so the log says which one it is.
  if (path.empty() || !fs::remove(path, error)) Note(std::string(texts::kDeleteUserFileFailed) + path);
  return true;
}

namespace {

// Keeps the messages it is given, one a line, instead of showing them.
class WithheldMessages : public SystemMessageBox {
 public:
  explicit WithheldMessages(std::string& into) : into_(into) {}
  void Show(std::string_view text, std::string_view) override {
    into_ += text;
    into_ += '\n';
  }

 private:
  std::string& into_;
};

}  // namespace

bool PlayerRoster::SaveUserFile(int index, std::string* withheld) {
  const GDUSER* player = Player(index);
  if (!player) return false;
  std::optional<WithheldMessages> quiet;
  if (withheld) quiet.emplace(*withheld);
  std::unique_ptr<DataFile> file(new (std::nothrow)
                                     DataFile(quiet ? static_cast<SystemMessageBox&>(*quiet) : messages_));
  if (!file) {
    Note(texts::kSaveOutOfMemory);
    return false;
  }
  const std::string path = PathOf(*player);
  if (path.empty()) return false;
  // A missing users folder would make every save fail; it is simply made.
  std::error_code error;
  fs::create_directories(UsersFolder(), error);
  if (!file->OpenForWriting(path)) {
    Note(std::string(texts::kUserFileOpenFailed) + path);
    return false;
  }
  return file->WriteText(player->ComposeText());
}

bool PlayerRoster::SavePlayer(bool newestPlayer) {
  const int index = newestPlayer ? PlayerCount() - 1 : currentPlayer_;
  if (!Player(index)) return false;
  const bool saved = SaveUserFile(index);
  if (!saved) messages_.Show(texts::kUnableToSave, texts::kWarningCaption);
  sleep_(kPauseAfterSave);
  return saved;
}

}  // namespace velmora
