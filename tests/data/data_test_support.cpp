#include "data_test_support.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace velmora::testing {

namespace fs = std::filesystem;

TempFolder::TempFolder() {
  std::string pattern = (fs::temp_directory_path() / "velmora-data-XXXXXX").string();
  if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot make a temporary folder");
  path_ = pattern;
}

TempFolder::~TempFolder() {
  std::error_code error;
  // Tests make files read-only; a removal must still get through.
  for (auto it = fs::recursive_directory_iterator(path_, error); !error && it != fs::recursive_directory_iterator();
       it.increment(error))
    fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, error);
  fs::remove_all(path_, error);
}

std::string TempFolder::Write(const std::string& relative, std::string_view bytes) const {
  const fs::path file = path_ / relative;
  fs::create_directories(file.parent_path());
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + file.string());
  return file.string();
}

std::string TempFolder::Read(const std::string& relative) const {
  std::ifstream in(path_ / relative, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool TempFolder::Exists(const std::string& relative) const { return fs::exists(path_ / relative); }

std::vector<std::string> TempFolder::List(const std::string& relative) const {
  std::vector<std::string> names;
  std::error_code error;
  for (auto it = fs::directory_iterator(path_ / relative, error); !error && it != fs::directory_iterator();
       it.increment(error))
    names.push_back(it->path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

namespace {

// Where the line of a key starts and where its value starts and ends.
struct EntrySpan {
  size_t line;
  size_t value;
  size_t end;  // the ';' that ends the value
};

EntrySpan FindEntry(const std::string& text, std::string_view key) {
  std::string start(key);
  start += " = ";
  for (size_t at = text.find(start); at != std::string::npos; at = text.find(start, at + 1)) {
    if (at != 0 && text[at - 1] != '\n') continue;
    const size_t value = at + start.size();
    return {at, value, text.find(";\n", value)};
  }
  throw std::runtime_error("no entry " + std::string(key));
}

}  // namespace

std::string ReplaceEntry(std::string text, std::string_view key, std::string_view value) {
  const EntrySpan entry = FindEntry(text, key);
  return text.replace(entry.value, entry.end - entry.value, value);
}

std::string RemoveEntry(std::string text, std::string_view key) {
  const EntrySpan entry = FindEntry(text, key);
  return text.erase(entry.line, entry.end + 2 - entry.line);
}

GDUSER NewPlayer(std::string_view name) {
  GDUSER player;
  player.SetName(name);
  player.SetDefaultSettings();
  player.ResetResults();
  return player;
}

}  // namespace velmora::testing
