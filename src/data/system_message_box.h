#pragma once
// The plain system message box of the few player-data failures that must reach
// the player even before any window exists: no owner window, one OK button.
// The platform layer shows it; the tests record it.
#include <string_view>

namespace velmora {

class SystemMessageBox {
 public:
  virtual ~SystemMessageBox() = default;
  virtual void Show(std::string_view text, std::string_view caption) = 0;
};

}  // namespace velmora
