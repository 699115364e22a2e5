#pragma once
// Opening a document with the desktop's default program for its kind.
#include <string>

namespace velmora {

// A relative path is taken from the current folder. True when the desktop accepted it.
bool OpenWithDefaultProgram(const std::string& path);

}  // namespace velmora
