#include "tip_wrap.h"

namespace velmora {
namespace {

// The longest line length (in characters) whose pieces fit the available width, or 0.
int LineLength(const std::string& text, int available, const std::function<int(const std::string&)>& width) {
  const int rounded = available / 4 * 4;
  int n = (rounded < 480 ? available / 4 : 120) - 4;
  int rows = 1;
  for (int attempt = 0; attempt < 999; ++attempt) {
    if (n < 1) return 0;
    bool fits = true;
    for (int piece = 0; piece <= rows; ++piece) {
      const size_t start = static_cast<size_t>(piece) * static_cast<size_t>(n);
      const std::string part = start < text.size() ? text.substr(start, static_cast<size_t>(n)) : std::string();
      if (width(part) >= available) {
        fits = false;
        break;
      }
    }
    if (fits) return n - 2;
    ++rows;
    n -= 4;
  }
  return 0;
}

}  // namespace

std::string WrapTipText(std::string text, int clientWidth, const std::function<int(const std::string&)>& width) {
  const int available = clientWidth - 20;
  if (available <= 0) return text;
  const int length = LineLength(text, available, width);
  if (length <= 0) return text;
  const size_t size = text.size();
  size_t start = 0, end = static_cast<size_t>(length);
  while (end <= size) {
    size_t broken = std::string::npos;
    for (size_t q = end; q > start; --q) {
      if (q < size && text[q] == ' ') {
        text[q] = '\n';
        broken = q;
        break;
      }
    }
    start = broken != std::string::npos ? broken + 1 : start + 1;
    end = start + static_cast<size_t>(length);
  }
  return text;
}

}  // namespace velmora
