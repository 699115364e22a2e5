#pragma once
// Breaks a tip text into lines for a window of a given width: first a line
// length that fits the window's font is found by measuring pieces of the text,
// then blanks near each line end become line breaks.
#include <functional>
#include <string>

namespace velmora {

// width(text) is the pixel width of a piece of text in the window's font.
// Returns the text with '\n' for the chosen blanks; unchanged when the window is too narrow.
std::string WrapTipText(std::string text, int clientWidth, const std::function<int(const std::string&)>& width);

}  // namespace velmora
