#pragma once
// Every player's record, the data folder, the seed tables and the current
// player. Loaded once at start-up; from then on players are added, removed and
// saved one at a time.
//
// Folders, below the working folder of the process:
//   data/users/<name>.user   one file per player
//   data/seeds/              the seed files (see SeedTables)
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "engine_host.h"
#include "seed_tables.h"
#include "system_message_box.h"
#include "user_record.h"

namespace velmora {

class PlayerRoster : public PrepareSeedSource {
 public:
  using SleepFunction = std::function<void(std::chrono::milliseconds)>;
  // Where the roster tells what it passed over or refused, one line a call.
  using LogFunction = std::function<void(std::string_view)>;

  // The pause after every save; tests pass a sleep that only records it.
  static constexpr std::chrono::milliseconds kPauseAfterSave{250};

  explicit PlayerRoster(SystemMessageBox& messages, SleepFunction sleep = {});

  // Lines written while LoadGameData runs go into its report instead.
  void SetLog(LogFunction log) { log_ = std::move(log); }

  // Sets the data path from the process's working folder, loads the seed files,
  // then every user file, and makes the first player current (or none). When a
  // report is given it receives the data path and what was loaded, for the log,
  // with a line for every file passed over.
  //
  // Only regular files named *.user are players. A file that cannot be read or
  // loaded is passed over and never touched. Every player is saved to and
  // removed from the very file it was loaded from; two files that give the
  // same name cannot both be players: the file named after the player wins
  // (else the first in order) and the other is passed over.
  bool LoadGameData(std::string* report);
  // The same with a given working folder instead of the process's. An empty
  // folder (one that could not be read) keeps the data path relative,
  // "./data/", and the report says so.
  bool LoadGameDataFrom(const std::string& workingFolder, std::string* report);

  int32_t PrepareSeedFor(int difficulty, int creationSeed) const override;

  // Appends a new player with default settings and saves it. False (nothing
  // added, no file written) for an empty name, a name already taken, one
  // holding characters other than letters, digits and blanks, or one whose
  // file already exists without being a player's (a file that could not be
  // read is never replaced: see BlockingFileFor); a name over 15 characters is
  // cut to 15 first. The current player is not changed.
  bool AddPlayer(std::string_view name);
  // The path of the file that keeps a new player of this name from being
  // created (it exists, but no player was loaded from it), or "".
  std::string BlockingFileFor(std::string_view name) const;
  // Removes the player and deletes their file. The current player index is
  // the caller's to keep valid.
  bool RemovePlayer(int index);
  // Saves the newest player (flag set) or the current one, warns the player
  // when that fails, and pauses kPauseAfterSave in either case.
  [[nodiscard]] bool SavePlayer(bool newestPlayer);
  // Writes one player's file; true when it was written. With `withheld`,
  // nothing is shown: a message the save would show the player is put there
  // instead, for a save that nobody may be there to answer (the end of the
  // desktop session).
  [[nodiscard]] bool SaveUserFile(int index, std::string* withheld = nullptr);

  int PlayerCount() const { return static_cast<int>(players_.size()); }
  GDUSER* Player(int index);
  const GDUSER* Player(int index) const;
  int CurrentPlayer() const { return currentPlayer_; }
  void SetCurrentPlayer(int index) { currentPlayer_ = index; }

  // The working folder followed by "data/".
  const std::string& DataPath() const { return dataPath_; }
  std::string UsersFolder() const { return dataPath_ + "users/"; }
  std::string SeedsFolder() const { return dataPath_ + "seeds/"; }
  // The user file of a name, or "" when the name may not become a file name
  // (1..15 letters, digits and blanks), so that no name leads out of the users folder.
  std::string UserFilePath(std::string_view name) const;

  const SeedTables& Seeds() const { return seeds_; }

 private:
  int LoadUserFiles(DataFile& file);
  // The file a player is saved to.
  std::string PathOf(const GDUSER& player) const;
  void Note(const std::string& line);

  SystemMessageBox& messages_;
  SleepFunction sleep_;
  LogFunction log_;
  std::string* loadNotes_ = nullptr;  // set while LoadGameData runs
  std::vector<std::unique_ptr<GDUSER>> players_;
  std::string dataPath_;
  SeedTables seeds_;
  int currentPlayer_ = -1;
};

}  // namespace velmora
