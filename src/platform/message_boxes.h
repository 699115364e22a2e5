#pragma once
// The plain system message box: a text, a caption, OK or Yes and No, owned by
// the game window or by nothing. Results follow the desktop's numbering.
#include <string_view>

class QWidget;

namespace velmora {

enum class MessageButtons { Ok, YesNo };

inline constexpr int kResultOk = 1;
inline constexpr int kResultYes = 6;
inline constexpr int kResultNo = 7;

class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  virtual int Show(std::string_view text, std::string_view caption, MessageButtons buttons, bool owned) = 0;
};

class QtMessageBoxes : public MessageBoxes {
 public:
  // owner: the window that owned boxes are centred on and block.
  explicit QtMessageBoxes(QWidget* owner = nullptr) : owner_(owner) {}
  void SetOwner(QWidget* owner) { owner_ = owner; }
  int Show(std::string_view text, std::string_view caption, MessageButtons buttons, bool owned) override;

 private:
  QWidget* owner_;
};

}  // namespace velmora
