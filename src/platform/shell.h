#pragma once
// Opening a document with the desktop's default program for its kind.
#include <functional>
#include <string>

namespace velmora {

// A relative path is taken from the current folder. When the desktop cannot open
// the document (it is missing, no program is registered for its kind, or the
// opener fails), notOpened receives the document's full path; that may happen
// after this returns, from the event loop, since the desktop's opener runs on its own.
void OpenWithDefaultProgram(const std::string& path, std::function<void(const std::string& fullPath)> notOpened);

}  // namespace velmora
